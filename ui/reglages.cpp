#include "reglages.h"

#include "erreur.h"
#include "regional.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace reglages {

namespace {
QString fichier_;
}

void setFichier(const QString& cheminIni) { fichier_ = cheminIni; }

std::unique_ptr<QSettings> ouvre()
{
    if (!fichier_.isEmpty())
        return std::make_unique<QSettings>(fichier_, QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("Zenolune"), QStringLiteral("Zenolune"));
}

Observateur lit()
{
    const auto s = ouvre();
    Observateur o;
    zeno::Site site;
    site.latitudeDeg = s->value(QStringLiteral("lieu/latitude"), site.latitudeDeg).toDouble();
    site.longitudeDeg = s->value(QStringLiteral("lieu/longitude"), site.longitudeDeg).toDouble();
    site.heightM = s->value(QStringLiteral("lieu/hauteur"), site.heightM).toDouble();
    // A store edited by hand must not bring an impossible place back.
    if (s->contains(QStringLiteral("lieu/latitude")) && zeno::checkSite(site).isEmpty()) {
        o.site = site;
        o.siteRegle = true;
    }
    zeno::Visibilite v;
    v.minJupiterDeg = s->value(QStringLiteral("visibilite/jupiter_min"), v.minJupiterDeg).toDouble();
    v.maxSunDeg = s->value(QStringLiteral("visibilite/soleil_max"), v.maxSunDeg).toDouble();
    if (zeno::checkVisibilite(v).isEmpty())
        o.visibilite = v;
    zeno::TacheRouge t;
    t.longitudeDeg = s->value(QStringLiteral("tache_rouge/longitude"), t.longitudeDeg).toDouble();
    t.epoch = QDate::fromString(s->value(QStringLiteral("tache_rouge/epoque"), t.epoch.toString(Qt::ISODate)).toString(),
                                Qt::ISODate);
    t.driftDegPerMonth = s->value(QStringLiteral("tache_rouge/derive"), t.driftDegPerMonth).toDouble();
    if (zeno::checkTacheRouge(t).isEmpty())
        o.tache = t;
    return o;
}

void ecrit(const Observateur& o)
{
    const auto s = ouvre();
    if (o.siteRegle) {
        s->setValue(QStringLiteral("lieu/latitude"), o.site.latitudeDeg);
        s->setValue(QStringLiteral("lieu/longitude"), o.site.longitudeDeg);
        s->setValue(QStringLiteral("lieu/hauteur"), o.site.heightM);
    }
    s->setValue(QStringLiteral("visibilite/jupiter_min"), o.visibilite.minJupiterDeg);
    s->setValue(QStringLiteral("visibilite/soleil_max"), o.visibilite.maxSunDeg);
    s->setValue(QStringLiteral("tache_rouge/longitude"), o.tache.longitudeDeg);
    s->setValue(QStringLiteral("tache_rouge/epoque"), o.tache.epoch.toString(Qt::ISODate));
    s->setValue(QStringLiteral("tache_rouge/derive"), o.tache.driftDegPerMonth);
}

} // namespace reglages

DialogueLieu::DialogueLieu(const reglages::Observateur& o, const QLocale& locale, QWidget* parent)
    : QDialog(parent), locale_(locale), resultat_(o)
{
    setObjectName(QStringLiteral("DialogueLieu"));
    setWindowTitle(QStringLiteral("Lieu d'observation et Tache Rouge"));
    const auto nombre = [this](double v) { return zeno::numberText(v, locale_); };
    auto* forme = new QFormLayout;
    forme->addRow(QStringLiteral("Latitude (°, nord positif) :"), champ("TextLatitude", nombre(o.site.latitudeDeg)));
    forme->addRow(QStringLiteral("Longitude (°, EST positif) :"), champ("TextLongitude", nombre(o.site.longitudeDeg)));
    forme->addRow(QStringLiteral("Altitude du lieu (m) :"), champ("TextHauteur", nombre(o.site.heightM)));
    forme->addRow(QStringLiteral("Jupiter au moins à (°) :"), champ("TextJupiterMin", nombre(o.visibilite.minJupiterDeg)));
    forme->addRow(QStringLiteral("Soleil au plus à (°) :"), champ("TextSoleilMax", nombre(o.visibilite.maxSunDeg)));
    forme->addRow(QStringLiteral("Tache Rouge, longitude Système II (°) :"),
                  champ("TextTacheLongitude", nombre(o.tache.longitudeDeg)));
    forme->addRow(QStringLiteral("à la date (Jour/Mois/Année, 0 h TU) :"),
                  champ("TextTacheEpoque", zeno::dateTimeText(QDateTime(o.tache.epoch, QTime(0, 0), Qt::UTC), locale_)));
    forme->addRow(QStringLiteral("Dérive (° par mois) :"), champ("TextTacheDerive", nombre(o.tache.driftDegPerMonth)));

    auto* note = new QLabel(QStringLiteral(
        "La longitude est comptée positivement vers l'est (Paris : 2,35). La longitude de la Tache Rouge "
        "change : mettez-la à jour d'après les observations récentes."), this);
    note->setWordWrap(true);
    Erreur = new QLabel(this);
    Erreur->setObjectName(QStringLiteral("Erreur"));
    Erreur->setWordWrap(true);
    Erreur->setStyleSheet(QStringLiteral("color: #b00000"));

    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("CommandOk"));
    boutons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    boutons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(boutons, &QDialogButtonBox::accepted, this, &DialogueLieu::CommandOk_Click);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* pile = new QVBoxLayout(this);
    pile->addLayout(forme);
    pile->addWidget(note);
    pile->addWidget(Erreur);
    pile->addWidget(boutons);
}

QLineEdit* DialogueLieu::champ(const char* nom, const QString& texte)
{
    auto* c = new QLineEdit(texte, this);
    c->setObjectName(QString::fromLatin1(nom));
    return c;
}

QString DialogueLieu::erreur() const { return Erreur->text(); }

void DialogueLieu::CommandOk_Click()
{
    reglages::Observateur o = resultat_;
    const auto lire = [this](const char* nom, const QString& quoi, double& valeur) -> bool {
        try {
            valeur = zeno::readNumber(findChild<QLineEdit*>(QString::fromLatin1(nom))->text(), locale_);
            return true;
        } catch (const zeno::ErreurExecution&) {
            Erreur->setText(QStringLiteral("%1 n'est pas un nombre.").arg(quoi));
            return false;
        }
    };
    if (!lire("TextLatitude", QStringLiteral("La latitude"), o.site.latitudeDeg)
        || !lire("TextLongitude", QStringLiteral("La longitude"), o.site.longitudeDeg)
        || !lire("TextHauteur", QStringLiteral("L'altitude du lieu"), o.site.heightM)
        || !lire("TextJupiterMin", QStringLiteral("La hauteur minimale de Jupiter"), o.visibilite.minJupiterDeg)
        || !lire("TextSoleilMax", QStringLiteral("La hauteur maximale du Soleil"), o.visibilite.maxSunDeg)
        || !lire("TextTacheLongitude", QStringLiteral("La longitude de la Tache Rouge"), o.tache.longitudeDeg)
        || !lire("TextTacheDerive", QStringLiteral("La dérive de la Tache Rouge"), o.tache.driftDegPerMonth))
        return;
    try {
        o.tache.epoch = zeno::readDateTime(findChild<QLineEdit*>(QStringLiteral("TextTacheEpoque"))->text(), locale_).date();
    } catch (const zeno::ErreurExecution&) {
        Erreur->setText(QStringLiteral("L'époque de la Tache Rouge n'est pas une date (Jour/Mois/Année)."));
        return;
    }
    for (const QString& faute : {zeno::checkSite(o.site), zeno::checkVisibilite(o.visibilite), zeno::checkTacheRouge(o.tache)}) {
        if (!faute.isEmpty()) {
            Erreur->setText(faute);
            return;
        }
    }
    o.siteRegle = true;
    resultat_ = o;
    Erreur->clear();
    accept();
}

#include "reglages.h"

#include "erreur.h"
#include "regional.h"

#include <QCoreApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

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

namespace {

// One kept number: its default when absent; when unreadable (a word, or
// "45,76", which the store reads as a list) or out of [min, max], its default
// too, and its name in the notes.
double nombre(const QSettings& s, const char* cle, double defaut, double min, double max, const QString& nom,
              QStringList& notes)
{
    const QVariant v = s.value(QLatin1String(cle));
    if (!v.isValid())
        return defaut;
    bool ok = v.typeId() != QMetaType::QStringList;
    const double x = ok ? v.toDouble(&ok) : 0;
    if (!ok || !std::isfinite(x) || x < min || x > max) {
        notes << nom;
        return defaut;
    }
    return x;
}

} // namespace

Observateur lit(QStringList* reinitialises)
{
    const auto s = ouvre();
    Observateur o;
    QStringList notes;
    const auto app = [](const char* texte) { return QCoreApplication::translate("reglages", texte); };
    const int avant = int(notes.size());
    o.site.latitudeDeg = nombre(*s, "lieu/latitude", o.site.latitudeDeg, -90, 90, app("latitude"), notes);
    o.site.longitudeDeg = nombre(*s, "lieu/longitude", o.site.longitudeDeg, -180, 180, app("longitude"), notes);
    o.site.heightM = nombre(*s, "lieu/hauteur", o.site.heightM, -500, 10000, app("altitude du lieu"), notes);
    // A place partly unreadable is not the user's place: all of it back to the default.
    if (notes.size() > avant)
        o.site = zeno::Site{};
    o.siteRegle = s->contains(QStringLiteral("lieu/latitude")) && notes.size() == avant;
    o.visibilite.minJupiterDeg = nombre(*s, "visibilite/jupiter_min", o.visibilite.minJupiterDeg, -90, 90,
                                        app("hauteur minimale de Jupiter"), notes);
    o.visibilite.maxSunDeg = nombre(*s, "visibilite/soleil_max", o.visibilite.maxSunDeg, -90, 90,
                                    app("hauteur maximale du Soleil"), notes);
    o.tache.longitudeDeg = nombre(*s, "tache_rouge/longitude", o.tache.longitudeDeg, 0, 360,
                                  app("longitude de la Tache Rouge"), notes);
    if (o.tache.longitudeDeg == 360)
        o.tache.longitudeDeg = 0;
    o.tache.driftDegPerMonth = nombre(*s, "tache_rouge/derive", o.tache.driftDegPerMonth, -30, 30,
                                      app("dérive de la Tache Rouge"), notes);
    if (const QVariant v = s->value(QStringLiteral("tache_rouge/epoque")); v.isValid()) {
        const QDate d = QDate::fromString(v.toString(), Qt::ISODate);
        if (d.isValid() && d.year() >= 100 && d.year() <= 9999)
            o.tache.epoch = d;
        else
            notes << app("époque de la Tache Rouge");
    }
    if (const QVariant v = s->value(QStringLiteral("lieu/fuseau")); v.isValid()) {
        const QTimeZone z(v.toString().toUtf8());
        if (z.isValid())
            o.fuseau = z;
        else
            notes << app("fuseau horaire");
    }
    if (reinitialises)
        *reinitialises = notes;
    return o;
}

void ecrit(const Observateur& o)
{
    const auto s = ouvre();
    if (o.siteRegle) {
        s->setValue(QStringLiteral("lieu/latitude"), o.site.latitudeDeg);
        s->setValue(QStringLiteral("lieu/longitude"), o.site.longitudeDeg);
        s->setValue(QStringLiteral("lieu/hauteur"), o.site.heightM);
        s->setValue(QStringLiteral("lieu/fuseau"), QString::fromUtf8(o.fuseau.id()));
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
    ComboFuseau = new QComboBox(this);
    ComboFuseau->setObjectName(QStringLiteral("ComboFuseau"));
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds())
        ComboFuseau->addItem(QString::fromUtf8(id));
    ComboFuseau->setCurrentText(QString::fromUtf8(o.fuseau.id()));
    ComboFuseau->setToolTip(tr("L'heure de votre horloge, heure d'été comprise : les heures de la fenêtre Phénomènes"));
    forme->addRow(tr("Fuseau horaire :"), ComboFuseau);
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
    if (const QTimeZone z(ComboFuseau->currentText().toUtf8()); z.isValid())
        o.fuseau = z;
    o.siteRegle = true;
    resultat_ = o;
    Erreur->clear();
    accept();
}

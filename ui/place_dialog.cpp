#include "place_dialog.h"

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

DialogueLieu::DialogueLieu(const settings::Observer& o, const QLocale& locale, QWidget* parent)
    : QDialog(parent), locale_(locale), resultat_(o)
{
    setObjectName(QStringLiteral("DialogueLieu"));
    setWindowTitle(tr("Lieu d'observation et Tache Rouge"));
    const auto nombre = [this](double v) { return zeno::numberText(v, locale_); };
    auto* forme = new QFormLayout;
    forme->addRow(tr("Latitude (°, nord positif) :"), champ("TextLatitude", nombre(o.site.latitudeDeg)));
    forme->addRow(tr("Longitude (°, EST positif) :"), champ("TextLongitude", nombre(o.site.longitudeDeg)));
    forme->addRow(tr("Altitude du lieu (m) :"), champ("TextHauteur", nombre(o.site.heightM)));
    ComboFuseau = new QComboBox(this);
    ComboFuseau->setObjectName(QStringLiteral("ComboFuseau"));
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds())
        ComboFuseau->addItem(QString::fromUtf8(id));
    // The system's zone may go by a name the list lacks ("Etc/UTC"): kept as it is.
    const QString fuseau = QString::fromUtf8(o.timeZone.id());
    if (ComboFuseau->findText(fuseau) < 0)
        ComboFuseau->insertItem(0, fuseau);
    ComboFuseau->setCurrentIndex(ComboFuseau->findText(fuseau));
    ComboFuseau->setToolTip(tr("L'heure de votre horloge, heure d'été comprise : les heures de la fenêtre Phénomènes"));
    forme->addRow(tr("Fuseau horaire :"), ComboFuseau);
    forme->addRow(tr("Jupiter au moins à (°) :"), champ("TextJupiterMin", nombre(o.visibility.minJupiterDeg)));
    forme->addRow(tr("Soleil au plus à (°) :"), champ("TextSoleilMax", nombre(o.visibility.maxSunDeg)));
    forme->addRow(tr("Phénomènes mutuels, chute d'éclat d'au moins (mag) :"),
                  champ("TextChuteMin", nombre(o.visibility.minDropMag)));
    findChild<QLineEdit*>(QStringLiteral("TextChuteMin"))
        ->setToolTip(tr("Un phénomène mutuel plus faible ne se voit pas : il est dit non observable"));
    forme->addRow(tr("Tache Rouge, longitude Système II (°) :"),
                  champ("TextTacheLongitude", nombre(o.redSpot.longitudeDeg)));
    forme->addRow(tr("à la date (%1, 0 h TU) :").arg(zeno::dateFormText(locale_)),
                  champ("TextTacheEpoque", zeno::dateTimeText(QDateTime(o.redSpot.epoch, QTime(0, 0), Qt::UTC), locale_)));
    forme->addRow(tr("Dérive (° par mois) :"), champ("TextTacheDerive", nombre(o.redSpot.driftDegPerMonth)));
    forme->addRow(tr("Approximations : distance au plus (″) :"), champ("TextApproxDistance", nombre(o.approxMaxDistanceArcsec)));
    forme->addRow(tr("Approximations : écart au bord de Jupiter au moins (″) :"), champ("TextApproxBord", nombre(o.approxMinLimbArcsec)));
    forme->addRow(tr("Approximations : quasi stationnaire sous (mas/s) :"), champ("TextApproxVitesse", nombre(o.approxStationaryMasS)));

    auto* note = new QLabel(tr(
        "La longitude est comptée positivement vers l'est (Paris : 2,35). La longitude de la Tache Rouge "
        "change : mettez-la à jour d'après les observations récentes."), this);
    note->setWordWrap(true);
    Erreur = new QLabel(this);
    Erreur->setObjectName(QStringLiteral("Erreur"));
    Erreur->setWordWrap(true);
    Erreur->setStyleSheet(tr("color: #b00000"));

    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("CommandOk"));
    boutons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    boutons->button(QDialogButtonBox::Cancel)->setText(tr("Annuler"));
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
    settings::Observer o = resultat_;
    // A decimal point or comma alike, whatever the language: "48.85" and "48,85".
    const auto lire = [this](const char* nom, const QString& quoi, double& valeur) -> bool {
        const QString texte = findChild<QLineEdit*>(QString::fromLatin1(nom))->text();
        try {
            valeur = zeno::readNumber(texte, locale_);
            return true;
        } catch (const zeno::ErreurExecution&) {
        }
        try {
            valeur = zeno::readNumber(QString(texte).replace(u',', u'.'), QLocale::c());
            return true;
        } catch (const zeno::ErreurExecution&) {
            Erreur->setText(tr("%1 n'est pas un nombre.").arg(quoi));
            return false;
        }
    };
    if (!lire("TextLatitude", tr("La latitude"), o.site.latitudeDeg)
        || !lire("TextLongitude", tr("La longitude"), o.site.longitudeDeg)
        || !lire("TextHauteur", tr("L'altitude du lieu"), o.site.heightM)
        || !lire("TextJupiterMin", tr("La hauteur minimale de Jupiter"), o.visibility.minJupiterDeg)
        || !lire("TextSoleilMax", tr("La hauteur maximale du Soleil"), o.visibility.maxSunDeg)
        || !lire("TextChuteMin", tr("La chute d'éclat minimale"), o.visibility.minDropMag)
        || !lire("TextTacheLongitude", tr("La longitude de la Tache Rouge"), o.redSpot.longitudeDeg)
        || !lire("TextTacheDerive", tr("La dérive de la Tache Rouge"), o.redSpot.driftDegPerMonth)
        || !lire("TextApproxDistance", tr("La distance maximale des approximations"), o.approxMaxDistanceArcsec)
        || !lire("TextApproxBord", tr("L'écart minimal au bord de Jupiter"), o.approxMinLimbArcsec)
        || !lire("TextApproxVitesse", tr("La vitesse des passages quasi stationnaires"), o.approxStationaryMasS))
        return;
    try {
        o.redSpot.epoch = zeno::readDateTime(findChild<QLineEdit*>(QStringLiteral("TextTacheEpoque"))->text(), locale_).date();
    } catch (const zeno::ErreurExecution&) {
        Erreur->setText(tr("L'époque de la Tache Rouge n'est pas une date (%1 ou Année-Mois-Jour).").arg(zeno::dateFormText(locale_)));
        return;
    }
    for (const QString& faute : {zeno::checkSite(o.site), zeno::checkVisibility(o.visibility), zeno::checkRedSpot(o.redSpot),
                                 zeno::checkApproximationOptions(o.approximationOptions())}) {
        if (!faute.isEmpty()) {
            Erreur->setText(faute);
            return;
        }
    }
    if (const QTimeZone z(ComboFuseau->currentText().toUtf8()); z.isValid())
        o.timeZone = z;
    o.siteSet = true;
    resultat_ = o;
    Erreur->clear();
    accept();
}

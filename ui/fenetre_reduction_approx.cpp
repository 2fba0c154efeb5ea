// The reduction window's mutual approximations: the predicted pass, the
// observed track read from a file and the central instant fitted to it.
// The report and the image go through the window's own exports.
#include "fenetre_reduction.h"

#include "approximation_panel.h"
#include "approximation_view.h"
#include "erreur.h"
#include "reduction_plot.h"
#include "regional.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

void FenetreReduction::setApproximation(const zeno::Approximation& a)
{
    event_.reset();
    approx_ = a;
    TextCode->setText(a.code());
    TextDate->setText(zeno::mutualUtText(a.centralUt));
    Graphique->setVisible(false);
    GraphiqueApprox->setVisible(true);
    // The columns are found from the track's header.
    for (QComboBox* c : {ComboTemps, ComboFlux, ComboIncertitude})
        c->setEnabled(false);
    if (!enregistrement_.isEmpty()) {
        // The recording measured again unless it was for this pair.
        if (!mesure_ || !mesure_->approximation || mesure_->first != a.first || mesure_->second != a.second)
            lanceMesure();
        mesureApproximation();
    } else if (!chemin_.isEmpty()) {
        chargePiste(chemin_);
    } else {
        reduitApproximation();
    }
}

void FenetreReduction::mesureApproximation()
{
    piste_ = {};
    if (mesure_ && mesure_->error.isEmpty() && !mesure_->cancelled)
        piste_ = zeno::measuredTrack(*mesure_);
    reduitApproximation();
    if (mesure_ && !mesure_->error.isEmpty())
        message(tr("Mesure impossible de « %1 » : %2").arg(QFileInfo(chemin_).fileName(), mesure_->error));
}

void FenetreReduction::chercheApproximation(const QDateTime& nearUt)
{
    const auto pair = zeno::parseApproximationCode(TextCode->text());
    const zeno::ApproximationOptions o = settings::readObserver().approximationOptions();
    const auto a = zeno::findApproximation(pair->first, pair->second, nearUt.toSecsSinceEpoch(), o);
    if (!a) {
        message(tr("Aucune approximation %1 à moins de %2″ et de 24 h du %3 TU.")
                    .arg(TextCode->text().trimmed().toUpper(), locale_.toString(o.maxDistanceArcsec), TextDate->text()));
        return;
    }
    setApproximation(*a);
}

bool FenetreReduction::chargePiste(const QString& chemin)
{
    zeno::ObservedTrack t = zeno::loadObservedTrack(chemin);
    if (!t.error.isEmpty()) {
        message(tr("Piste illisible « %1 » : %2 — il faut le temps (JJ TU ou ISO TU) et Δx, Δy (colonnes dx, dy) "
                   "ou la distance (colonne distance)")
                    .arg(QFileInfo(chemin).fileName(), t.error));
        return false;
    }
    oublieEnregistrement();
    chemin_ = chemin;
    piste_ = std::move(t);
    settings::open()->setValue(QStringLiteral("reduction/dossier"), QFileInfo(chemin).absolutePath());
    TextFichier->setText(chemin);
    reduitApproximation();
    return true;
}

void FenetreReduction::reduitApproximation()
{
    approxFit_ = {};
    if (!piste_.samples.empty())
        approxFit_ = zeno::fitApproximation(piste_.samples);
    ApproximationPicture picture = approximationPicture(*approx_);
    picture.observed = piste_.samples;
    picture.observedInPixels = piste_.unit == zeno::TrackUnit::Pixel;
    if (approxFit_.converged)
        picture.fit = approxFit_;
    GraphiqueApprox->setPicture(picture);
    afficheApproximation();
}

void FenetreReduction::afficheApproximation()
{
    const zeno::Approximation& a = *approx_;
    const auto nombre = [this](double v, int decimales) {
        return std::isfinite(v) ? locale_.toString(v, 'f', decimales) : tr("indéterminé");
    };
    LabelPrevision->setText(tr("%1 (approximation de %2, %3) : instant central %4 TU, distance %5″, vitesse %6 mas/s")
                                .arg(a.code(), approximationPairName(a), a.site ? tr("topocentrique") : tr("géocentrique"),
                                     zeno::utTextTenths(a.centralUt), nombre(a.distanceArcsec, 3), nombre(a.speedMasS, 2)));
    QStringList etat = etatEnregistrement();
    if (!chemin_.isEmpty() && enregistrement_.isEmpty()) {
        etat << tr("%1 lignes lues dans « %2 ».").arg(piste_.rows).arg(QFileInfo(chemin_).fileName());
        if (!piste_.badRowsText.isEmpty())
            etat << piste_.badRowsText + QStringLiteral(".");
    }
    if (!approxFit_.error.isEmpty())
        etat << tr("Réduction impossible : %1.").arg(approxFit_.error);
    if (!approxFit_.failure.isEmpty())
        etat << tr("Échec : %1.").arg(approxFit_.failure);
    LabelEtat->setText(etat.join(u' '));
    const bool ok = approxFit_.converged;
    CommandExporterRapport->setEnabled(ok);
    CommandExporterImage->setEnabled(true);
    const QString enregistrement = resultatsEnregistrement();
    LabelResultats->setWordWrap(!ok || !enregistrement.isEmpty());
    if (!ok) {
        LabelResultats->setText((approxFit_.points > 0 ? tr("<b>L'ajustement n'a pas convergé.</b>")
                                 : mesureEnCours()     ? tr("Mesure de l'enregistrement en cours…")
                                                       : tr("Pas encore de résultat : choisissez le fichier de la piste observée "
                                                            "(temps et Δx, Δy, ou distance) ou l'enregistrement (« Fichier… »)."))
                                + enregistrement);
        return;
    }
    const zeno::ApproximationOC oc = zeno::approximationOC(a, approxFit_, piste_.unit);
    const QString unite = piste_.unit == zeno::TrackUnit::Arcsec ? QStringLiteral("″") : tr(" px");
    const auto ligne = [](const QString& nom, const QString& valeur) {
        return QStringLiteral("<tr><td>%1</td><td align=\"right\"><b>%2</b></td></tr>").arg(nom, valeur);
    };
    const auto signe = [&](double v, int d) { return (v >= 0 ? QStringLiteral("+") : QString()) + nombre(v, d); };
    QString t = QStringLiteral("<table cellspacing=\"4\">");
    t += ligne(tr("Instant central prévu (TU)"), zeno::utTextTenths(a.centralUt));
    t += ligne(tr("Instant central observé (TU)"), zeno::utTextTenths(approxFit_.centralUt));
    t += ligne(tr("Incertitude (1 σ)"), tr("%1 s").arg(nombre(approxFit_.centralSigmaS, 2)));
    t += ligne(tr("O−C"), tr("%1 s (%2 mas)").arg(signe(oc.centralS, 2), signe(oc.alongMas, 1)));
    t += ligne(tr("Distance minimale"), nombre(approxFit_.distance, 4) + unite);
    if (oc.distanceArcsec)
        t += ligne(tr("O−C distance"), signe(*oc.distanceArcsec, 4) + QStringLiteral("″"));
    t += ligne(tr("Courbure"), approxFit_.curvature ? tr("ajustée") : tr("non"));
    // Unweighted, the χ² is only the residuals' variance: their spread says more.
    if (approxFit_.weighted)
        t += ligne(tr("χ² réduit"), QString::number(approxFit_.reducedChi2, 'g', 4));
    t += ligne(tr("Résidus (écart type)"), nombre(approxFit_.rmsResidual, 4) + unite);
    t += ligne(tr("Points"), QString::number(approxFit_.points));
    t += QStringLiteral("</table>");
    LabelResultats->setText(t + enregistrement);
}

QString FenetreReduction::rapportApproximation() const
{
    return zeno::approximationReport(*approx_, piste_, approxFit_, QFileInfo(chemin_).fileName());
}

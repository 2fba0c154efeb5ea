// "Réduire une observation…": an observer's own light curve of a mutual
// event (the photometry program's export, opened or dropped on the window) fitted with the event's
// predicted curve; the observed time of the minimum with its uncertainty,
// O−C, depth and impact parameter; the plot and a report for the campaigns.
#pragma once

#include "approximation_fit.h"
#include "light_curve_fit.h"
#include "settings.h"

#include <QDialog>
#include <QLocale>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ReductionPlot;
class ApproximationView;
class SharedState;

class FenetreReduction : public QDialog {
    Q_OBJECT
public:
    // `etat`: the observer's place (null: read from the settings store).
    FenetreReduction(const QLocale& locale, QWidget* parent = nullptr,
                     const std::optional<zeno::MutualEvent>& event = std::nullopt, SharedState* etat = nullptr);

    // Replaceable for the tests: the file to read, the file to write (with
    // a suggested name and filter), and where messages go.
    std::function<QString()> choixOuverture;
    std::function<QString(const QString& nom, const QString& filtre)> choixEnregistrement;
    std::function<void(const QString&)> message;

    void setEvenement(const zeno::MutualEvent& event);
    // A mutual approximation instead: its observed track (time, Δx, Δy or distance) is reduced.
    void setApproximation(const zeno::Approximation& approximation);
    const std::optional<zeno::Approximation>& approximation() const { return approx_; }
    const zeno::ApproximationFit& ajustementApproximation() const { return approxFit_; }
    // Opens a file given by "Fichier…" or dropped on the window; false and a message when it cannot be read.
    bool chargeFichier(const QString& chemin);
    // A photometry program's export (layout and columns found from the file), read and fitted.
    bool chargeExport(const QString& chemin);
    const zeno::CurveFit& ajustement() const { return fit_; }
    const std::optional<zeno::MutualEvent>& evenement() const { return event_; }
    // PNG or SVG by the name's suffix; the report as plain text. False and a message on failure.
    bool exporteImage(const QString& chemin);
    bool exporteRapport(const QString& chemin);
    QString rapport() const;

public slots:
    void CommandChercher_Click();
    void CommandFichier_Click();
    void Colonnes_Change();
    void CommandExporterImage_Click();
    void CommandExporterRapport_Click();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    zeno::CurveColumns colonnesChoisies() const;
    std::optional<zeno::Site> lieu() const;
    void reduit();
    void afficheResultats();
    void remplitColonnes();
    bool ecrit(const QString& chemin, const QByteArray& donnees);
    QString nomExport(const QString& suffixe) const;
    // The approximation's side (fenetre_reduction_approx.cpp).
    void chercheApproximation(const QDateTime& nearUt);
    bool chargePiste(const QString& chemin);
    void reduitApproximation();
    void afficheApproximation();
    QString rapportApproximation() const;

    SharedState* etat_;
    QLocale locale_;
    std::optional<zeno::MutualEvent> event_;   // as chosen (geocentric)
    std::optional<zeno::MutualEvent> prevu_;   // as predicted for the observer: seen from the place when set
    QString chemin_;
    zeno::ObservedCurve courbe_;
    zeno::CurveFit fit_;
    std::optional<zeno::Approximation> approx_;
    zeno::ObservedTrack piste_;
    zeno::ApproximationFit approxFit_;
    ApproximationView* GraphiqueApprox;

    QLineEdit* TextCode;
    QLineEdit* TextDate;
    QPushButton* CommandChercher;
    QLabel* LabelPrevision;
    QLineEdit* TextFichier;
    QPushButton* CommandFichier;
    QComboBox* ComboTemps;
    QComboBox* ComboFlux;
    QComboBox* ComboIncertitude;
    QComboBox* ComboComparaison;
    QCheckBox* CheckMagnitudes;
    ReductionPlot* Graphique;
    QLabel* LabelResultats;
    QLabel* LabelEtat;
    QPushButton* CommandExporterImage;
    QPushButton* CommandExporterRapport;
    QPushButton* CommandFermer;
};

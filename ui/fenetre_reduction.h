// "Réduire une observation…": an observer's own light curve of a mutual
// event (the photometry program's export, or measured here on the
// recording itself; opened or dropped on the window) fitted with the
// event's predicted curve; the observed time of the minimum with its
// uncertainty, O−C, depth and impact parameter; the plot and a report for
// the campaigns. A recording is measured on a worker thread, with its
// progress and "Annuler".
#pragma once

#include "approximation_fit.h"
#include "light_curve_fit.h"
#include "measurement.h"
#include "settings.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QLocale>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class RecordingView;
class ReductionPlot;
class ApproximationView;
class SharedState;

class FenetreReduction : public QDialog {
    Q_OBJECT
public:
    // `etat`: the observer's place (null: read from the settings store).
    FenetreReduction(const QLocale& locale, QWidget* parent = nullptr,
                     const std::optional<zeno::MutualEvent>& event = std::nullopt, SharedState* etat = nullptr);
    ~FenetreReduction() override;

    // Replaceable for the tests: the files to read (several FITS files: a
    // sequence), the file to write (with a suggested name and filter), the
    // start and rate of a recording without a clock (nullopt: given up),
    // and where messages go.
    std::function<QStringList()> choixOuverture;
    std::function<QString(const QString& nom, const QString& filtre)> choixEnregistrement;
    std::function<std::optional<zeno::RecordingTiming>(const zeno::RecordingInfo&)> choixHoraire;
    std::function<void(const QString&)> message;

    void setEvenement(const zeno::MutualEvent& event);
    // A mutual approximation instead: its observed track (time, Δx, Δy or distance) is reduced.
    void setApproximation(const zeno::Approximation& approximation);
    const std::optional<zeno::Approximation>& approximation() const { return approx_; }
    const zeno::ApproximationFit& ajustementApproximation() const { return approxFit_; }
    // Reads a photometry export (chargeExport) or opens a recording and
    // starts its measurement; false and a message when it cannot be read.
    bool chargeFichier(const QString& chemin);
    // A photometry program's export (layout and columns found from the file), read and fitted.
    bool chargeExport(const QString& chemin);
    // A recording (one file or folder; several files: a FITS sequence)
    // opened and measured on a worker thread; false and a message when it cannot be opened.
    bool chargeEnregistrement(const QStringList& fichiers);
    bool mesureEnCours() const;
    // The recording's measurement, null before one has ended.
    const zeno::CurveMeasurement* mesure() const { return mesure_.get(); }
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
    void CommandAnnuler_Click();
    void CommandEnregistrerCourbe_Click();

signals:
    // A recording's measurement ended: done, failed or cancelled.
    void mesureTerminee();

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    bool ouvre(const QStringList& fichiers);
    void lanceMesure();
    void arreteMesure();
    void finMesure(QFutureWatcher<zeno::CurveMeasurement>* veilleur);
    void oublieEnregistrement();
    QStringList etatEnregistrement() const;
    QString resultatsEnregistrement();
    QList<std::pair<QString, QString>> lignesEnregistrement(const std::function<QString(double, int)>& nombre) const;
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
    void mesureApproximation();   // the recording's measurement become the track
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
    // The recording: its files and timing, the reader the slider reads on
    // this thread (the measurement opens its own), the measurement running
    // and the one shown.
    QStringList enregistrement_;
    zeno::RecordingTiming horaire_;
    std::unique_ptr<zeno::RecordingReader> lecteur_;
    QFutureWatcher<zeno::CurveMeasurement>* veilleur_ = nullptr;
    std::shared_ptr<std::atomic<bool>> annulation_;
    std::shared_ptr<const zeno::CurveMeasurement> mesure_;
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
    QSplitter* Separation;
    RecordingView* VueEnregistrement;
    ReductionPlot* Graphique;
    QLabel* LabelResultats;
    QLabel* LabelEtat;
    QProgressBar* BarreMesure;
    QPushButton* CommandAnnuler;
    QPushButton* CommandEnregistrerCourbe;
    QPushButton* CommandExporterImage;
    QPushButton* CommandExporterRapport;
    QPushButton* CommandFermer;
};

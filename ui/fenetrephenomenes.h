// "Phénomènes": the timetable of a range (the coming night at the observer's
// place by default) with the altitudes of Jupiter and the Sun and whether
// each event can be seen; a double click shows the instant in the main window.
#pragma once

#include "approximations.h"
#include "mutual_events.h"
#include "night.h"
#include "night_programme.h"
#include "settings.h"

#include <QDateTime>
#include <QLocale>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class SharedState;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPrinter;
class QPushButton;
class QSplitter;
class QTableView;
class QThread;
class QToolButton;
class PhenomenaModel;
class MutualEventPanel;
class ApproximationPanel;

class FenetrePhenomenes : public QWidget {
    Q_OBJECT
public:
    // A window of its own; `etat` gives the theory, the offset and the place.
    FenetrePhenomenes(SharedState* etat, const QLocale& locale, QWidget* parent = nullptr);
    ~FenetrePhenomenes() override;

    // The clock's UT now; replaceable to test a known night.
    std::function<QDateTime()> horlogeTU;
    // Where messages go: a message box by default.
    std::function<void(const QString&)> message;
    // Where "Exporter CSV…" writes: a file dialog by default.
    std::function<QString()> choixFichier;
    // Where "PD&F…" and "Agen&da (.ics)…" write: a file dialog (title, suggested name, filter) by default.
    std::function<QString(const QString&, const QString&, const QString&)> choixFichierPour;

    // The longest range the window computes; the companion is there for more.
    static constexpr int kAnneesMax = 10;

    bool calculEnCours() const { return travail_ != nullptr; }
    const std::vector<zeno::ProgrammeRow>& lignes() const;
    PhenomenaModel* modele() const { return modele_; }
    // The mutual events of the range; a row's `mutual` indexes them.
    const std::vector<zeno::MutualEvent>& mutuels() const { return mutuels_; }
    // The mutual approximations of the range; a row's `approximation` indexes them.
    const std::vector<zeno::Approximation>& approximations() const { return approximations_; }
    // Writes the shown rows as CSV through a temporary file; false and a message on failure.
    bool exporte(const QString& chemin);
    QString texteVisible() const;   // the shown rows as CSV, as "Copier" puts them
    // The shown rows as a PDF table; false and a message on failure.
    bool exportePdf(const QString& chemin);
    // The selected rows, or all the shown ones, as an iCalendar file; false and a message on failure.
    bool exporteIcs(const QString& chemin);
    // The shown rows on a printer.
    void imprime(QPrinter* imprimante);

signals:
    void calculTermine();
    // "Réduire une observation…": the main window opens the reduction of this event.
    void reductionDemandee(const zeno::MutualEvent& event);
    // The same for the selected mutual approximation.
    void reductionApproximationDemandee(const zeno::Approximation& approximation);

public slots:
    void ComboPeriode_Change(int index);
    void CommandCalculer_Click();
    void CommandAnnuler_Click();
    void CommandLieu_Click();
    void CommandExporter_Click();
    void CommandCopier_Click();
    void CommandImprimer_Click();
    void CommandPdf_Click();
    void CommandAgenda_Click();
    void Tableau_DblClick(const QModelIndex& index);
    // A mutual event's row shows its light curve and discs below the table.
    void Tableau_SelectionChange(const QModelIndex& index);
    // "Réduire une observation…" of the selected mutual event.
    void CommandReduire_Click();
    // The main window's "Inversion Est-Ouest" and "Inversion Nord-Sud": a mutual event's discs follow them.
    void setInversions(bool estOuest, bool nordSud);
    void CheckTheorie_Click();
    // The shared theory changed: the box follows it and the table is computed again.
    void theorieChangee();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // The range computed; asked in this window (`parUtilisateur`) a fault
    // is a message, else a line in the status.
    void calcule(bool parUtilisateur);
    void signale(const QString& texte, bool modal);
    void ouvrePanneau(const QModelIndex& index);
    void fermePanneau();
    void remplitPeriode();
    void titreNuit(zeno::NightKind kind);
    void afficheLieu();
    void termine(std::vector<zeno::ProgrammeRow> lignes, zeno::Theory theorie, bool corrigee, bool coupe, bool hors);
    // The rows are of the shared theory and of its satellites (L1.2 corrected or not).
    bool lignesAJour() const;
    void bullesTheorie();
    void afficheEtat();
    QDateTime versTU(const QDateTime& local) const;
    void gardeChoix() const;
    void enCalcul(bool oui);
    double decalageHeures(bool* ok) const;
    std::vector<zeno::ProgrammeRow> lignesVisibles() const;
    std::vector<zeno::ProgrammeRow> lignesChoisies() const;
    QString titreDocument() const;
    QString sousTitreDocument() const;

    SharedState* etat_;
    QLocale locale_;
    QStringList reglagesRemis_;   // kept values found unreadable and reset, named
    zeno::Theory theorieLignes_ = zeno::Theory::Original;   // the theory of lignes_
    bool corrigeeLignes_ = true;                              // and its L1.2: corrected or as published
    bool dejaMontree_ = false;
    bool coupe_ = false;   // the last computation was stopped before its end
    bool hors_ = false;    // the precise theory outside its fitted years
    QThread* travail_ = nullptr;
    std::shared_ptr<std::atomic<bool>> annule_;

    QLabel* LabelLieu;
    QPushButton* CommandLieu;
    QComboBox* ComboPeriode;
    QLineEdit* TextDu;
    QLineEdit* TextAu;
    QPushButton* CommandCalculer;
    QPushButton* CommandAnnuler;
    QProgressBar* Progression;
    QComboBox* ComboSatellite;
    QCheckBox* CheckObservables;
    QCheckBox* CheckTheorie;
    QToolButton* BoutonTheorieL12;   // the menu of L1.2 corrected or as published
    QComboBox* ComboFormat;
    QPushButton* CommandExporter;
    QPushButton* CommandCopier;
    QPushButton* CommandImprimer;
    QPushButton* CommandPdf;
    QPushButton* CommandAgenda;
    QPushButton* CommandReduire;
    QTableView* Tableau;
    QLabel* LabelEtat;
    PhenomenaModel* modele_;
    std::vector<zeno::MutualEvent> mutuels_;
    std::vector<zeno::Approximation> approximations_;
    MutualEventPanel* PanneauMutuel;
    QSplitter* Partage;
    int generation_ = 0;   // one more at each computation: a late panel of an old table stays shut
    ApproximationPanel* PanneauApproximation;
};

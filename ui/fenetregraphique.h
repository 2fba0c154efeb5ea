// "Graphique": the month at a glance, the classic chart of the satellites'
// tracks. Time runs down, one band per day; each satellite's offset from
// Jupiter across; the nights at the observer's place shaded. A click asks
// the main window to show that instant (signal allerA).
#pragma once

#include "chart_painter.h"
#include "documents.h"
#include "month_chart.h"
#include "settings.h"

#include <QDateTime>
#include <QLocale>
#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class SharedState;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QThread;

// The chart's drawing surface: as tall as the month at the zoom, painted
// only where exposed.
class ZoneGraphique : public QWidget {
    Q_OBJECT
public:
    // `locale`: the regional settings of the hover's dates and numbers.
    explicit ZoneGraphique(const QLocale& locale, QWidget* parent = nullptr);

    void setGraphique(const zeno::MonthChart* chart, bool flipEW);
    // Pixels per day of the month.
    void setEchelle(double pixelsParJour);
    double echelle() const { return pixelsParJour_; }
    const zeno::ChartPainter* peintre() const { return peintre_.get(); }
    // The y of a UT instant, for scrolling to it.
    int hauteurDe(zeno::UtSeconds ut) const;
    QString description(int satellite, zeno::UtSeconds ut) const;

signals:
    void survol(const QString& texte);
    void clic(zeno::UtSeconds ut);
    void geometrieChangee();
    void zoom(int crans);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    void place();
    const zeno::MonthChart* chart_ = nullptr;
    std::unique_ptr<zeno::ChartPainter> peintre_;
    double pixelsParJour_ = 40;
    QLocale locale_;
};

class FenetreGraphique : public QWidget {
    Q_OBJECT
public:
    FenetreGraphique(SharedState* etat, const QLocale& locale, QWidget* parent = nullptr);
    ~FenetreGraphique() override;

    // Where messages go: a message box by default.
    std::function<void(const QString&)> message;
    // Where "&Enregistrer…" writes: a file dialog by default.
    std::function<QString()> choixFichier;

    bool calculEnCours() const { return travail_ != nullptr; }
    const zeno::MonthChart& graphique() const { return chart_; }
    ZoneGraphique* zone() const { return Zone; }
    // The month shown (computed at once when the window is visible).
    void afficheMois(int annee, int mois);
    // The chart by the extension of the path (.pdf, .svg, .png); false and a message on failure.
    bool enregistre(const QString& chemin);
    // The chart and the month's table on a printer.
    void imprime(QPrinter* imprimante);

signals:
    // A click on the chart: the main window shows this instant.
    void allerA(const QDateTime& ut);
    void calculTermine();

public slots:
    // The main window's flip, which the chart follows.
    void setInversionEstOuest(bool inversee);

    void CommandPrecedent_Click();
    void CommandSuivant_Click();
    void CommandCeMois_Click();
    void ComboHeure_Change(int index);
    void CommandPlus_Click();
    void CommandMoins_Click();
    void CommandImprimer_Click();
    void CommandEnregistrer_Click();

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // Asked by another window (the theory, the offset), a fault is only said in the status line.
    void calcule(bool parUtilisateur = true);
    void termine(zeno::MonthChart chart, const QString& faute);
    zeno::ChartDocumentOptions optionsDocument() const;
    void zoome(double facteur);
    // "Heure locale (<zone>)" in ComboHeure, after the place's zone.
    void nommeHeureLocale();
    // The shared state's theory or offset changed: the chart is computed again when it depends on it.
    void theorieChangee();
    void decalageChange(const QString& texteDecalage);

    SharedState* etat_;   // theory, offset and place, shared with the other windows
    QLocale locale_;
    bool inversee_ = false;
    zeno::MonthChart chart_;
    bool aJour_ = false;          // chart_ is the month, theory and offset asked for
    bool encoreUneFois_ = false;  // asked again while computing
    bool parUtilisateur_ = true;  // the computation under way was asked in this window
    QString reglagesRemis_;       // kept choices found unreadable, named after the status
    QThread* travail_ = nullptr;

    QPushButton* CommandPrecedent;
    QComboBox* ComboMois;
    QSpinBox* SpinAnnee;
    QPushButton* CommandSuivant;
    QPushButton* CommandCeMois;
    QComboBox* ComboHeure;
    QComboBox* ComboPapier;
    QPushButton* CommandMoins;
    QPushButton* CommandPlus;
    QPushButton* CommandImprimer;
    QPushButton* CommandEnregistrer;
    QWidget* Entete;
    QScrollArea* Defilement;
    ZoneGraphique* Zone;
    QWidget* Legende;
    QLabel* LabelEtat;
};

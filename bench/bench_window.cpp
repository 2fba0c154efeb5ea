// A whole computation pass in the main window, offscreen: the labels, both
// scenes redrawn and the main window painted.
#include "documents.h"
#include "fenetregraphique.h"
#include "fenetrephenomenes.h"
#include "form1.h"
#include "settings.h"
#include "form2.h"
#include "zonedessin.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

Form1* fenetre = nullptr;

// Counts the paintings of a widget, to make sure a pass is really painted.
class Peintures : public QObject {
public:
    int nombre = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++nombre;
        return false;
    }
};

void prepare(const QString& date)
{
    fenetre->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(date);
    fenetre->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("1"));
    QCoreApplication::processEvents();
}

bool peint(void (*passe)())
{
    Peintures p;
    auto* scene = fenetre->findChild<ZoneDessin*>(QStringLiteral("Picture1"));
    scene->installEventFilter(&p);
    passe();
    QCoreApplication::processEvents();
    scene->removeEventFilter(&p);
    return p.nombre > 0;
}

// "&OK": Effacinfo, gregor_juli, Parametres, then the event loop paints.
void BM_PasseOK(benchmark::State& state)
{
    prepare(QStringLiteral("01/01/2000 12:00:00"));
    if (!peint([] { fenetre->CommandOk_Click(); }))
        state.SkipWithError("la scène n'a pas été repeinte");
    for (auto _ : state) {
        fenetre->CommandOk_Click();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_PasseOK)->Unit(benchmark::kMicrosecond);

// One animation tick by days: the date stepped and written, the pass, the paint.
void BM_TicAnimation(benchmark::State& state)
{
    prepare(QStringLiteral("01/01/2000 12:00:00"));
    fenetre->OptionGroup_GotFocus(2);
    if (!peint([] { fenetre->minuterie_Timer(); }))
        state.SkipWithError("la scène n'a pas été repeinte");
    int n = 0;
    for (auto _ : state) {
        if (++n % 3000 == 0) {   // stay far from the year 9999
            state.PauseTiming();
            prepare(QStringLiteral("01/01/2000 12:00:00"));
            state.ResumeTiming();
        }
        fenetre->minuterie_Timer();
        QCoreApplication::processEvents();
    }
    fenetre->OptionGroup_GotFocus(3);
}
BENCHMARK(BM_TicAnimation)->Unit(benchmark::kMicrosecond);

// The same tick with the reduced window shown beside (both scenes painted).
void BM_TicDeuxFenetres(benchmark::State& state)
{
    prepare(QStringLiteral("01/01/2000 12:00:00"));
    fenetre->OptionGroup_GotFocus(2);
    fenetre->form2()->show();   // modeless here, to paint both windows
    QCoreApplication::processEvents();
    int n = 0;
    for (auto _ : state) {
        if (++n % 3000 == 0) {
            state.PauseTiming();
            prepare(QStringLiteral("01/01/2000 12:00:00"));
            state.ResumeTiming();
        }
        fenetre->minuterie_Timer();
        QCoreApplication::processEvents();
    }
    fenetre->form2()->hide();
    fenetre->OptionGroup_GotFocus(3);
}
BENCHMARK(BM_TicDeuxFenetres)->Unit(benchmark::kMicrosecond);

// The pass alone, without the event loop: what the handler itself costs.
void BM_PasseSansPeinture(benchmark::State& state)
{
    prepare(QStringLiteral("01/01/2000 12:00:00"));
    for (auto _ : state)
        fenetre->CommandOk_Click();
    QCoreApplication::processEvents();
}
BENCHMARK(BM_PasseSansPeinture)->Unit(benchmark::kMicrosecond);

// The worst case: the whole main window repainted after a pass.
void BM_PasseRepeintureComplete(benchmark::State& state)
{
    prepare(QStringLiteral("01/01/2000 12:00:00"));
    for (auto _ : state) {
        fenetre->CommandOk_Click();
        fenetre->repaint();
    }
}
BENCHMARK(BM_PasseRepeintureComplete)->Unit(benchmark::kMicrosecond);

// "Phénomènes" opened for the first time: the window built and shown, the
// coming night found and its table computed and displayed.
void BM_OuverturePhenomenes(benchmark::State& state)
{
    QTemporaryDir dossier;
    settings::setFile(dossier.filePath(QStringLiteral("bench.ini")));
    for (auto _ : state) {
        Form1 f(QLocale(QLocale::French, QLocale::France));
        FenetrePhenomenes* p = f.fenetrePhenomenes();
        p->horlogeTU = [] { return QDateTime(QDate(2024, 12, 3), QTime(12, 0), Qt::UTC); };
        QSignalSpy fini(p, &FenetrePhenomenes::calculTermine);
        f.LabPhenomenes_Click();
        if (!fini.wait(10000))
            state.SkipWithError("le calcul ne s'est pas terminé");
        QCoreApplication::processEvents();
        state.PauseTiming();
        p->close();
        state.ResumeTiming();
    }
    settings::setFile(QString());
}
BENCHMARK(BM_OuverturePhenomenes)->Unit(benchmark::kMillisecond);

// The phenomena window of `f` opened on the season of mutual events
// (1 August 2026 - 1 November 2027, the range saved in the settings) and
// computed: the search in the worker thread, the rows placed at Paris, the
// table filled.
FenetrePhenomenes* ouvreSaison(Form1& f, benchmark::State& state)
{
    FenetrePhenomenes* p = f.fenetrePhenomenes();
    QSignalSpy fini(p, &FenetrePhenomenes::calculTermine);
    f.LabPhenomenes_Click();
    if (!fini.wait(60000) || p->mutuels().empty())
        state.SkipWithError("la saison ne s'est pas calculée");
    QCoreApplication::processEvents();
    return p;
}

void BM_SaisonMutuels(benchmark::State& state)
{
    QTemporaryDir dossier;
    settings::setFile(dossier.filePath(QStringLiteral("bench.ini")));
    settings::open()->setValue(QStringLiteral("phenomenes/periode"), 5);
    for (auto _ : state) {
        Form1 f(QLocale(QLocale::French, QLocale::France));
        FenetrePhenomenes* p = ouvreSaison(f, state);
        state.PauseTiming();
        p->close();
        state.ResumeTiming();
    }
    settings::setFile(QString());
}
BENCHMARK(BM_SaisonMutuels)->Unit(benchmark::kMillisecond)->Iterations(3);

// One event after another selected: its curve and the discs' path computed, the window repainted.
void BM_SelectionMutuel(benchmark::State& state)
{
    QTemporaryDir dossier;
    settings::setFile(dossier.filePath(QStringLiteral("bench.ini")));
    settings::open()->setValue(QStringLiteral("phenomenes/periode"), 5);
    Form1 f(QLocale(QLocale::French, QLocale::France));
    auto* tableau = ouvreSaison(f, state)->findChild<QTableView*>(QStringLiteral("Tableau"));
    int ligne = 0;
    for (auto _ : state) {
        tableau->setCurrentIndex(tableau->model()->index(ligne++ % tableau->model()->rowCount(), 0));
        tableau->window()->repaint();
    }
    settings::setFile(QString());
}
BENCHMARK(BM_SelectionMutuel)->Unit(benchmark::kMillisecond);

// The chart window scrolled by a tenth of its view and repainted, March 2025
// at the default zoom (what a wheel notch costs).
void BM_RepeintureGraphique(benchmark::State& state)
{
    QTemporaryDir dossier;
    settings::setFile(dossier.filePath(QStringLiteral("bench.ini")));
    FenetreGraphique* g = fenetre->fenetreGraphique();
    QSignalSpy fini(g, &FenetreGraphique::calculTermine);
    g->afficheMois(2025, 3);
    g->show();
    if (!fini.wait(20000))
        state.SkipWithError("le calcul ne s'est pas terminé");
    QCoreApplication::processEvents();
    QScrollBar* barre = g->findChild<QScrollArea*>(QStringLiteral("Defilement"))->verticalScrollBar();
    int pas = barre->pageStep() / 10;
    for (auto _ : state) {
        if (barre->value() + pas > barre->maximum() || barre->value() + pas < 0)
            pas = -pas;
        barre->setValue(barre->value() + pas);
        g->zone()->repaint();
    }
    g->close();
    settings::setFile(QString());
}
BENCHMARK(BM_RepeintureGraphique)->Unit(benchmark::kMillisecond);

// A month's PDF: the chart page and the month's table (March 2025, Paris,
// the Red Spot), from the computed month.
void BM_PdfMois(benchmark::State& state)
{
    zeno::MonthChartOptions o;
    o.year = 2025;
    o.month = 3;
    o.site = zeno::Site{};
    o.grs = zeno::RedSpot{};
    const zeno::MonthChart c = zeno::computeMonthChart(o, QLocale(QLocale::French, QLocale::France));
    zeno::ChartDocumentOptions d;
    d.placeText = QStringLiteral("Paris");
    for (auto _ : state)
        benchmark::DoNotOptimize(zeno::monthPdf(c, d, QLocale(QLocale::French, QLocale::France)).size());
}
BENCHMARK(BM_PdfMois)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    Form1 f(QLocale(QLocale::French, QLocale::France));
    f.messageErreur = [](const QString& texte) { qFatal("%s", qPrintable(texte)); };
    f.show();
    QCoreApplication::processEvents();
    fenetre = &f;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fenetre = nullptr;
    return 0;
}

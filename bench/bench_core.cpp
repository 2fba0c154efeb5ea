// Speed of the ephemeris and of a whole headless pass. The animation runs a
// pass every 40 ms; these must be a negligible part of it.
#include "approximations.h"
#include "l12_correction.h"
#include "calendar.h"
#include "enregistreur.h"
#include "ephemeride.h"
#include "events.h"
#include "light_curve_fit.h"
#include "modern_theory.h"
#include "month_chart.h"
#include "mutual_events.h"
#include "night.h"
#include "passe.h"
#include "night_programme.h"
#include "regional.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace zeno;

namespace {

const QLocale kFrench(QLocale::French, QLocale::France);

// One computation of the record (calculeJupiter and calculeSatellites), dates a minute apart.
void BM_Ephemeride(benchmark::State& state)
{
    std::vector<JourJulienTU> days;
    for (int i = 0; i < 1024; ++i)
        days.push_back(gregorJuli(QStringLiteral("01/01/2000 12:%1:00").arg(i % 60, 2, 10, QLatin1Char('0')),
                                  QString::number(i % 24 - 12), kFrench));
    Ephemeride e;
    std::size_t i = 0;
    for (auto _ : state) {
        calculeJupiter(e, days[i++ & 1023], kFrench);
        calculeSatellites(e);
        benchmark::DoNotOptimize(e.Y4);
    }
}
BENCHMARK(BM_Ephemeride);

// Effacinfo, gregor_juli and Parametres, as "&OK" runs them, into a recording host.
void BM_PassHeadless(benchmark::State& state)
{
    Enregistreur host;
    Calcul calcul(host, kFrench);
    const QString dates[2] = {QStringLiteral("01/01/2000 12:00:00"), QStringLiteral("03/12/2024 21:00:00")};
    std::size_t i = 0;
    for (auto _ : state) {
        calcul.passe(dates[i++ & 1], QStringLiteral("0"));
        benchmark::DoNotOptimize(host.discs.data());
    }
}
BENCHMARK(BM_PassHeadless);

// A year of Io's phenomena, found by stepping and bisection.
void BM_EventsIoYear(benchmark::State& state)
{
    const QDateTime from(QDate(2024, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime to(QDate(2025, 1, 1), QTime(0, 0), Qt::UTC);
    for (auto _ : state)
        benchmark::DoNotOptimize(findEvents(from, to, 0, Step{}, 0).size());
}
BENCHMARK(BM_EventsIoYear)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// A year of the four satellites' phenomena in the original theory.
void BM_EventsYearOriginal(benchmark::State& state)
{
    const QDateTime from(QDate(2025, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime to(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
    for (auto _ : state)
        benchmark::DoNotOptimize(findEvents(from, to, 0, Step{}).size());
}
BENCHMARK(BM_EventsYearOriginal)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// The modern theory's record alone, dates a minute apart (planets from the node cache).
void BM_EphemerideModerne(benchmark::State& state)
{
    double jd = 2460676.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(computeModern(jd).X4);
        jd += 1.0 / 1440;
    }
}
BENCHMARK(BM_EphemerideModerne);

// A whole headless pass in the precise theory, as the timetable probes it.
// Arg 1: L1.2 corrected (the default); 0: as published. The difference is the correction's cost.
void BM_PassModerne(benchmark::State& state)
{
    setL12Corrected(state.range(0) != 0);
    Enregistreur host;
    Calcul calcul(host, kFrench);
    calcul.setTheorie(Theory::Precise);
    const QString dates[2] = {QStringLiteral("01/01/2025 12:00:00"), QStringLiteral("01/01/2025 12:01:00")};
    std::size_t i = 0;
    for (auto _ : state) {
        calcul.passe(dates[i++ & 1], QStringLiteral("0"));
        benchmark::DoNotOptimize(host.discs.data());
    }
    setL12Corrected(true);
}
BENCHMARK(BM_PassModerne)->Arg(0)->Arg(1);

// A year of the four satellites' phenomena in the precise theory.
void BM_EventsYearPrecise(benchmark::State& state)
{
    const QDateTime from(QDate(2025, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime to(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            findEvents(from, to, 0, Step{}, -1, Theory::Precise).size());
}
BENCHMARK(BM_EventsYearPrecise)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// The phenomena window's table: the four satellites, the Red Spot's
// transits, the altitudes at Paris; the coming night found first.
void BM_ProgrammeNuit(benchmark::State& state)
{
    const Site paris;
    for (auto _ : state) {
        const Night nuit = comingNight(QDateTime(QDate(2024, 12, 3), QTime(12, 0), Qt::UTC), paris);
        ProgrammeOptions o;
        o.fromUt = nuit.startUt;
        o.toUt = nuit.endUt;
        o.grs = RedSpot{};
        o.site = paris;
        benchmark::DoNotOptimize(buildProgramme(o).size());
    }
}
BENCHMARK(BM_ProgrammeNuit)->Unit(benchmark::kMillisecond);

void BM_ProgrammeMois(benchmark::State& state)
{
    ProgrammeOptions o;
    o.fromUt = QDateTime(QDate(2024, 12, 1), QTime(0, 0), Qt::UTC);
    o.toUt = QDateTime(QDate(2025, 1, 1), QTime(0, 0), Qt::UTC);
    o.grs = RedSpot{};
    o.site = Site{};
    for (auto _ : state)
        benchmark::DoNotOptimize(buildProgramme(o).size());
}
BENCHMARK(BM_ProgrammeMois)->Unit(benchmark::kMillisecond);

// The month's tracks for the chart: the four X of the pass every 20 minutes,
// March 2025; argument 0 the original theory, 1 the precise one.
void BM_MonthTracks(benchmark::State& state)
{
    const UtSeconds start = QDateTime(QDate(2025, 3, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
    const UtSeconds end = QDateTime(QDate(2025, 4, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
    const Theory theorie = state.range(0) ? Theory::Precise : Theory::Original;
    for (auto _ : state)
        benchmark::DoNotOptimize(computeTracks(start, end, kTrackStepSeconds, theorie, kFrench).size());
}
BENCHMARK(BM_MonthTracks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What the chart window computes for a month: the tracks, the month's
// timetable with the Red Spot and the altitudes at Paris, the nights, and in
// the precise theory the mutual events (December 2026, in their season).
void BM_MonthChart(benchmark::State& state)
{
    MonthChartOptions o;
    o.year = 2026;
    o.month = 12;
    o.theorie = state.range(0) ? Theory::Precise : Theory::Original;
    o.site = Site{};
    o.grs = RedSpot{};
    for (auto _ : state)
        benchmark::DoNotOptimize(computeMonthChart(o, kFrench).rows.size());
}
BENCHMARK(BM_MonthChart)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The mutual events of the 2026-2027 season, and of its busiest month.
search::Seconds utSeconds(int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0), Qt::UTC).toSecsSinceEpoch(); }

void BM_MutualSeason(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(findMutualEvents(utSeconds(2026, 8, 1), utSeconds(2027, 11, 1)).size());
}
BENCHMARK(BM_MutualSeason)->Unit(benchmark::kMillisecond);

void BM_MutualMonth(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(findMutualEvents(utSeconds(2026, 12, 1), utSeconds(2027, 1, 1)).size());
}
BENCHMARK(BM_MutualMonth)->Unit(benchmark::kMillisecond);

// A year of mutual approximations, the six pairs, on one core: out of
// the mutual events' season (2025) and in it (2026), geocentric and from Paris.
void BM_ApproximationsYear(benchmark::State& state)
{
    ApproximationOptions o;
    o.threads = 1;
    if (state.range(1))
        o.site = Site{};
    const int year = int(state.range(0));
    std::size_t found = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(found = findApproximations(utSeconds(year, 1, 1), utSeconds(year + 1, 1, 1), o).size());
    state.counters["approximations"] = double(found);
}
BENCHMARK(BM_ApproximationsYear)->Args({2025, 0})->Args({2025, 1})->Args({2026, 1})->Unit(benchmark::kMillisecond);

// One event's light curve, 600 points.
void BM_MutualLightCurve(benchmark::State& state)
{
    const auto events = findMutualEvents(utSeconds(2026, 12, 1), utSeconds(2026, 12, 3));
    if (events.empty()) {
        state.SkipWithError("no event");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(lightCurve(events.front()).size());
}
BENCHMARK(BM_MutualLightCurve)->Unit(benchmark::kMillisecond);

// The reduction of an observed light curve: 10 000 noisy points of an
// eclipse (3E2, 2 December 2026) on a sloping baseline, fitted.
void BM_FitLightCurve(benchmark::State& state)
{
    const auto ev = findMutualEvent(*parseMutualCode(QStringLiteral("3E2")),
                                    QDateTime(QDate(2026, 12, 2), QTime(21, 47), Qt::UTC).toSecsSinceEpoch(), 600);
    const EventShape shape = eventShape(*ev);
    std::mt19937 rng(1);
    std::normal_distribution<double> noise(0, 0.01);
    std::vector<ObservedPoint> points;
    const double from = double(ev->start) - 1500, to = double(ev->end) + 1500;
    for (int i = 0; i < 10000; ++i) {
        const double t = from + (to - from) * i / 9999, tau = t - shape.tMax;
        points.push_back({t, (1.2 + 0.03 * tau / 3600) * shapeFlux(shape, tau - 17) + noise(rng), 0.01});
    }
    if (!fitLightCurve(*ev, points, kFrench).converged) {
        state.SkipWithError("the fit does not converge");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(fitLightCurve(*ev, points, kFrench).shiftS);
}
BENCHMARK(BM_FitLightCurve)->Unit(benchmark::kMillisecond);

// An export of 100 000 rows read: Tangra's layout (a preamble, times of
// day in [ ], raw signals and backgrounds of two objects), UTF-8.
void BM_ReadExport(benchmark::State& state)
{
    QByteArray text = "Tangra v3.7.5\r\nFrameNo,Time (UT),Signal (1),Background (1),Signal (2),Background (2)\r\n";
    for (int i = 0; i < 100000; ++i) {
        const int ms = 21 * 3600000 + 40 * i;
        text += QStringLiteral("%1,[%2:%3:%4.%5],%6,800.12,3601.5,600.2\r\n")
                    .arg(i)
                    .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
                    .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
                    .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
                    .arg(ms % 1000, 3, 10, QLatin1Char('0'))
                    .arg(double(5000 + i % 97), 0, 'f', 2)
                    .toLatin1();
    }
    CurveColumns dates;
    dates.dateNearUt = QDateTime(QDate(2026, 12, 31), QTime(22, 0), Qt::UTC).toSecsSinceEpoch();
    if (readObservedCurve(text, dates).points.size() != 100000) {
        state.SkipWithError("the export is not read whole");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(readObservedCurve(text, dates).points.data());
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
}
BENCHMARK(BM_ReadExport)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

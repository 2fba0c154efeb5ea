// Speed and memory of measuring a recording: a 640 × 480 16-bit SER of the
// event 3E1 of 31/12/2026 (a few distinct frames repeated, the time stamps
// running on), measured whole. The resident memory must not grow with the
// recording's length: only the apertures' regions of a frame are read.
#include "synthetic.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

using namespace zeno;

namespace {

constexpr int kDistinctFrames = 16;

QString serOf(int frames)
{
    const QString path = QDir::temp().filePath(QStringLiteral("zenolune_bench_%1.ser").arg(frames));
    if (QFile::exists(path))
        return path;
    test::SyntheticScene s;
    s.event = test::eventOf("3E1", "2026-12-31");
    s.width = 640;
    s.height = 480;
    s.frames = frames;
    s.cadenceS = 40.0 / frames;   // 40 s whatever the length: the distinct frames stay where predicted
    s.choose();
    QByteArray header(kSerHeaderBytes, '\0');
    std::memcpy(header.data(), "LUCAM-RECORDER", 14);
    const int32_t fields[7] = {0, 0, 0, s.width, s.height, 16, frames};
    std::memcpy(header.data() + 14, fields, sizeof fields);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(header);
    std::mt19937 rng(1);
    std::vector<std::vector<uint16_t>> distinct;
    for (int i = 0; i < kDistinctFrames; ++i)
        distinct.push_back(s.render(i, rng));
    for (int i = 0; i < frames; ++i)
        f.write(reinterpret_cast<const char*>(distinct[size_t(i % kDistinctFrames)].data()), qint64(distinct[0].size() * 2));
    for (int i = 0; i < frames; ++i) {
        const int64_t t = unixSecondsToSerTicks(s.time(i));
        f.write(reinterpret_cast<const char*>(&t), 8);
    }
    return path;
}

double residentMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024;   // kilobytes on Linux
}

void BM_MeasureSer640x480(benchmark::State& state)
{
    const int frames = int(state.range(0));
    const QString path = serOf(frames);
    const MutualEvent ev = test::eventOf("3E1", "2026-12-31");
    for (auto _ : state) {
        OpenedRecording r = openRecording(path);
        if (!r.reader) {
            state.SkipWithError(r.error.toStdString().c_str());
            return;
        }
        MeasureOptions o;
        o.event = ev;
        const CurveMeasurement m = measureRecording(*r.reader, o);
        if (!m.error.isEmpty() || m.frames.size() < size_t(frames) * 9 / 10) {
            state.SkipWithError(m.error.isEmpty() ? "frames dropped" : m.error.toStdString().c_str());
            return;
        }
        benchmark::DoNotOptimize(m.frames.back().relativeFlux);
    }
    state.SetItemsProcessed(state.iterations() * frames);
    state.counters["peak_resident_MB"] = residentMb();
}
// Finding and naming the sources on the first frames, the fixed part of a measurement.
void BM_IdentifySer640x480(benchmark::State& state)
{
    const QString path = serOf(1000);
    const MutualEvent ev = test::eventOf("3E1", "2026-12-31");
    OpenedRecording r = openRecording(path);
    for (auto _ : state) {
        MeasureOptions o;
        o.event = ev;
        const CurveMeasurement m = identifySatellites(*r.reader, o);
        benchmark::DoNotOptimize(m.identification.rmsPx);
    }
}
BENCHMARK(BM_IdentifySer640x480)->Unit(benchmark::kMillisecond);

// A mutual approximation recorded (1A2 of 02/01/2026, 400 × 100, 600 s):
// both centroids followed in every frame, then the central instant fitted.
void BM_ReduceApproximationSer(benchmark::State& state)
{
    const int frames = int(state.range(0));
    const auto a = findApproximation(0, 1, QDateTime(QDate(2026, 1, 2), QTime(17, 43), Qt::UTC).toSecsSinceEpoch(), {});
    const QString path = QDir::temp().filePath(QStringLiteral("zenolune_bench_1A2_%1.ser").arg(frames));
    test::SyntheticScene s;
    s.approximation = a;
    s.width = 400;
    s.height = 100;
    s.pixelsPerRadius = 25;
    s.frames = frames;
    s.cadenceS = 600.0 / frames;
    if (!a || (!QFile::exists(path) && !test::writeSer(path, s))) {
        state.SkipWithError("no recording");
        return;
    }
    for (auto _ : state) {
        OpenedRecording r = openRecording(path);
        MeasureOptions o;
        o.approximation = std::pair(0, 1);
        const CurveMeasurement m = measureRecording(*r.reader, o);
        const ApproximationFit fit = fitApproximation(measuredTrack(m).samples);
        if (!fit.converged) {
            state.SkipWithError("not converged");
            return;
        }
        state.counters["sigma_s"] = fit.centralSigmaS;
        state.counters["fitted_minus_rendered_s"] = fit.centralUt - s.leastDistanceUt();
    }
    state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_ReduceApproximationSer)->Arg(600)->Unit(benchmark::kMillisecond)->Iterations(1);

// The longer recording after the shorter: the peak resident memory must stay.
// The rate is per second of CPU: one core, whatever else the machine runs.
BENCHMARK(BM_MeasureSer640x480)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();

// The recording measured end to end on synthetic recordings of 3E1 of
// 31/12/2026 made from the program's own model, and bad recordings refused
// with a message.
#include "synthetic.h"

#include "light_curve_fit.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace zeno::test {
namespace {

class Recording : public ::testing::Test {
protected:
    static void SetUpTestSuite() { event_ = new MutualEvent(eventOf("3E1", "2026-12-31")); }
    QTemporaryDir dir_;
    static MutualEvent* event_;
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    SyntheticScene scene() const
    {
        SyntheticScene s;
        s.event = *event_;
        s.choose();
        return s;
    }

    // Measured and fitted: the O−C found within 3 sigma of the shift.
    void expectShift(RecordingReader& reader, const SyntheticScene& s)
    {
        MeasureOptions o;
        o.event = s.event;
        int calls = 0;
        const CurveMeasurement m = measureRecording(reader, o, [&](int, int) { return ++calls > 0; });
        ASSERT_TRUE(m.error.isEmpty()) << m.error.toStdString();
        EXPECT_GT(calls, 0);
        EXPECT_EQ(m.dropped(), 0) << droppedFramesText(m).toStdString();
        const CurveFit fit = fitLightCurve(s.event, measuredPoints(m));
        ASSERT_TRUE(fit.error.isEmpty()) << fit.error.toStdString();
        EXPECT_TRUE(fit.converged) << fit.failure.toStdString();
        EXPECT_LT(std::abs(fit.shiftS - s.shiftS), 3 * fit.shiftSigmaS + 0.5)
            << "O-C " << fit.shiftS << " ± " << fit.shiftSigmaS;
        // Read back as the program reads a light curve.
        const ObservedCurve back = readObservedCurve(measuredCurveCsv(m, reader.info().path));
        ASSERT_TRUE(back.error.isEmpty()) << back.error.toStdString();
        ASSERT_EQ(back.points.size(), m.frames.size());
        EXPECT_NEAR(back.points[5].flux, m.frames[5].relativeFlux, 1e-8);
        EXPECT_NEAR(back.points[5].ut, m.frames[5].ut, 1e-3);
    }
};
MutualEvent* Recording::event_ = nullptr;

TEST_F(Recording, SerWithTimeStampsNamesTheSatellitesUnderRotationAndMirror)
{
    SyntheticScene s = scene();
    s.rotationDeg = 130;
    s.flip = true;
    ASSERT_TRUE(writeSer(path("e.ser"), s));
    OpenedRecording r = openRecording(path("e.ser"));
    ASSERT_TRUE(r.reader) << r.error.toStdString();
    EXPECT_TRUE(r.reader->info().timesFromFile);
    EXPECT_NEAR(*r.reader->frameTime(3), s.time(3), 1e-6);

    const CurveMeasurement id = identifySatellites(*r.reader, {});
    ASSERT_TRUE(id.error.isEmpty()) << id.error.toStdString();
    EXPECT_EQ(id.event.code(), QStringLiteral("3E1"));   // found from the recording's times
    EXPECT_TRUE(id.identification.flipped);
    EXPECT_NEAR(id.identification.pixelsPerJupiterRadius, s.pixelsPerRadius, 0.05 * s.pixelsPerRadius);
    for (int k = 0; k < 4; ++k)
        if (id.identification.found[k]) {
            const std::complex<double> found(id.identification.x[k], id.identification.y[k]);
            EXPECT_LT(std::abs(found - s.place(k, s.time(0))), 1.5) << "satellite " << k;
        }
    expectShift(*r.reader, s);
}

TEST_F(Recording, FitsCubeAndItsTimes)
{
    SyntheticScene s = scene();
    s.rotationDeg = -20;
    ASSERT_TRUE(writeFitsCube(path("e.fits"), s));
    OpenedRecording r = openRecording(path("e.fits"));
    ASSERT_TRUE(r.reader) << r.error.toStdString();
    EXPECT_NEAR(*r.reader->frameTime(10), s.time(10), 1e-3);
    expectShift(*r.reader, s);
}

TEST_F(Recording, VideoWithTheStartGivenByTheUser)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        GTEST_SKIP() << "ffmpeg absent";
    SyntheticScene s = scene();
    s.flip = true;
    QProcess p;
    p.start(ffmpeg, {"-loglevel", "error", "-f", "rawvideo", "-pix_fmt", "gray16le", "-s",
                     QStringLiteral("%1x%2").arg(s.width).arg(s.height), "-r", "1/2", "-i", "-", "-c:v", "ffv1", "-y",
                     path("e.avi")});
    p.waitForStarted();
    p.write(rawFrames(s));
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(120000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();

    OpenedRecording none = openRecording(path("e.avi"));
    ASSERT_TRUE(none.reader) << none.error.toStdString();
    EXPECT_EQ(none.reader->info().frames, s.frameCount());
    EXPECT_DOUBLE_EQ(none.reader->info().fileFps, 0.5);   // offered by the timing dialog
    EXPECT_TRUE(measureRecording(*none.reader).error.contains(QStringLiteral("--start")));

    OpenedRecording r = openRecording(path("e.avi"), RecordingTiming{s.start(), std::nullopt});
    ASSERT_TRUE(r.reader);
    expectShift(*r.reader, s);
}

TEST_F(Recording, BadRecordingsSaySo)
{
    SyntheticScene s = scene();
    s.frames = 8;
    ASSERT_TRUE(writeSer(path("ok.ser"), s));
    QFile f(path("ok.ser"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();

    auto refused = [&](const char* name, const QByteArray& bytes, const char* says) {
        QFile out(path(name));
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        out.close();
        const OpenedRecording r = openRecording(path(name));
        EXPECT_FALSE(r.reader) << name;
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(says))) << name << ": " << r.error.toStdString();
    };
    refused("short.ser", whole.left(100), "trop court");
    refused("truncated.ser", whole.left(kSerHeaderBytes + 3 * s.width * s.height * 2 + 17), "tronqué");
    QByteArray overrun = whole;
    const int32_t many = 1 << 28;
    std::memcpy(overrun.data() + 38, &many, 4);
    refused("overrun.ser", overrun, "tronqué");
    refused("notser.ser", QByteArray(400, 'x'), "LUCAM-RECORDER");
    refused("empty.avi", QByteArray(), "vidéo");
    refused("garbage.fits", QByteArray(2880, ' '), "FITS");

    // A FITS cube without DATE-OBS opens, and its measurement asks for the time.
    ASSERT_TRUE(writeFitsCube(path("undated.fits"), s, false));
    OpenedRecording undated = openRecording(path("undated.fits"));
    ASSERT_TRUE(undated.reader);
    EXPECT_TRUE(measureRecording(*undated.reader).error.contains(QStringLiteral("heure")));

    // Every frame saturated: each dropped and counted, then said.
    OpenedRecording ok = openRecording(path("ok.ser"));
    ASSERT_TRUE(ok.reader);
    MeasureOptions low{s.event};
    low.saturation = s.skyAdu * 2;
    const CurveMeasurement saturated = measureRecording(*ok.reader, low);
    EXPECT_EQ(saturated.droppedSaturated, s.frames);
    EXPECT_TRUE(saturated.error.contains(QStringLiteral("saturée"))) << saturated.error.toStdString();

    // No satellite, then only one.
    for (int kept : {-1, s.event.occulter}) {
        SyntheticScene few = s;
        for (int k = 0; k < 4; ++k)
            few.satellites[k] = k == kept;
        ASSERT_TRUE(writeSer(path("few.ser"), few));
        OpenedRecording r = openRecording(path("few.ser"));
        ASSERT_TRUE(r.reader);
        const CurveMeasurement m = measureRecording(*r.reader, MeasureOptions{s.event});
        EXPECT_TRUE(m.error.contains(kept < 0 ? QStringLiteral("aucun satellite") : QStringLiteral("un seul satellite")))
            << m.error.toStdString();
    }
}

TEST_F(Recording, CancelStopsTheMeasurement)
{
    SyntheticScene s = scene();
    ASSERT_TRUE(writeSer(path("e.ser"), s));
    OpenedRecording r = openRecording(path("e.ser"));
    ASSERT_TRUE(r.reader);
    const CurveMeasurement m = measureRecording(*r.reader, MeasureOptions{s.event}, [](int done, int) { return done < 64; });
    EXPECT_TRUE(m.cancelled);
    EXPECT_EQ(m.framesRead, 64);
}

// A mutual approximation recorded: both satellites followed on their
// centroids, the track in arcsec through the naming's scale, the central
// instant fitted within 3 sigma of the pass as rendered (8.4 s late), by the
// core and by the companion.
TEST_F(Recording, ApproximationCentralInstantFromTheCentroids)
{
    const auto a = findApproximation(0, 1, QDateTime(QDate(2026, 1, 2), QTime(17, 43), Qt::UTC).toSecsSinceEpoch(), {});
    ASSERT_TRUE(a);
    SyntheticScene s;
    s.approximation = a;
    s.shiftS = 8.4;
    s.width = 400;
    s.height = 100;
    s.pixelsPerRadius = 25;   // a disc SEP splits into pieces; Io, Europe and Callisto in the frame; the pair 7 px apart
    s.rotationDeg = 180;
    s.flip = true;
    s.cadenceS = 4;
    s.frames = 151;
    ASSERT_TRUE(writeSer(path("a.ser"), s));
    OpenedRecording r = openRecording(path("a.ser"));
    ASSERT_TRUE(r.reader) << r.error.toStdString();
    MeasureOptions o;
    o.approximation = std::pair(0, 1);
    const CurveMeasurement m = measureRecording(*r.reader, o);
    ASSERT_TRUE(m.error.isEmpty()) << m.error.toStdString();
    EXPECT_EQ(m.dropped(), 0) << droppedFramesText(m).toStdString();
    const ObservedTrack track = measuredTrack(m);
    ASSERT_EQ(track.unit, TrackUnit::Arcsec);
    const ApproximationFit fit = fitApproximation(track.samples);
    ASSERT_TRUE(fit.converged) << fit.error.toStdString() << fit.failure.toStdString();
    const double known = s.leastDistanceUt();
    EXPECT_LT(std::abs(fit.centralUt - known), 3 * fit.centralSigmaS) << fit.centralUt - known << " s, sigma " << fit.centralSigmaS;
    EXPECT_NEAR(fit.distance, a->distanceArcsec, 0.01 * a->distanceArcsec);   // the neighbour kept out of each centroid
    const ObservedTrack back = readObservedTrack(measuredTrackCsv(m, path("a.ser")));
    ASSERT_TRUE(back.error.isEmpty()) << back.error.toStdString();
    ASSERT_EQ(back.samples.size(), track.samples.size());
    EXPECT_NEAR(back.samples[7].distance, track.samples[7].distance, 1e-3);

    QProcess p;
    p.start(QStringLiteral(ZENOLUNE_EPHEM), {"--reduce", path("a.ser"), "--approx", "1A2,2026-01-02T17:30:00"});
    ASSERT_TRUE(p.waitForFinished(300000));
    const QByteArray json = p.readAllStandardOutput();
    EXPECT_EQ(p.exitCode(), 0) << json.toStdString() << p.readAllStandardError().toStdString();
    EXPECT_TRUE(json.contains("\"converged\":true") && json.contains("\"unit\":\"arcsec\"")) << json.toStdString();
}

} // namespace
} // namespace zeno::test

namespace zeno::test {
namespace {

// The companion measures a recording, and reduces one as it reduces a CSV.
TEST_F(Recording, CompanionMeasuresAndReduces)
{
    SyntheticScene s = scene();
    ASSERT_TRUE(writeSer(path("e.ser"), s));
    QProcess p;
    p.start(QStringLiteral(ZENOLUNE_EPHEM), {"--measure", path("e.ser"), "--out", path("e.csv")});
    ASSERT_TRUE(p.waitForFinished(300000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_TRUE(p.readAllStandardOutput().contains("\"code\": \"3E1\""));
    EXPECT_TRUE(readObservedCurve(QString::fromUtf8([&] {
                    QFile f(path("e.csv"));
                    f.open(QIODevice::ReadOnly);
                    return f.readAll();
                }())).error.isEmpty());

    p.start(QStringLiteral(ZENOLUNE_EPHEM), {"--reduce", path("e.ser"), "--event", "3E1,31/12/2026 07:40:00"});
    ASSERT_TRUE(p.waitForFinished(300000));
    const QByteArray json = p.readAllStandardOutput();
    EXPECT_EQ(p.exitCode(), 0) << json.toStdString() << p.readAllStandardError().toStdString();
    EXPECT_TRUE(json.contains("\"converged\": true")) << json.toStdString();

    // A recording with no time, and no --start: said, exit 1.
    ASSERT_TRUE(writeSer(path("untimed.ser"), s, false));
    QFile f(path("untimed.ser"));
    f.open(QIODevice::ReadWrite);
    f.seek(162);
    f.write(QByteArray(16, '\0'));   // no start either
    f.close();
    p.start(QStringLiteral(ZENOLUNE_EPHEM), {"--measure", path("untimed.ser"), "--out", path("u.csv")});
    ASSERT_TRUE(p.waitForFinished(300000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().contains("--start"));
}

} // namespace
} // namespace zeno::test

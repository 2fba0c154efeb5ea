// Mutual approximations: the search against a fine scan, passes of known
// kinds, and the central instant fitted to noisy synthetic tracks.
#include "approximation_fit.h"
#include "approximations.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <cmath>
#include <random>

namespace zeno {
namespace {

search::Seconds ut(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch();
}

TEST(Approximations, SearchFindsEveryMinimumOfAFineScan)
{
    ApproximationOptions o;
    const search::Seconds from = ut(2025, 3, 1), to = ut(2025, 3, 8);
    const std::vector<Approximation> found = findApproximations(from, to, o);
    ASSERT_FALSE(found.empty());
    // Every pair's distance sampled each minute: each local minimum below the threshold is found once.
    int minima = 0;
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b) {
            Approximation probe;
            probe.first = a;
            probe.second = b;
            double d0 = 1e9, d1 = 1e9;
            for (search::Seconds t = from; t <= to; t += 60) {
                const double d2 = approximationOffsetAt(probe, double(t)).distance();
                if (d1 < d0 && d1 <= d2 && d1 < o.maxDistanceArcsec) {
                    ++minima;
                    const auto match = std::count_if(found.begin(), found.end(), [&](const Approximation& x) {
                        return x.first == a && x.second == b && std::abs(x.centralUt - double(t - 60)) < 61;
                    });
                    EXPECT_EQ(match, 1) << a + 1 << "A" << b + 1 << " near " << t - 60;
                }
                d0 = d1;
                d1 = d2;
            }
        }
    EXPECT_EQ(int(found.size()), minima);
    for (const Approximation& x : found) {
        EXPECT_LT(x.distanceArcsec, o.maxDistanceArcsec);
        EXPECT_GE(x.centralUt, double(from));
        EXPECT_LE(x.centralUt, double(to));
        // The reported least distance is the track's least.
        EXPECT_LE(x.distanceArcsec, approximationOffsetAt(x, x.centralUt - 30).distance());
        EXPECT_LE(x.distanceArcsec, approximationOffsetAt(x, x.centralUt + 30).distance());
    }
    // Split over parts or searched in one, the same list.
    ApproximationOptions one = o;
    one.threads = 1;
    EXPECT_EQ(findApproximations(from, to, one).size(), found.size());
}

TEST(Approximations, KnownPasses)
{
    // 2 February 2015, Io occults Europe (maximum 03:31:24 UT): seen edge-on,
    // the pair's least distance is below the discs' radii and the mutual event is named.
    ApproximationOptions o;
    const auto occ = findApproximation(0, 1, ut(2015, 2, 2, 3, 31, 24), o, 3600);
    ASSERT_TRUE(occ.has_value());
    EXPECT_EQ(occ->code(), QStringLiteral("1A2"));
    EXPECT_NEAR(occ->centralUt, double(ut(2015, 2, 2, 3, 31, 24)), 15);
    EXPECT_LT(occ->distanceArcsec, 1.5);
    EXPECT_EQ(occ->mutualEvent, QStringLiteral("1O2"));
    EXPECT_NEAR(occ->distanceKm / occ->distanceArcsec, 4.35 * 1.496e8 / 206265, 60);   // 4.35 AU away at opposition
    EXPECT_FALSE(occ->site.has_value());

    // Topocentric from OPD: the parallax moves the central instant by seconds, not minutes.
    ApproximationOptions opd = o;
    opd.site = Site{-22.5355, -45.5826, 1864};
    const auto topo = findApproximation(0, 1, ut(2015, 2, 2, 3, 31, 24), opd, 3600);
    ASSERT_TRUE(topo.has_value());
    EXPECT_TRUE(topo->site.has_value());
    EXPECT_NE(topo->centralUt, occ->centralUt);
    EXPECT_NEAR(topo->centralUt, occ->centralUt, 60);

    // A near-stationary pass is flagged: its speed under the setting.
    ApproximationOptions wide = o;
    wide.maxDistanceArcsec = 120;
    wide.stationaryMasS = 2;
    const std::vector<Approximation> year = findApproximations(ut(2025, 1, 1), ut(2026, 1, 1), wide);
    const auto slow = std::min_element(year.begin(), year.end(),
                                       [](const Approximation& a, const Approximation& b) { return a.speedMasS < b.speedMasS; });
    ASSERT_NE(slow, year.end());
    EXPECT_LT(slow->speedMasS, wide.stationaryMasS);
    EXPECT_TRUE(slow->stationary);
    for (const Approximation& x : year)
        EXPECT_EQ(x.stationary, x.speedMasS < wide.stationaryMasS);
}

TEST(Approximations, BadOptionsAreNamed)
{
    ApproximationOptions o;
    EXPECT_TRUE(checkApproximationOptions(o).isEmpty());
    o.maxDistanceArcsec = 0;
    EXPECT_TRUE(checkApproximationOptions(o).contains(QStringLiteral("distance maximale")));
    o = {};
    o.minLimbArcsec = std::nan("");
    EXPECT_TRUE(checkApproximationOptions(o).contains(QStringLiteral("bord de Jupiter")));
    o = {};
    o.stationaryMasS = -1;
    EXPECT_TRUE(checkApproximationOptions(o).contains(QStringLiteral("quasi stationnaires")));
    EXPECT_FALSE(parseApproximationCode(QStringLiteral("1A1")));
    EXPECT_FALSE(parseApproximationCode(QStringLiteral("1O2")));
    EXPECT_EQ(parseApproximationCode(QStringLiteral(" 3a1")), (std::pair{0, 2}));
}

// A uniform (or bending) relative motion with Gaussian noise on Δx and Δy, arcsec.
std::vector<SkyOffset> syntheticTrack(double t0, double d0, double speed, double bend, double noise, unsigned seed,
                                      int count = 121, double spanS = 1200)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> gauss(0, noise);
    std::vector<SkyOffset> out;
    for (int i = 0; i < count; ++i) {
        const double t = t0 - spanS / 2 + spanS * i / (count - 1) + 7.3, s = t - t0;
        out.push_back({t, 0.6 * speed * s - 0.8 * d0 + bend * s * s + gauss(random),
                       0.8 * speed * s + 0.6 * d0 + gauss(random)});
    }
    return out;
}

TEST(ApproximationFit, SyntheticTracksWithinThreeSigma)
{
    const double t0 = double(ut(2026, 5, 1, 21, 0, 0)) + 0.37;
    int curved = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const double d0 = seed % 4 == 0 ? 0.0 : 0.5 + seed * 0.3;   // some seen edge-on: the track through the other satellite
        const double bend = seed % 5 == 0 ? 2e-6 : 0;
        const ApproximationFit f = fitApproximation(trackFromOffsets(syntheticTrack(t0, d0, 0.006, bend, 0.05, seed)));
        ASSERT_TRUE(f.converged) << seed << " " << f.error.toStdString() << f.failure.toStdString();
        EXPECT_GT(f.centralSigmaS, 0);
        EXPECT_LT(std::abs(f.centralUt - t0), 3 * f.centralSigmaS) << "seed " << seed;
        if (bend == 0)
            EXPECT_NEAR(f.speed, 0.006, 5 * f.speedSigma);
        curved += f.curvature;
    }
    EXPECT_GT(curved, 0);   // the bending tracks needed the curvature term

    // Pixels: a turned and scaled track gives the same central instant.
    std::vector<SkyOffset> track = syntheticTrack(t0, 2, 0.006, 0, 0.05, 99), pixels = track;
    for (SkyOffset& p : pixels)
        p = {p.ut, 2.7 * (0.8 * p.dx - 0.6 * p.dy), 2.7 * (0.6 * p.dx + 0.8 * p.dy)};
    const ApproximationFit a = fitApproximation(trackFromOffsets(track)), b = fitApproximation(trackFromOffsets(pixels));
    EXPECT_NEAR(a.centralUt, b.centralUt, 1e-3);
    EXPECT_NEAR(b.distance, 2.7 * a.distance, 1e-3);
}

TEST(ApproximationFit, UnusableTracksAreRefused)
{
    const double t0 = double(ut(2026, 5, 1, 21));
    const std::vector<SkyOffset> track = syntheticTrack(t0, 1, 0.006, 0, 0.02, 3);
    EXPECT_TRUE(fitApproximation(trackFromOffsets({track.begin(), track.begin() + 5})).error.contains(QStringLiteral("trop peu")));
    // The first half only: the distance falls all along, no minimum inside.
    const ApproximationFit half = fitApproximation(trackFromOffsets({track.begin(), track.begin() + 50}));
    EXPECT_FALSE(half.converged);
    EXPECT_TRUE((half.error + half.failure).contains(QStringLiteral("aucun minimum"))) << half.error.toStdString();
    EXPECT_FALSE(fitApproximation(std::vector<TrackSample>(10, TrackSample{t0, 1, 0})).converged);
}

TEST(ApproximationFit, TrackFiles)
{
    const double t0 = double(ut(2026, 5, 1, 21));
    QString xy = QStringLiteral("# a track\ntime,dx_px,dy_px\n"), dist = QStringLiteral("jd;distance\n");
    for (const SkyOffset& p : syntheticTrack(t0, 1, 0.006, 0, 0.02, 5, 41)) {
        xy += utIsoTenths(p.ut) + QStringLiteral(",%1,%2\n").arg(p.dx, 0, 'f', 4).arg(p.dy, 0, 'f', 4);
        dist += QStringLiteral("%1;%2\n").arg(p.ut / 86400 + 2440587.5, 0, 'f', 7).arg(QString::number(p.distance(), 'f', 4).replace(u'.', u','));
    }
    xy += QStringLiteral("2026-05-01T21:30:00,abc,1\n");
    const ObservedTrack a = readObservedTrack(xy);
    ASSERT_TRUE(a.error.isEmpty()) << a.error.toStdString();
    EXPECT_EQ(a.unit, TrackUnit::Pixel);
    EXPECT_EQ(a.offsets.size(), 41u);
    EXPECT_EQ(a.badRows, 1);
    const ObservedTrack b = readObservedTrack(dist);
    ASSERT_TRUE(b.error.isEmpty()) << b.error.toStdString();
    EXPECT_EQ(b.unit, TrackUnit::Arcsec);
    EXPECT_TRUE(b.offsets.empty());
    EXPECT_NEAR(fitApproximation(a.samples).centralUt, fitApproximation(b.samples).centralUt, 0.5);
    // Milliarcseconds named in the header are read as such, not as arcsec.
    const ObservedTrack mas = readObservedTrack(QStringLiteral("time,sep (mas),sigma\n2026-05-01T21:00:00,1500,20\n"));
    ASSERT_EQ(mas.samples.size(), 1u);
    EXPECT_DOUBLE_EQ(mas.samples[0].distance, 1.5);
    EXPECT_DOUBLE_EQ(mas.samples[0].sigma, 0.02);
    EXPECT_FALSE(readObservedTrack(QStringLiteral("time,flux\n1,2\n")).error.isEmpty());
    EXPECT_FALSE(readObservedTrack(QStringLiteral("just one column\n")).error.isEmpty());

    // The report names the O−C against the prediction.
    Approximation pr;
    pr.centralUt = t0 - 2;
    pr.speedMasS = 6;
    const ApproximationFit f = fitApproximation(b.samples);
    const QString report = approximationReport(pr, b, f, QStringLiteral("piste.csv"));
    const ApproximationOC oc = approximationOC(pr, f, b.unit);
    EXPECT_NEAR(oc.centralS, 2, 3 * oc.centralSigmaS);
    EXPECT_NEAR(oc.alongMas, 6 * oc.centralS, 1e-9);
    EXPECT_TRUE(report.contains(QStringLiteral("O-C : +%1").arg(oc.centralS, 0, 'f', 2))) << report.toStdString();
}

} // namespace
} // namespace zeno

// The satellites' mutual events against published predictions, the
// photometry against a direct sum over the disc, and the search against a
// fine scan.
#include "deltat.h"
#include "l12.h"
#include "modern_theory.h"
#include "l12_correction.h"
#include "mutual_events.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <cmath>

namespace zeno {
namespace {

constexpr double kPi = 3.14159265358979323846;

search::Seconds ut(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch();
}

MutualEvent eventNear(const char* code, search::Seconds at)
{
    const auto ev = findMutualEvent(*parseMutualCode(QString::fromLatin1(code)), at, 3 * 3600);
    EXPECT_TRUE(ev.has_value()) << code;
    return ev.value_or(MutualEvent{});
}

TEST(MutualEvents, PublishedPredictions)
{
    // 2 February 2015, Io occults Europe: 03:29:39, 03:31:24, 03:33:08 UT.
    const MutualEvent a = eventNear("1O2", ut(2015, 2, 2, 3, 31, 24));
    EXPECT_EQ(a.code(), QStringLiteral("1O2"));
    EXPECT_EQ(a.type, MutualType::Occultation);
    EXPECT_EQ(a.kind, MutualKind::Partial);
    EXPECT_NEAR(double(a.start), double(ut(2015, 2, 2, 3, 29, 39)), 10);
    EXPECT_NEAR(double(a.maximum), double(ut(2015, 2, 2, 3, 31, 24)), 10);
    EXPECT_NEAR(double(a.end), double(ut(2015, 2, 2, 3, 33, 8)), 10);
    EXPECT_TRUE(a.targetInJupiterShadow);   // Europe enters Jupiter's shadow at 03:31 too

    // 9 August 2021, Ganymède eclipses Europe, 03:37-04:44 UT (to the minute).
    const MutualEvent b = eventNear("3E2", ut(2021, 8, 9, 4, 10, 0));
    EXPECT_EQ(b.type, MutualType::Eclipse);
    EXPECT_NEAR(double(b.start), double(ut(2021, 8, 9, 3, 37, 0)), 60);
    EXPECT_NEAR(double(b.end), double(ut(2021, 8, 9, 4, 44, 0)), 60);
    EXPECT_GT(b.targetLightLost, 0.5);   // "Europa virtually disappears"

    // Jupiter's equinoxes as announced, by date: 5 February 2015, 2 May 2021, 16 December 2026
    // (a day is 0.005° of the Sun's declination: within two days).
    EXPECT_NEAR(double(jupiterEquinoxNear(ut(2015, 6, 1, 0, 0, 0))), double(ut(2015, 2, 5, 12, 0, 0)), 2 * 86400);
    EXPECT_NEAR(double(jupiterEquinoxNear(ut(2020, 1, 1, 0, 0, 0))), double(ut(2021, 5, 2, 12, 0, 0)), 2 * 86400);
    const MutualSeason season = mutualSeasonNear(ut(2026, 8, 1, 0, 0, 0));
    EXPECT_NEAR(double(season.equinox), double(ut(2026, 12, 16, 12, 0, 0)), 2 * 86400);
    EXPECT_LT(season.from, ut(2025, 9, 1, 0, 0, 0));
    EXPECT_GT(season.to, ut(2027, 11, 1, 0, 0, 0));
}

TEST(MutualEvents, Photometry)
{
    // A central occultation by a larger disc is total and hides everything.
    EXPECT_EQ(occultationLightLost(1560.8, 2631.2, 0), 1);
    EXPECT_NEAR(occultationLightLost(2631.2, 1560.8, 0), std::pow(1560.8 / 2631.2, 2), 1e-12);
    EXPECT_EQ(occultationLightLost(1000, 1000, 2000), 0);
    const MutualEvent total = eventNear("3O1", ut(2014, 11, 22, 16, 35, 0));
    EXPECT_EQ(total.kind, MutualKind::Total);
    EXPECT_EQ(total.targetLightLost, 1);
    EXPECT_NEAR(total.magnitudeDrop, -2.5 * std::log10(1 - targetWeight(2, 0)), 1e-12);

    // An eclipse: each point loses the part of the Sun the eclipser covers;
    // the ring-by-ring quadrature against a plain sum over a grid on the disc.
    struct Case { double target, umbra, penumbra, separation; };
    for (const Case& c : {Case{1560.8, 1500, 4200, 2500}, Case{2631.2, -600, 3300, 1200},
                          Case{1821.6, 900, 3900, 0}, Case{2410.3, 2200, 5000, 3800}}) {
        const double sun = (c.penumbra - c.umbra) / 2, body = (c.penumbra + c.umbra) / 2;
        const int n = 600;
        double lost = 0, area = 0;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                const double x = c.target * (2 * (i + 0.5) / n - 1), y = c.target * (2 * (j + 0.5) / n - 1);
                if (x * x + y * y > c.target * c.target)
                    continue;
                area += 1;
                lost += discOverlapArea(sun, body, std::hypot(x - c.separation, y)) / (kPi * sun * sun);
            }
        EXPECT_NEAR(eclipseLightLost(c.target, c.umbra, c.penumbra, c.separation), lost / area, 2e-3)
            << c.target << " " << c.separation;
    }
    EXPECT_EQ(eclipseLightLost(1000, 1500, 4000, 400), 1);   // wholly in the umbra
    EXPECT_EQ(eclipseLightLost(1000, 1500, 4000, 5000), 0);  // beyond the penumbra
}

// Meeus, Astronomical Algorithms, example 11.a (Palomar, WGS84 rather than
// IAU 1976: the factors agree to 1e-6); and a place's view differs from the
// Earth's centre's by the place's offset, less what moves in the 20 ms of
// light-time it adds.
TEST(MutualEvents, TopocentricSnapshot)
{
    const Site palomar{33 + 21 / 60.0 + 22 / 3600.0, -116.8625, 1706};
    const GeocentricFactors f = geocentricFactors(palomar);
    EXPECT_NEAR(f.rhoSinPhi, 0.546861, 2e-6);
    EXPECT_NEAR(f.rhoCosPhi, 0.836339, 2e-6);

    const double jd = julianDayOfSeconds(double(ut(2026, 12, 31, 20, 0, 0)));
    const Vec3 o = siteGeocentricJ2000Km(palomar, jd);
    EXPECT_NEAR(norm(o), 6378.137 * std::hypot(0.546861, 0.836339), 0.02);
    EXPECT_NEAR(std::asin(o[2] / norm(o)) * 180 / kPi, 33.2, 0.4);   // geocentric latitude, J2000 tilt aside
    const MutualSnapshot geo = mutualSnapshot(jd), topo = mutualSnapshot(jd, 0xF, &palomar);
    for (int k = 0; k < 4; ++k)
        EXPECT_LT(norm(topo.geocentric[k] - (geo.geocentric[k] - o)), 1.0) << k;
}

TEST(MutualEvents, SwappedRolesFindNothing)
{
    const MutualEvent ev = eventNear("1O2", ut(2015, 2, 2, 3, 31, 24));
    const MutualSnapshot s = mutualSnapshot(julianDayOfSeconds(ev.maximumExact));
    const PairGeometry swapped = occultationGeometry(s, 1, 0);   // Europe "in front of" Io
    EXPECT_FALSE(swapped.rolesHold);
    EXPECT_EQ(lightLost(swapped), 0);
    EXPECT_NE(eclipseGeometry(s, 1, 0).rolesHold, eclipseGeometry(s, 0, 1).rolesHold);
    for (const MutualEvent& other : findMutualEvents(ev.start - 3600, ev.end + 3600))
        EXPECT_FALSE(other.code() == QStringLiteral("2O1")) << qPrintable(mutualUtText(other.maximumExact));
}

// Every approach of a fine scan (5 s) that brings the outlines together is
// found, at the scan's least separation or closer.
TEST(MutualEvents, SearchAgreesWithFineScan)
{
    const search::Seconds from = ut(2026, 12, 1, 0, 0, 0), to = ut(2026, 12, 3, 0, 0, 0);
    const std::vector<MutualEvent> events = findMutualEvents(from, to);
    ASSERT_FALSE(events.empty());
    constexpr int kStep = 5;
    struct Track { double prev2 = 1e99, prev1 = 1e99; double t1 = 0; int occulter = 0, target = 0; double contact = 0; };
    Track tracks[4][4][2];
    int found = 0;
    for (search::Seconds t = from - kStep; t <= to + kStep; t += kStep) {
        const MutualSnapshot s = mutualSnapshot(julianDayOfSeconds(double(t)));
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                for (int y = 0; y < 2; ++y) {
                    if (i == j)
                        continue;
                    const PairGeometry g = y ? eclipseGeometry(s, i, j) : occultationGeometry(s, i, j);
                    Track& k = tracks[i][j][y];
                    const double sep = g.rolesHold ? g.separationKm : 1e99;
                    if (k.prev1 < k.prev2 && k.prev1 <= sep && k.prev1 < k.contact && k.t1 >= double(from)
                        && k.t1 <= double(to)) {
                        ++found;
                        bool matched = false;
                        for (const MutualEvent& ev : events)
                            if (ev.occulter == i && ev.target == j && int(ev.type == MutualType::Eclipse) == y
                                && std::abs(ev.maximumExact - k.t1) <= kStep) {
                                matched = true;
                                EXPECT_LE(ev.impactKm, k.prev1 + 1e-6);
                                EXPECT_GT(ev.impactKm, k.prev1 - 31 * kStep / 2.0);
                            }
                        EXPECT_TRUE(matched) << i << (y ? "E" : "O") << j << " " << qPrintable(mutualUtText(k.t1));
                    }
                    k.prev2 = k.prev1;
                    k.prev1 = sep;
                    k.t1 = double(t);
                    k.contact = g.contactKm();
                }
    }
    EXPECT_EQ(found, int(events.size()));
}

TEST(MutualEvents, LightCurveDeepestPointIsTheDrop)
{
    for (const MutualEvent& ev : {eventNear("1O2", ut(2015, 2, 2, 3, 31, 24)), eventNear("3E2", ut(2021, 8, 9, 4, 10, 0))}) {
        const std::vector<LightPoint> curve = lightCurve(ev);
        ASSERT_GT(curve.size(), 100u);
        const auto deepest = std::min_element(curve.begin(), curve.end(),
                                              [](const LightPoint& a, const LightPoint& b) { return a.flux < b.flux; });
        EXPECT_EQ(deepest->ut, ev.maximumExact);
        EXPECT_NEAR(-2.5 * std::log10(deepest->flux), ev.magnitudeDrop, 1e-12);
        EXPECT_EQ(curve.front().flux, 1);
        EXPECT_EQ(curve.back().flux, 1);
        EXPECT_LT(curve.front().ut, double(ev.start));
        EXPECT_GT(curve.back().ut, double(ev.end));
        // The closed-form shape: the same depth, and close to the curve around the maximum.
        const EventShape shape = eventShape(ev);
        EXPECT_NEAR(shapeFlux(shape, 0), deepest->flux, 1e-12);
        for (const LightPoint& p : curve) {
            if (std::abs(p.ut - ev.maximumExact) < ev.durationS / 6) {
                EXPECT_NEAR(shapeFlux(shape, p.ut - ev.maximumExact), p.flux, 0.005) << qPrintable(ev.code());
            }
        }
    }
}

TEST(MutualEvents, EclipseGeometryFollowsTheLightPaths)
{
    // The shadow rebuilt without the snapshot's linear light-times: the
    // target when the light we see left it, the eclipser when the sunlight
    // reaching the target passed it, the axis from the Sun through the eclipser.
    constexpr double kAUKm = 149597870.7, kLightAUPerDay = 173.1446326846693;
    const auto helio = [](int k, double jdTT) {
        const PlanetPositions p = planetPositions(jdTT, false);
        const EtatL12 s = etatPrecis(k, jdTT);
        return Vec3{p.jupiter[0] + s.position[0], p.jupiter[1] + s.position[1], p.jupiter[2] + s.position[2]};
    };
    for (const MutualEvent& ev : {eventNear("4E3", ut(2014, 10, 31, 15, 52, 0)), eventNear("3E2", ut(2021, 8, 9, 4, 10, 0))}) {
        for (double dt : {-1800.0, 0.0, 1800.0}) {
            const double jd = julianDayOfSeconds(ev.maximumExact + dt);
            const double jdTT = jd + deltaTModerne(decimalYear(jd)) / 86400;
            const PlanetPositions p = planetPositions(jdTT, false);
            const Vec3 earth{p.earth[0], p.earth[1], p.earth[2]};
            double t1 = jdTT, t2 = jdTT;
            for (int i = 0; i < 6; ++i)
                t1 = jdTT - norm(helio(ev.target, t1) - earth) / kLightAUPerDay;
            const Vec3 target = helio(ev.target, t1);
            for (int i = 0; i < 6; ++i)
                t2 = t1 - norm(target - helio(ev.occulter, t2)) / kLightAUPerDay;
            const Vec3 axis = unit(helio(ev.occulter, t2));
            const Vec3 offset = kAUKm * (dot(target, axis) * axis - target);
            const PairGeometry g = mutualDiscsAt(ev, ev.maximumExact + dt);
            EXPECT_NEAR(std::hypot(g.dx, g.dy), norm(offset), 1) << qPrintable(ev.code()) << " " << dt;
        }
    }
}

} // namespace
} // namespace zeno

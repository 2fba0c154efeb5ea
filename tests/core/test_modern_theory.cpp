// The modern theory against published values: the L1.2 distribution's own
// test output, JPL Horizons, Meeus' worked example, IMCCE's predicted times.
#include "commun.h"

#include "deltat.h"
#include "enregistreur.h"
#include "events.h"
#include "phenomena_geometry.h"
#include "l12.h"
#include "modern_theory.h"
#include "passe.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeno {
namespace {

using test::kFrench;

constexpr double kAUKm = 149597870.7;

double distanceKm(const double a[3], const double b[3])
{
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]) * kAUKm;
}

TEST(L12, ReproducesPublishedStates)
{
    // TestL1.2.res (IMCCE distribution), JD 2451545.0 TT, AU and AU/day.
    const double position[4][3] = {{0.00267199872, 0.000764401654, 0.0004087343813},
                                   {-0.003751376363, -0.002136181405, -0.001056765926},
                                   {-0.00549003625, -0.004112229248, -0.002033821278},
                                   {0.002172082907, 0.01118792302, 0.005322275059}};
    const double velocity[4][3] = {{-0.003116203721, 0.008645680627, 0.004066210829},
                                   {0.004310590286, -0.006143197914, -0.002800433389},
                                   {0.004036147912, -0.004364866691, -0.002037111499},
                                   {-0.004662583659, 0.000797668533, 0.0003092058747}};
    // JPL Horizons, jovicentric ICRF, 2025-09-28 12:00 TDB (JD 2460947.0), AU.
    const double horizons[4][3] = {{-2.823390566477013e-3, -2.496225953358087e-5, -5.603701885571625e-5},
                                   {2.425780242857923e-3, 3.365624416725937e-3, 1.64362509140026e-3},
                                   {-5.097304459962585e-4, -6.424969243118112e-3, -3.090078740204307e-3},
                                   {-1.09593616464953e-2, -5.688649555227991e-3, -2.843855912995549e-3}};
    for (int s = 0; s < 4; ++s) {
        const EtatL12 j2000 = etatL12(s, 2451545.0);
        EXPECT_LT(distanceKm(j2000.position, position[s]), 1.0) << s;
        EXPECT_LT(distanceKm(j2000.velocity, velocity[s]) / 86400, 1e-4) << s;   // km/s
        EXPECT_LT(distanceKm(etatL12(s, 2460947.0).position, horizons[s]), 200.0) << s;
        // An hour off is thousands of kilometres: the check can fail.
        EXPECT_GT(distanceKm(etatL12(s, 2460947.0 + 1.0 / 24).position, horizons[s]), 1000.0) << s;
    }
}

TEST(L12, SlowCorrectionsStayBoundedOutsideTheirInterval)
{
    // The Chebyshev corrections cover about 1130 to 2763; beyond, a degree-8
    // polynomial would reach radians and wreck the orbits. Held at the ends,
    // each orbit keeps its size and its speed far outside (years 100 and 9999).
    const double meanRadius[4] = {0.002821, 0.004487, 0.007157, 0.012588};   // AU
    for (int s = 0; s < 4; ++s)
        for (double jd : {1757583.5, 2133000.5, 2732000.5, 5373484.0}) {
            const EtatL12 st = etatL12(s, jd);
            const double r = std::hypot(st.position[0], st.position[1], st.position[2]);
            EXPECT_NEAR(r / meanRadius[s], 1.0, 0.02) << s << ' ' << jd;
            const double v = std::hypot(st.velocity[0], st.velocity[1], st.velocity[2]);
            EXPECT_NEAR(v * v * r / 2.8249e-7, 1.0, 0.04) << s << ' ' << jd;   // circular speed, mu = G (Jupiter + satellite)
        }
    // No jump at either end of the interval: a minute across it moves each
    // satellite by its speed times a minute, not by the corrections' size.
    for (double end : {2433282.5 - 819.727638594856 * 365.25, 2433282.5 + 812.721806990360 * 365.25})
        for (int s = 0; s < 4; ++s) {
            const EtatL12 before = etatL12(s, end - 0.5 / 1440), after = etatL12(s, end + 0.5 / 1440);
            const double speedKmPerMin = std::hypot(before.velocity[0], before.velocity[1], before.velocity[2]) * kAUKm / 1440;
            EXPECT_NEAR(distanceKm(before.position, after.position), speedKmPerMin, 1.0) << s << ' ' << end;
        }
}

TEST(Moderne, MeeusWorkedExampleOffsets)
{
    // Meeus, Astronomical Algorithms (2nd ed.), example 44.b: 1992 December 16,
    // 0h UT, higher-accuracy method. His X is positive toward the west (ours
    // toward the east) and his unit is the E2x3 theory's 71398 km radius.
    const double meeusX[4] = {-3.4502, 7.4418, 1.2011, 7.0720};
    const double meeusY[4] = {0.2137, 0.2753, 0.5900, 1.0291};
    const ModernEphemeris e = computeModern(2448972.5);
    const double X[4] = {e.X1, e.X2, e.X3, e.X4}, Y[4] = {e.Y1, e.Y2, e.Y3, e.Y4};
    const double unit = kJupiterEquatorialKm / 71398;
    for (int s = 0; s < 4; ++s) {
        // Two theories (E2x3 and L1.2) and two poles: a few hundred kilometres.
        EXPECT_NEAR(-X[s] * unit, meeusX[s], 0.004) << s;
        EXPECT_NEAR(Y[s] * unit, meeusY[s], 0.004) << s;
    }
    EXPECT_NEAR(e.DeltaT, 59.1, 0.2);
    EXPECT_FALSE(e.horsValidite);
    // Meeus' example 43 central meridians (268.06, 72.74) include his phase
    // correction, 57.3 sin^2(psi/2) = 0.43 degree; ours are the geometric ones.
    EXPECT_NEAR(e.omega1 + 0.43, 268.06, 0.1);
    EXPECT_NEAR(e.omega2 + 0.43, 72.74, 0.1);
}

TEST(Moderne, DeltaT)
{
    EXPECT_DOUBLE_EQ(deltaTModerne(1900), -2.8);
    EXPECT_DOUBLE_EQ(deltaTModerne(2000), 63.83);
    EXPECT_NEAR(deltaTModerne(2001), (63.83 + 64.30) / 2, 1e-12);
    // The last observed value is met, and the fade ends on the polynomial.
    EXPECT_NEAR(deltaTModerne(2024), 69.20, 1e-9);
    EXPECT_NEAR(deltaTModerne(2049.999), deltaTModerne(2050.001), 0.05);
    EXPECT_NEAR(deltaTModerne(1619.999), 95.4, 0.5);   // Espenak-Meeus before the table
    for (double y : {-100000.0, -2000.0, 800.0, 3000.0, 100000.0})
        EXPECT_TRUE(std::isfinite(deltaTModerne(y))) << y;
}

TEST(Moderne, InterpolatedPlanetsAndRange)
{
    for (double jd = 2460000.13; jd < 2460030; jd += 0.77) {
        const PlanetPositions a = planetPositions(jd, false), b = planetPositions(jd, true);
        EXPECT_LT(distanceKm(a.earth, b.earth), 1.0) << jd;
        EXPECT_LT(distanceKm(a.jupiter, b.jupiter), 1.0) << jd;
    }
    // Outside the fitted years: computed, finite, flagged.
    for (double jd : {1757583.5, 2341972.5, 5373484.0}) {
        const ModernEphemeris e = computeModern(jd);
        EXPECT_TRUE(e.horsValidite) << jd;
        EXPECT_TRUE(std::isfinite(e.X4) && std::isfinite(e.Y4) && std::isfinite(e.omega3)) << jd;
    }
}

TEST(Geometrie, GlobeLimbAndShadow)
{
    ModernEphemeris e;
    e.pole[1] = 1;         // pole up the sky, the Earth in the equator plane
    e.soleil[2] = -1;      // Sun behind the observer: no phase
    e.X1 = 0.95;  e.Z1 = -6;    // in front, inside the equatorial limb
    e.Y2 = 0.95;  e.Z2 = 9;     // behind, beyond the polar limb (66854/71492 = 0.935)
    e.X3 = 0.3;   e.Z3 = 15;    // behind the disk
    e.X4 = 1.02;  e.Z4 = -26;   // in front, off the disk
    for (int i = 0; i < 4; ++i) {
        const double z[4] = {e.Z1, e.Z2, e.Z3, e.Z4}, x[4] = {e.X1, e.X2, e.X3, e.X4}, y[4] = {e.Y1, e.Y2, e.Y3, e.Y4};
        e.eclipse[i][0] = x[i], e.eclipse[i][1] = y[i], e.eclipse[i][2] = z[i];
        e.ombre[i][0] = x[i], e.ombre[i][1] = y[i], e.ombre[i][2] = z[i];
    }
    const PrecisePhenomena p = precisePhenomena(e);
    EXPECT_TRUE(p.passage[0]);
    EXPECT_FALSE(p.occulte[0]);
    EXPECT_FALSE(p.passage[1] || p.occulte[1]);
    EXPECT_TRUE(p.occulte[2]);
    EXPECT_TRUE(p.eclipse[2]);    // behind Jupiter from the Sun too
    EXPECT_FALSE(p.eclipse[0]);
    EXPECT_FALSE(p.passage[3]);
    EXPECT_TRUE(p.ombre[0]);      // its shadow falls on the face we see
    EXPECT_NEAR(p.ombreX[0], 0.95, 1e-12);
    EXPECT_FALSE(p.ombre[2]);     // the far side's shadow goes away from us
}

// Published predictions (IMCCE, to the minute) against the timetable in the
// precise theory: 2 January 2016 Io, 5 January 2016 Ganymède.
TEST(Moderne, TimetableMeetsPublishedTimes)
{
    struct Attendu { Caption label; bool begins; int hour, minute; };
    const auto check = [](QDate day, int from, int to, int satellite, std::initializer_list<Attendu> expected) {
        const auto events = findEvents(QDateTime(day, QTime(from, 0), Qt::UTC), QDateTime(day, QTime(to, 0), Qt::UTC), 0,
                                       Step{StepUnit::Minute, 5}, satellite, Theory::Precise);
        ASSERT_EQ(events.size(), expected.size());
        std::size_t i = 0;
        for (const Attendu& a : expected) {
            const Event& ev = events[i++];
            EXPECT_EQ(ev.label, a.label);
            EXPECT_EQ(ev.begins, a.begins);
            // Rounding to the minute (30 s), and transits timed there at the lit limb (up to a minute).
            EXPECT_LE(std::abs(ev.ut.secsTo(QDateTime(day, QTime(a.hour, a.minute), Qt::UTC))), 90)
                << captionName(a.label) << ' ' << a.hour << ':' << a.minute;
        }
    };
    check(QDate(2016, 1, 2), 12, 18, 0,
          {{Caption::InfoIoOm, true, 13, 1}, {Caption::InfoIoPa, true, 14, 10},
           {Caption::InfoIoOm, false, 15, 16}, {Caption::InfoIoPa, false, 16, 24}});
    check(QDate(2016, 1, 5), 3, 13, 2,
          {{Caption::InfoGanyOm, true, 4, 13}, {Caption::InfoGanyOm, false, 7, 36},
           {Caption::InfoGanyPa, true, 8, 56}, {Caption::InfoGanyPa, false, 12, 6}});
}

TEST(Moderne, OriginalPassUntouchedAfterPrecise)
{
    Enregistreur fresh, reused;
    Calcul a(fresh, kFrench), b(reused, kFrench);
    const QString date = QStringLiteral("03/12/2024 20:40:00");
    b.setTheorie(Theory::Precise);
    b.passe(date, QStringLiteral("0"));
    EXPECT_EQ(reused.caption(Caption::InfoIoOm), QStringLiteral("Ombre"));
    b.setTheorie(Theory::Original);
    b.passe(date, QStringLiteral("0"));
    a.passe(date, QStringLiteral("0"));
    EXPECT_EQ(fresh.captions, reused.captions);
    ASSERT_EQ(fresh.discs.size(), reused.discs.size());
    for (std::size_t i = 0; i < fresh.discs.size(); ++i) {
        EXPECT_EQ(fresh.discs[i].x, reused.discs[i].x);
        EXPECT_EQ(fresh.discs[i].y, reused.discs[i].y);
        EXPECT_EQ(fresh.discs[i].colour, reused.discs[i].colour);
    }
    EXPECT_EQ(a.record().JD, b.record().JD);
    EXPECT_EQ(a.record().X4, b.record().X4);
    EXPECT_EQ(a.record().omega2, b.record().omega2);
}

} // namespace
} // namespace zeno

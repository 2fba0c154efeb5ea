// The coming night against the Sun's altitude computed by the program
// itself, through a year at a mid-latitude and an arctic place; the Sun's
// apparent place against a published worked example.
#include "night.h"
#include "observer.h"

#include <gtest/gtest.h>

using namespace zeno;

namespace {

QDateTime ut(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

const Site kParis{48.85, 2.35, 35};
const Site kTromso{69.65, 18.96, 0};

bool dark(const Site& site, const QDateTime& t) { return sunAltitudeDeg(t, site) < kStandardHorizonDeg; }

// Sampled every 13 minutes (not the search's own grid), the Sun stays on one side over [from, to).
bool stays(const Site& site, const QDateTime& from, const QDateTime& to, bool wantDark)
{
    for (QDateTime t = from; t < to; t = t.addSecs(13 * 60))
        if (dark(site, t) != wantDark)
            return false;
    return true;
}

NightKind checkNight(const Site& site, const QDateTime& now)
{
    SCOPED_TRACE(now.toString(Qt::ISODate).toStdString() + " at " + std::to_string(site.latitudeDeg));
    const Night n = comingNight(now, site);
    const bool darkNow = dark(site, now);
    if (n.kind == NightKind::MidnightSun) {
        EXPECT_FALSE(darkNow);
        EXPECT_EQ(n.startUt, now);
        EXPECT_EQ(n.endUt, now.addSecs(86400));
        EXPECT_TRUE(stays(site, now, n.endUt, false));
        return n.kind;
    }
    // The start: now when dark, else the first dark second, with no dark sample before it.
    if (darkNow) {
        EXPECT_EQ(n.startUt, now);
    } else {
        EXPECT_GT(n.startUt, now);
        EXPECT_LE(now.secsTo(n.startUt), 86400);
        EXPECT_FALSE(dark(site, n.startUt.addSecs(-1)));
        EXPECT_TRUE(dark(site, n.startUt));
        EXPECT_TRUE(stays(site, now, n.startUt.addSecs(-1), false));
    }
    EXPECT_TRUE(stays(site, n.startUt, n.endUt, true));
    if (n.kind == NightKind::PolarNight) {
        EXPECT_EQ(n.endUt, n.startUt.addSecs(86400));
        return n.kind;
    }
    // The end: the first second the Sun is up again.
    EXPECT_LE(n.startUt.secsTo(n.endUt), 86400);
    EXPECT_TRUE(dark(site, n.endUt.addSecs(-1)));
    EXPECT_FALSE(dark(site, n.endUt));
    return n.kind;
}

} // namespace

// Meeus, Astronomical Algorithms, 2nd ed., example 25.b: the Sun on 1992
// October 13.0 TD, apparent α 13h13m30.749s, δ −7°47'01.74" (VSOP87).
TEST(Night, SunApparentPlaceWorkedExample)
{
    const EquatorialPlace app = sunApparentPlace(2448908.5);
    EXPECT_NEAR(app.raDeg, (13 + 13.0 / 60 + 30.749 / 3600) * 15, 0.05 / 3600 * 15);   // 0.05 s of time
    EXPECT_NEAR(app.decDeg, -(7 + 47.0 / 60 + 1.74 / 3600), 0.5 / 3600);
}

// Every 13 h through 2026 at Paris, every 7 h at Tromsø (69.65° N: midnight
// sun, polar night and the weeks between), and the instants seen wrong.
TEST(Night, SweepThroughAYear)
{
    // 30 to 180 s before sunset: tonight, not tomorrow.
    const Night paris = comingNight(ut(2026, 1, 15, 16, 20, 30), kParis);
    EXPECT_EQ(paris.kind, NightKind::Night);
    EXPECT_EQ(paris.startUt.date(), QDate(2026, 1, 15));
    EXPECT_LT(ut(2026, 1, 15, 16, 20, 30).secsTo(paris.startUt), 300);
    // Midnight sun: no night.
    EXPECT_EQ(comingNight(ut(2026, 5, 18, 16, 43), kTromso).kind, NightKind::MidnightSun);
    // The first short night after the midnight sun, that same evening.
    const Night july = comingNight(ut(2026, 7, 26, 12), kTromso);
    EXPECT_EQ(july.kind, NightKind::Night);
    EXPECT_EQ(july.startUt.date(), QDate(2026, 7, 26));
    EXPECT_LT(july.startUt.secsTo(july.endUt), 3 * 3600);
    // Polar night: no sunrise the next day.
    EXPECT_EQ(comingNight(ut(2026, 11, 27, 12), kTromso).kind, NightKind::PolarNight);

    int kinds[3] = {};
    for (QDateTime t = ut(2026, 1, 1); t < ut(2027, 1, 1); t = t.addSecs(13 * 3600))
        checkNight(kParis, t);
    for (QDateTime t = ut(2026, 1, 1, 1); t < ut(2027, 1, 1); t = t.addSecs(7 * 3600))
        ++kinds[int(checkNight(kTromso, t))];
    EXPECT_GT(kinds[int(NightKind::MidnightSun)], 150);   // about two months
    EXPECT_GT(kinds[int(NightKind::PolarNight)], 50);
}

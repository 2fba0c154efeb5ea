// The observer's timetable: places and altitudes against published worked
// examples, the coming night, the Red Spot's transits against the pass's
// own System II, and the combined timetable of a known night.
#include "commun.h"
#include "enregistreur.h"
#include "ephemeride.h"
#include "observer.h"
#include "passe.h"
#include "night_programme.h"
#include "regional.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zeno;
using namespace zeno::test;

namespace {

QDateTime ut(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

const Site kParis{48.85, 2.35, 35};

double systemeII(Calcul& calcul, const QDateTime& t)
{
    calcul.passe(dateTimeText(t, kFrench), QStringLiteral("0"));
    return reduitMeridien(calcul.record().omega2);
}

} // namespace

// Meeus, Astronomical Algorithms, 2nd ed.: example 13.b (Venus from the US
// Naval Observatory, 1987 April 10, 19:21 UT: altitude 15.1249°) and example
// 33.a (Venus, 1992 December 20, 0 h TD: apparent α 21h04m41.454s,
// δ −18°53'16.84"), the latter from libnova's J2000 place of that instant.
TEST(Observatoire, PublishedWorkedExamples)
{
    const Site washington{38.0 + 55.0 / 60 + 17.0 / 3600, -(77.0 + 3.0 / 60 + 56.0 / 3600), 0};
    const EquatorialPlace venus{(23 + 9.0 / 60 + 16.641 / 3600) * 15, -(6 + 43.0 / 60 + 11.61 / 3600)};
    EXPECT_NEAR(altitudeOfPlaceDeg(venus, julianDayUt(ut(1987, 4, 10, 19, 21)), washington), 15.1249, 0.0005);

    const EquatorialPlace app = apparentPlace({316.27164, -18.86012}, 2448976.5);
    EXPECT_NEAR(app.raDeg, (21 + 4.0 / 60 + 41.454 / 3600) * 15, 0.0005);
    EXPECT_NEAR(app.decDeg, -(18 + 53.0 / 60 + 16.84 / 3600), 0.0005);

    // The Julian Day of an instant and back.
    EXPECT_DOUBLE_EQ(julianDayUt(ut(2000, 1, 1, 12)), 2451545.0);
    EXPECT_EQ(utFromJulianDay(julianDayUt(ut(2024, 12, 3, 20, 32, 42))), ut(2024, 12, 3, 20, 32, 42));
}

// Jupiter culminates at its greatest altitude, 90° − φ + δ; near the 2024
// opposition (δ about +22.1°) that is about 63.2° at Paris, when the local
// sidereal time equals its right ascension (5 h 03 min): about 00:05 UT.
TEST(Observatoire, JupiterAndTheSunOverANight)
{
    double best = -90;
    QDateTime when;
    for (QDateTime t = ut(2024, 12, 3, 18); t <= ut(2024, 12, 4, 6); t = t.addSecs(60)) {
        const double h = jupiterAltitudeDeg(t, kParis);
        if (h > best) {
            best = h;
            when = t;
        }
    }
    EXPECT_NEAR(best, 90 - 48.85 + 22.1, 0.1);
    EXPECT_NEAR(when.secsTo(ut(2024, 12, 4, 0, 5)), 0, 10 * 60);
    EXPECT_LT(sunAltitudeDeg(ut(2024, 12, 4, 0), kParis), -60);   // deep night in December
    EXPECT_GT(sunAltitudeDeg(ut(2024, 6, 21, 12), kParis), 64);   // 90 − 48.85 + 23.44
}

TEST(Observatoire, BadPlacesAndLimits)
{
    EXPECT_TRUE(checkSite(kParis).isEmpty());
    EXPECT_FALSE(checkSite(Site{90.5, 0, 0}).isEmpty());
    EXPECT_FALSE(checkSite(Site{0, -180.1, 0}).isEmpty());
    EXPECT_FALSE(checkSite(Site{std::nan(""), 0, 0}).isEmpty());
    EXPECT_TRUE(checkSite(Site{-90, 180, 0}).isEmpty());
    EXPECT_TRUE(checkVisibility(Visibility{}).isEmpty());
    for (const Visibility& v : {Visibility{95, -6}, Visibility{-1, -6}, Visibility{10, 5}, Visibility{10, -19},
                                Visibility{10, -6, -0.01}, Visibility{10, -6, std::nan("")}})
        EXPECT_FALSE(checkVisibility(v).isEmpty()) << v.minJupiterDeg << " " << v.maxSunDeg << " " << v.minDropMag;
    EXPECT_FALSE(checkRange(ut(2024, 12, 4), ut(2024, 12, 3)).isEmpty());
    EXPECT_FALSE(checkRange(ut(2024, 12, 4), ut(2024, 12, 4)).isEmpty());
    EXPECT_FALSE(checkRange(ut(99, 12, 31), ut(2024, 12, 3)).isEmpty());
    RedSpot t;
    EXPECT_TRUE(checkRedSpot(t).isEmpty());
    t.longitudeDeg = 360;   // "entre 0° et 360°": both bounds
    EXPECT_TRUE(checkRedSpot(t).isEmpty());
    t.longitudeDeg = 360.5;
    EXPECT_FALSE(checkRedSpot(t).isEmpty());
    t.driftDegPerMonth = std::nan("");
    EXPECT_FALSE(checkRedSpot(t).isEmpty());
}

// Each transit is the first second at which the pass's displayed System II
// reaches the spot's longitude; System II turns once in about 9 h 55.7 min.
TEST(RedSpot, TransitsAgreeWithThePass)
{
    const RedSpot spot;   // 57° on 01/07/2024, +1.5° a month
    EXPECT_NEAR(grsLongitudeDeg(spot, ut(2024, 7, 1)), 57, 1e-12);
    EXPECT_NEAR(grsLongitudeDeg(spot, QDateTime(QDate(2024, 7, 1), QTime(0, 0), Qt::UTC).addSecs(qint64(kDaysPerMonth * 86400))),
                58.5, 1e-9);
    EXPECT_NEAR(grsLongitudeDeg(RedSpot{1, QDate(2024, 7, 1), -1.5}, ut(2024, 8, 1)), 359.47, 0.01);

    const std::vector<QDateTime> transits = grsTransits(ut(2024, 12, 1), ut(2024, 12, 4), spot);
    ASSERT_GE(transits.size(), 7u);   // 72 h / 9.93 h
    ASSERT_LE(transits.size(), 8u);
    Enregistreur host;
    Calcul calcul(host, kFrench);
    for (std::size_t i = 0; i < transits.size(); ++i) {
        const QDateTime& t = transits[i];
        const double before = systemeII(calcul, t.addSecs(-1)), at = systemeII(calcul, t);
        EXPECT_LT(before, grsLongitudeDeg(spot, t.addSecs(-1))) << i;
        EXPECT_GE(at, grsLongitudeDeg(spot, t)) << i;
        EXPECT_LT(at - grsLongitudeDeg(spot, t), 0.02) << i;   // 1 s of rotation is 0.01°
        // The label shows the same meridian.
        EXPECT_EQ(host.caption(Caption::syst2), numberText(at, kFrench));
        if (i > 0)
            EXPECT_NEAR(transits[i - 1].secsTo(t), 9 * 3600 + 55.6 * 60, 120) << i;
    }
}

// The night of 3 to 4 December 2024 at Paris: Io's shadow and transit, all
// four contacts high in a dark sky, in time order with the Red Spot.
TEST(Programme, KnownNight)
{
    ProgrammeOptions o;
    o.fromUt = ut(2024, 12, 3, 18);
    o.toUt = ut(2024, 12, 4, 6);
    o.offsetHours = -1;
    o.grs = RedSpot{};
    o.site = kParis;
    double done = 0;
    o.progress = [&](double f) {
        EXPECT_GE(f, done);
        done = f;
    };
    const std::vector<ProgrammeRow> rows = buildProgramme(o);
    EXPECT_DOUBLE_EQ(done, 1.0);
    std::vector<QString> io;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0)
            EXPECT_LE(rows[i - 1].ut, rows[i].ut);
        EXPECT_EQ(rows[i].civil, rows[i].ut.addSecs(3600));   // TU-TC = -1 h
        if (rows[i].satellite == 0) {
            io.push_back(rows[i].phenomenon + u' ' + rows[i].change + u' ' + dateTimeText(rows[i].ut, kFrench));
            EXPECT_TRUE(rows[i].observable);
            EXPECT_GT(rows[i].jupiterAltDeg, 40);
        }
    }
    EXPECT_EQ(io, (std::vector<QString>{u"Ombre début 03/12/2024 20:32:42"_qs, u"Passage début 03/12/2024 20:38:49"_qs,
                                        u"Ombre fin 03/12/2024 22:43:44"_qs, u"Passage fin 03/12/2024 22:50:01"_qs}));
    const auto spots = std::count_if(rows.begin(), rows.end(), [](const ProgrammeRow& r) { return r.satellite < 0; });
    EXPECT_GE(spots, 1);

    // Observability follows the limits.
    o.visibility.minJupiterDeg = 60;
    o.onlySatellite = 0;
    o.grs.reset();
    const auto high = buildProgramme(o);
    ASSERT_EQ(high.size(), 4u);
    EXPECT_FALSE(high[0].observable);   // 41° at the shadow's ingress
    EXPECT_EQ(notSeenCodes(high[0].unseen), QStringList{u"jupiter_low"_qs});
    // A mutual event's row: too faint below the least drop, whatever the sky.
    ProgrammeRow faint = high[0];
    faint.magnitudeDrop = 0.004;
    placeRow(faint, kParis, Visibility{});
    EXPECT_EQ(notSeenCodes(faint.unseen), QStringList{u"faint"_qs});
    EXPECT_FALSE(faint.observable);
    EXPECT_TRUE(notSeenText(faint, Visibility{}).contains(u"0.004"_qs));
    faint.magnitudeDrop = 0.02;
    placeRow(faint, kParis, Visibility{});
    EXPECT_TRUE(faint.observable);

    // Cancelled before it starts: nothing, at once.
    std::atomic<bool> stop{true};
    o.cancel = &stop;
    EXPECT_TRUE(buildProgramme(o).empty());
    o.cancel = nullptr;
    o.offsetHours = 1e9;   // no civil time in the supported years
    EXPECT_EQ(errorOf([&] { buildProgramme(o); }), 5);
}

TEST(Programme, CsvQuotesWhatNeedsIt)
{
    ProgrammeRow r;
    r.ut = ut(2024, 12, 3, 20, 32, 42);
    r.civil = r.ut;
    r.phenomenon = QStringLiteral("Tache, \"Rouge\"");
    r.change = QStringLiteral("passage");
    const QString csv = programmeCsv({r}, kFrench, false);
    EXPECT_EQ(csv, u"satellite,phenomene,changement,date,datetu,label,cache\n"
                   u",\"Tache, \"\"Rouge\"\"\",passage,03/12/2024 20:32:42,03/12/2024 20:32:42,,non\n"_qs);
}

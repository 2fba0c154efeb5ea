// The ephemeris against the published worked example and across the calendar.
#include "commun.h"
#include "calendar.h"
#include "ephemeride.h"
#include "erreur.h"
#include "regional.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace zeno;
using namespace zeno::test;

namespace {

Ephemeride compute(const QString& date, const QString& offset = QStringLiteral("0"))
{
    Ephemeride e;
    const JourJulienTU jd = gregorJuli(date, offset, kFrench);
    calculeJupiter(e, jd, kFrench);
    calculeSatellites(e);
    return e;
}

} // namespace

TEST(Ephemeride, WorkedExampleJanuary2000Noon)
{
    const Ephemeride e = compute(QStringLiteral("01/01/2000 12:00:00"));
    EXPECT_NEAR(e.T, 1.0000068447675, 1e-13);
    EXPECT_NEAR(e.DeltaT * 86400, 55.2776, 5e-5);
    EXPECT_EQ(e.JD, QStringLiteral("2451545,00063979"));
    EXPECT_NEAR(e.d, 36525.00063979, 1e-9);
    EXPECT_NEAR(e.psi, 11.0241, 5e-5);
    EXPECT_NEAR(e.De, 2.8951, 5e-5);
    EXPECT_NEAR(reduitMeridien(e.omega1), 196.4707, 5e-5);
    EXPECT_NEAR(reduitMeridien(e.omega2), 172.9197, 5e-5);
    EXPECT_NEAR(e.X1, -1.3102, 5e-5);
    EXPECT_NEAR(e.Y1, 0.2898, 5e-5);
    EXPECT_NEAR(e.X4, 21.3561, 5e-5);
    // Angles stay unreduced: u1 is about 7.4 million degrees, omega1 about 32 million.
    EXPECT_GT(e.u1, 7.3e6);
    EXPECT_GT(e.omega1, 3.2e7);
    // Satellites within their orbits' reach.
    EXPECT_NEAR(e.r1, 5.9061, 0.0245);
    EXPECT_NEAR(e.r4, 26.3649, 0.195);
}

TEST(Ephemeride, JdeGoesThroughItsFifteenDigitText)
{
    // d is formed from the JDE rounded to 15 significant digits.
    const Ephemeride e = compute(QStringLiteral("01/01/2000 13:00:00"));
    EXPECT_EQ(e.d, readNumber(e.JD, kFrench) - 2415020);
    EXPECT_EQ(e.JD, numberText(readNumber(e.JD, kFrench), kFrench));
}

TEST(Ephemeride, FiniteOverTheCalendarAndNegativeBefore1900)
{
    const Ephemeride old = compute(QStringLiteral("15/06/1650 03:00:00"));
    EXPECT_LT(old.d, 0);
    EXPECT_LT(old.T, 0);
    for (const char* date : {"01/01/0100", "15/06/1650 03:00:00", "01/01/2000 12:00:00", "31/12/9999 23:59:59"}) {
        const Ephemeride e = compute(QString::fromLatin1(date));
        EXPECT_NO_THROW(verifieFini(e)) << date;
        EXPECT_LT(std::fabs(e.psi), 12.5) << date;
        EXPECT_LT(std::fabs(e.Ds), 3.08) << date;
        EXPECT_GT(e.Delta, 3.9) << date;
        EXPECT_LT(e.Delta, 6.5) << date;
    }
}

TEST(Ephemeride, MeridianReductionForDisplay)
{
    EXPECT_EQ(reduitMeridien(-10), 350);
    EXPECT_EQ(reduitMeridien(720), 0);
    EXPECT_EQ(reduitMeridien(359.5), 359.5);
    EXPECT_EQ(numberText(reduitMeridien(-10), kFrench), QStringLiteral("350"));
    EXPECT_EQ(numberText(reduitMeridien(359.5), kFrench), QStringLiteral("359,5"));
}

TEST(Ephemeride, NonFiniteResultsRaiseTheRuntimeError)
{
    Ephemeride e = compute(QStringLiteral("01/01/2000 12:00:00"));
    e.X3 = INFINITY;
    try {
        verifieFini(e);
        FAIL();
    } catch (const ErreurExecution& err) {
        EXPECT_EQ(err.numero(), 6);
    }
    e.X3 = NAN;
    try {
        verifieFini(e);
        FAIL();
    } catch (const ErreurExecution& err) {
        EXPECT_EQ(err.numero(), 5);
    }
}

// The one table behind the finiteness check, the companion's JSON and the
// sweeps: every double of the record once, in record order, none left out.
TEST(Ephemeride, FieldTableCoversEveryDoubleOnceInRecordOrder)
{
    Ephemeride e;
    const char* next = reinterpret_cast<const char*>(&e.JD + 1);
    for (const RecordField& f : kRecordFields) {
        EXPECT_EQ(reinterpret_cast<const char*>(&(e.*f.member)), next) << f.name;
        EXPECT_STRNE(f.unit, "") << f.name;
        next = reinterpret_cast<const char*>(&(e.*f.member) + 1);
    }
    EXPECT_EQ(next, reinterpret_cast<const char*>(&e + 1));
}

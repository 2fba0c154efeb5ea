// Julian Day of a civil date-time and the calendar arithmetic of the steps.
#include "commun.h"
#include "calendar.h"
#include "erreur.h"
#include "regional.h"

#include <gtest/gtest.h>

using namespace zeno;
using namespace zeno::test;

namespace {

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

} // namespace

TEST(JulianDay, WorkedValuesAndTheCalendarReform)
{
    EXPECT_EQ(julianDayValue(at(2000, 1, 1, 12)), 2451545);
    EXPECT_EQ(julianDayValue(at(1582, 10, 15)), 2299160.5);   // first Gregorian day
    EXPECT_EQ(julianDayValue(at(1582, 10, 4)), 2299159.5);    // last Julian day
    EXPECT_EQ(julianDayValue(at(1500, 12, 20)), 2269286.5);   // Julian calendar
    EXPECT_EQ(julianDayValue(at(2000, 2, 15)), 2451589.5);    // February as month 14 of 1999
    EXPECT_EQ(julianDayValue(at(1858, 11, 17)), 2400000.5);   // origin of the MJD
    EXPECT_EQ(julianDayValue(at(100, 1, 1)), 1757582.5);
    EXPECT_NEAR(julianDayValue(at(9999, 12, 31, 23, 59, 59)), 5373484.5, 1.0 / 86400 + 1e-9);
}

TEST(JulianDay, GregorJuliAppliesTheOffsetBeforeTheCalendar)
{
    const auto jd = [](const char* date, const char* offset) {
        return gregorJuli(QString::fromLatin1(date), QString::fromUtf8(offset), kFrench);
    };
    EXPECT_EQ(jd("01/01/2000 12:00:00", "0").text(), QStringLiteral("2451545"));
    EXPECT_EQ(jd("01/01/2000 12:00:00", "0").dateText(), QStringLiteral("01/01/2000 12:00:00"));
    EXPECT_EQ(jd("01/01/2000 13:00:00", "-1").text(), QStringLiteral("2451545"));
    EXPECT_EQ(jd("01/01/2000 13:00:00", "0").text(), QStringLiteral("2451545,04166667"));
    EXPECT_EQ(jd("01/01/2000 13:00:00", "0").value(), 2451545.04166667);
    // Offsets that cross midnight, the month and the year: the UT date counts.
    EXPECT_EQ(jd("31/12/1999 23:30:00", "1").dateText(), QStringLiteral("01/01/2000 00:30:00"));
    EXPECT_EQ(jd("01/03/2000 00:30:00", "-1").dateText(), QStringLiteral("29/02/2000 23:30:00"));
    // The arithmetic is proleptic Gregorian; the day before the reform takes the Julian formula.
    EXPECT_EQ(jd("15/10/1582 01:00:00", "-2").dateText(), QStringLiteral("14/10/1582 23:00:00"));
    EXPECT_EQ(jd("15/10/1582 01:00:00", "-2").value(), round15(julianDayValue(at(1582, 10, 14, 23))));
    EXPECT_EQ(jd("01/01/2000 12:00:00", "-5,5").dateText(), QStringLiteral("01/01/2000 06:30:00"));
    EXPECT_EQ(jd("31/12/1999 23:00:00", "1").dateText(), QStringLiteral("01/01/2000"));   // midnight: date alone
    // Failures: unreadable texts, or a UT instant outside the supported years.
    EXPECT_EQ(errorOf([&] { jd("", "0"); }), 13);
    EXPECT_EQ(errorOf([&] { jd("abc", "0"); }), 13);
    EXPECT_EQ(errorOf([&] { jd("01/01/2000", ""); }), 13);
    EXPECT_EQ(errorOf([&] { jd("01/01/2000", "x"); }), 13);
    EXPECT_EQ(errorOf([&] { jd("31/12/9999 23:00:00", "1"); }), 5);
    EXPECT_EQ(errorOf([&] { jd("01/01/0100 00:30:00", "-1"); }), 5);
    EXPECT_EQ(errorOf([&] { jd("01/01/2000", "1e308"); }), 5);
}

TEST(Steps, CalendarRulesOfEachUnit)
{
    EXPECT_EQ(addUnits(at(2000, 1, 31), StepUnit::Month, 1), at(2000, 2, 29));
    EXPECT_EQ(addUnits(at(2001, 1, 31, 5), StepUnit::Month, 1), at(2001, 2, 28, 5));
    EXPECT_EQ(addUnits(at(2000, 2, 29), StepUnit::Year, 1), at(2001, 2, 28));
    EXPECT_EQ(addUnits(at(2000, 11, 30), StepUnit::Month, 3), at(2001, 2, 28));
    EXPECT_EQ(addUnits(at(2000, 3, 31), StepUnit::Month, -1), at(2000, 2, 29));
    EXPECT_EQ(addUnits(at(2000, 1, 15), StepUnit::Month, -13), at(1998, 12, 15));
    EXPECT_EQ(addUnits(at(1999, 12, 31, 23, 59, 59), StepUnit::Second, 1), at(2000, 1, 1));
    EXPECT_EQ(addUnits(at(2000, 1, 1), StepUnit::Second, -1), at(1999, 12, 31, 23, 59, 59));
    EXPECT_EQ(addUnits(at(2000, 2, 28, 23), StepUnit::Hour, 2), at(2000, 2, 29, 1));
    EXPECT_EQ(addUnits(at(2000, 1, 1), StepUnit::Minute, -32768), at(1999, 12, 9, 5, 52));
    EXPECT_EQ(addUnits(at(1582, 10, 4), StepUnit::Day, 1), at(1582, 10, 5));   // proleptic Gregorian
    EXPECT_EQ(addUnits(at(2000, 1, 1), StepUnit::Day, 0), at(2000, 1, 1));
    // The result stays within 01/01/0100 .. 31/12/9999.
    EXPECT_EQ(addUnits(at(9999, 12, 31, 23, 59, 59), StepUnit::Second, 0), lastSupportedInstant());
    EXPECT_EQ(errorOf([] { addUnits(at(9999, 12, 31, 23, 59, 59), StepUnit::Second, 1); }), 5);
    EXPECT_EQ(errorOf([] { addUnits(at(100, 1, 1), StepUnit::Day, -1); }), 5);
    EXPECT_EQ(errorOf([] { addUnits(at(9999, 12, 1), StepUnit::Month, 1); }), 5);
    EXPECT_EQ(errorOf([] { addUnits(at(2000, 1, 1), StepUnit::Year, 32767); }), 5);
    EXPECT_EQ(errorOf([] { addUnits(at(2000, 1, 1), StepUnit::Year, -1901); }), 5);
    EXPECT_EQ(addUnits(at(2000, 1, 1), StepUnit::Year, -1900), at(100, 1, 1));
}

TEST(Steps, CountIsRoundedHalfToEvenAndFitsSixteenBits)
{
    const auto count = [](const char* text, bool negate) {
        return stepCount(QString::fromUtf8(text), negate, kFrench);
    };
    EXPECT_EQ(count("2,5", false), 2);
    EXPECT_EQ(count("3,5", false), 4);
    EXPECT_EQ(count("2,5", true), -2);
    EXPECT_EQ(count("3,5", true), -4);
    EXPECT_EQ(count("-3", true), 3);
    EXPECT_EQ(count("0", false), 0);
    EXPECT_EQ(count("32767", false), 32767);
    EXPECT_EQ(count("32768", true), -32768);
    EXPECT_EQ(count("32767,5", true), -32768);
    EXPECT_EQ(errorOf([&] { count("32768", false); }), 6);
    EXPECT_EQ(errorOf([&] { count("-32768", true); }), 6);
    EXPECT_EQ(errorOf([&] { count("1e308", false); }), 6);
    EXPECT_EQ(errorOf([&] { count("", false); }), 13);
    EXPECT_EQ(errorOf([&] { count("deux", false); }), 13);
    EXPECT_EQ(stepUnitFromCode(QStringLiteral("n")), StepUnit::Minute);
    EXPECT_EQ(errorOf([] { stepUnitFromCode(QStringLiteral("w")); }), 5);
}

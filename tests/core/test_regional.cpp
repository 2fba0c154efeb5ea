// Number text and date-and-time text, in French and in other regional settings.
#include "commun.h"
#include "erreur.h"
#include "light_curve_fit.h"
#include "mutual_events.h"
#include "regional.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace zeno;
using namespace zeno::test;

TEST(NumberText, FifteenDigitsNoTrailingZerosExponentBelowTenThousandth)
{
    const struct { double value; const char* text; } cases[] = {
        {2451545, "2451545"},
        {2451545.0 + 1.0 / 24, "2451545,04166667"},
        {2451545.00063979, "2451545,00063979"},
        {0.0001, "0,0001"},
        {0.00001, "1E-05"},
        {0.000015, "1,5E-05"},
        {-2.5, "-2,5"},
        {1.0 / 3, "0,333333333333333"},
        {2.0 / 3, "0,666666666666667"},
        {123456789012345, "123456789012345"},
        {1e15, "1E+15"},
        {999999999999999.9, "1E+15"},
        {1.25e20, "1,25E+20"},
        {1e-300, "1E-300"},
        {0.0, "0"},
        {-0.0, "0"},
        {350, "350"},
        {359.5, "359,5"},
        {100, "100"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numberText(c.value, kFrench), QString::fromUtf8(c.text)) << c.text;
    EXPECT_EQ(numberText(2.5, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("2.5"));
    EXPECT_EQ(numberText(1234567.5, QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("1234567,5"));
}

TEST(NumberText, ReadsBackToTheValueRoundedToFifteenDigits)
{
    for (double v : {2451545.0416666667, 0.1 + 0.2, 1.0 / 7, -123.456789012345678, 6.02214076e23, 1.5e-7,
                     196.47071234567891, 36525.00063979}) {
        const double back = readNumber(numberText(v, kFrench), kFrench);
        EXPECT_EQ(back, round15(v)) << v;
        EXPECT_EQ(numberText(back, kFrench), numberText(v, kFrench)) << v;
    }
}

TEST(NumberText, ReadingAcceptsNumbersAndRefusesTheRest)
{
    EXPECT_EQ(readNumber(QStringLiteral("2,5"), kFrench), 2.5);
    EXPECT_EQ(readNumber(QStringLiteral("  -3  "), kFrench), -3);
    EXPECT_EQ(readNumber(QStringLiteral("+12"), kFrench), 12);
    EXPECT_EQ(readNumber(QStringLiteral("1E-05"), kFrench), 1e-5);
    EXPECT_EQ(readNumber(QStringLiteral(",5"), kFrench), 0.5);
    EXPECT_EQ(readNumber(QStringLiteral("1e308"), kFrench), 1e308);
    EXPECT_EQ(readNumber(QStringLiteral("1e-400"), kFrench), 0);
    EXPECT_EQ(readNumber(QStringLiteral("2.5"), QLocale(QLocale::English)), 2.5);
    for (const char* bad : {"", " ", "abc", "2.5", "1 000", "NaN", "inf", "-", "1e", "1,2,3", "12h", "٣", "0x10"})
        EXPECT_EQ(errorOf([&] { readNumber(QString::fromUtf8(bad), kFrench); }), 13) << bad;
    EXPECT_EQ(errorOf([&] { readNumber(QStringLiteral("1e400"), kFrench); }), 6);
    EXPECT_EQ(errorOf([&] { readNumber(QString(100000, u'9'), kFrench); }), 6);
}

TEST(DateTimeText, FrenchFormMidnightAloneAndRoundTrip)
{
    const QDateTime noon(QDate(2000, 1, 1), QTime(12, 0, 0), Qt::UTC);
    EXPECT_EQ(dateTimeText(noon, kFrench), QStringLiteral("01/01/2000 12:00:00"));
    EXPECT_EQ(dateTimeText(QDateTime(QDate(2000, 2, 29), QTime(0, 0), Qt::UTC), kFrench), QStringLiteral("29/02/2000"));
    EXPECT_EQ(dateTimeText(QDateTime(QDate(100, 1, 1), QTime(0, 0, 1), Qt::UTC), kFrench),
              QStringLiteral("01/01/0100 00:00:01"));
    EXPECT_EQ(readDateTime(QStringLiteral("01/01/2000 12:00:00"), kFrench), noon);
    EXPECT_EQ(readDateTime(QStringLiteral(" 1/1/2000 12:00 "), kFrench), noon);
    EXPECT_EQ(readDateTime(QStringLiteral("29/02/2000"), kFrench).time(), QTime(0, 0));
    EXPECT_EQ(readDateTime(QStringLiteral("31/12/9999 23:59:59"), kFrench), lastSupportedInstant());
    EXPECT_EQ(readDateTime(QStringLiteral("01/01/0100"), kFrench), firstSupportedInstant());
    EXPECT_EQ(readDateTime(QStringLiteral("01/01/2000 12:00:00"), kFrench).timeSpec(), Qt::UTC);
}

TEST(DateTimeText, RefusesWhatIsNotADateOfTheSupportedYears)
{
    for (const char* bad : {"", "   ", "abc", "31/02/2000", "29/02/1900", "29/02/1500", "00/00/0000",
                            "31/12/9999 23:59:60", "01/01/2000 25:00:00", "01/01/2000 12:60", "01/01/0099",
                            "01/01/10000", "01/13/2000", "01/01/-5", "01/01/2000 12", "01/01/2000abc",
                            "01/01/2000 12:00:00 PM", "٠١/٠١/٢٠٠٠", "01/01/2000\t12:00:00x"})
        EXPECT_EQ(errorOf([&] { readDateTime(QString::fromUtf8(bad), kFrench); }), 13) << bad;
    EXPECT_EQ(errorOf([&] { readDateTime(QString(100000, u'1'), kFrench); }), 13);
}

// What each locale prints, it reads: the window's form, the tables' and the
// companion's (time always, tenths); ISO 8601 in all.
TEST(DateTimeText, WhatEachLocalePrintsItReadsBack)
{
    const QDateTime t(QDate(1987, 11, 3), QTime(4, 5, 6, 789), Qt::UTC), whole = t.addMSecs(-789);
    const MutualEvent ev = *findMutualEvent(*parseMutualCode(QStringLiteral("3E2")),
                                            QDateTime(QDate(2026, 12, 2), QTime(21, 47), Qt::UTC).toSecsSinceEpoch());
    for (const QLocale& l : {kFrench, QLocale(QLocale::English, QLocale::UnitedStates),
                             QLocale(QLocale::English, QLocale::UnitedKingdom), QLocale(QLocale::German, QLocale::Germany),
                             QLocale(QLocale::Swedish, QLocale::Sweden), QLocale(QLocale::Japanese, QLocale::Japan),
                             QLocale(QLocale::Finnish)}) {
        const std::string name = l.name().toStdString();
        const QString text = dateTimeText(whole, l);
        EXPECT_TRUE(text.contains(QStringLiteral("1987"))) << text.toStdString();   // never a two-digit year
        EXPECT_EQ(readDateTime(text, l), whole) << text.toStdString();
        const QDateTime midnight(whole.date(), QTime(0, 0), Qt::UTC);
        EXPECT_EQ(readDateTime(dateTimeText(midnight, l, TimeShown::Always), l), midnight) << name;
        EXPECT_EQ(readDateTime(dateTimeText(t, l, TimeShown::Tenths), l, true), t.addMSecs(-89)) << name;
        EXPECT_EQ(readDateTime(dateTimeText(t, l, TimeShown::Milliseconds), l, true), t) << name;
        EXPECT_EQ(readDateTime(mutualUtText(ev.maximumExact, l), l).toSecsSinceEpoch(), std::llround(ev.maximumExact)) << name;
        EXPECT_NEAR(readDateTime(utTextTenths(ev.maximumExact, l), l, true).toMSecsSinceEpoch() / 1000.0, ev.maximumExact, 0.05)
            << name;
        for (const char* iso : {"1987-11-03 04:05:06", "1987-11-03T04:05:06", " 1987-11-03T04:05:06Z "})
            EXPECT_EQ(readDateTime(QString::fromLatin1(iso), l), whole) << name << iso;
        EXPECT_EQ(readDateTime(QStringLiteral("1987-11-03"), l), midnight) << name;
        EXPECT_EQ(errorOf([&] { readDateTime(QStringLiteral("1987-11-03 04:05:06.5"), l); }), 13) << name;   // the pass takes seconds
    }
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(dateTimeText(whole, us), QStringLiteral("11/03/1987 04:05:06"));
    EXPECT_TRUE(dateFormText(us).startsWith(dateFormText(kFrench).section(u'/', 1, 1)));   // the month first
    EXPECT_EQ(dateFormText(QLocale(QLocale::English, QLocale::UnitedKingdom)), dateFormText(kFrench));
}

TEST(DateTimeText, RightToLeftMarksAreNotSeparators)
{
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    const QDateTime t(QDate(2000, 1, 2), QTime(13, 4, 5), Qt::UTC);
    const QString text = dateTimeText(t, arabic);
    EXPECT_EQ(text, QStringLiteral("02/01/2000 13:04:05"));
    EXPECT_EQ(readDateTime(text, arabic), t);
}

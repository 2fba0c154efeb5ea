// The whole supported calendar through the very pass the window runs: every
// 10th day from 01/01/0100 to 31/12/9999, then the first and the last second
// of the range with every offset of the spinner.
#include "commun.h"
#include "scene_frame.h"
#include "enregistreur.h"
#include "erreur.h"
#include "passe.h"
#include "regional.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

using namespace zeno;
using namespace zeno::test;

namespace {

// Days between two samples: about 362 000 passes, a few seconds in a
// release build and well under a minute under AddressSanitizer.
constexpr int kStrideDays = 10;

// Julian Day by the integer day-number formulas, independent of the core:
// the Julian calendar before 15/10/1582, the Gregorian one from it.
double independentJulianDay(const QDateTime& ut)
{
    const QDate d = ut.date();
    const std::int64_t y = d.year(), m = d.month(), day = d.day();
    const std::int64_t a = (14 - m) / 12;
    const std::int64_t yy = y + 4800 - a;
    const std::int64_t mm = m + 12 * a - 3;
    const bool gregorian = d >= QDate(1582, 10, 15);
    std::int64_t jdn = day + (153 * mm + 2) / 5 + 365 * yy + yy / 4;
    jdn += gregorian ? -yy / 100 + yy / 400 - 32045 : -32083;
    return double(jdn) - 0.5 + ut.time().msecsSinceStartOfDay() / 86'400'000.0;
}

// The days 05/10/1582 .. 14/10/1582 were dropped by the reform; typed, they
// read as Julian-calendar dates and share the Julian Days of the ten days after.
bool inReformGap(const QDate& d) { return d >= QDate(1582, 10, 5) && d <= QDate(1582, 10, 14); }

bool finite(double v) { return std::isfinite(v); }

bool readsAsNumber(const QString& text, double& value)
{
    try {
        value = readNumber(text, kFrench);
        return true;
    } catch (const ErreurExecution&) {
        return false;
    }
}

// Everything a successful pass must leave; empty when it holds.
std::string problemsOfPass(const Enregistreur& host, const Calcul& calcul, const QDateTime& ut, double& jd)
{
    const Ephemeride& e = calcul.record();
    for (const RecordField& f : kRecordFields)
        if (!finite(e.*f.member))
            return std::string("record field ") + f.name + " not finite";

    if (!readsAsNumber(host.caption(Caption::jourjuli), jd) || !finite(jd))
        return "jourjuli unreadable: " + host.caption(Caption::jourjuli).toStdString();
    const double expected = independentJulianDay(ut);
    if (std::fabs(jd - expected) > 1e-7)
        return "jourjuli " + std::to_string(jd) + " expected " + std::to_string(expected);
    double jde = 0;
    if (!readsAsNumber(e.JD, jde) || !(jde > jd))   // Delta T is positive at every date
        return "JDE text " + e.JD.toStdString() + " not after the UT Julian Day";

    const QString dateText = dateTimeText(ut, kFrench);
    if (host.caption(Caption::datetu) != dateText)
        return "datetu " + host.caption(Caption::datetu).toStdString() + " expected " + dateText.toStdString();
    if (host.caption(Caption::Form2) != QStringLiteral("Zenolune    ") + dateText)
        return "Form2 caption " + host.caption(Caption::Form2).toStdString();
    for (Caption c : {Caption::syst1, Caption::syst2}) {
        double omega = 0;
        if (!readsAsNumber(host.caption(c), omega) || !(omega >= 0 && omega < 360))
            return std::string(captionName(c)) + " " + host.caption(c).toStdString();
    }

    // The four satellites come first in both scenes, then shadows and covers.
    std::size_t main = 0, reduced = 0;
    for (const DisqueTrace& d : host.discs) {
        if (!finite(d.x) || !finite(d.y))
            return "disc at non-finite coordinates";
        if (satelliteOfRadius(std::int16_t(d.radius)) < 0)
            return "disc of radius " + std::to_string(d.radius);
        ++(d.scene == Scene::Main ? main : reduced);
    }
    if (main != reduced || main < 4 || main > 12)
        return "disc counts " + std::to_string(main) + "/" + std::to_string(reduced);

    // Each label shows its own word or a space; a satellite is either behind or in front.
    static const char16_t* const words[4] = {u"Eclipsé", u"Ombre", u"Occulté", u"Passage"};
    for (int s = 0; s < 4; ++s) {
        for (int k = 0; k < 4; ++k) {
            const QString& text = host.captions[kFirstPhenomenonCaption + 4 * s + k];
            if (text != u" " && text != QStringView(words[k]))
                return std::string(captionName(Caption(kFirstPhenomenonCaption + 4 * s + k))) + " shows "
                     + text.toStdString();
        }
        const bool occulted = host.captions[kFirstPhenomenonCaption + 4 * s + 2] != u" ";
        const bool transit = host.captions[kFirstPhenomenonCaption + 4 * s + 3] != u" ";
        if (occulted && transit)
            return std::string(kSatellites[s].name) + " both occulted and in transit";
    }
    return {};
}

// A failed pass blanks the phenomenon labels and leaves the rest as it was.
std::string problemsOfFailure(const Enregistreur& host, const Enregistreur& before)
{
    for (int i = 0; i < kFirstPhenomenonCaption; ++i)
        if (host.captions[i] != before.captions[i])
            return std::string(captionName(Caption(i))) + " changed by a failed pass";
    for (int i = kFirstPhenomenonCaption; i < kCaptionCount; ++i)
        if (host.captions[i] != u" ")
            return std::string(captionName(Caption(i))) + " not blanked";
    if (host.discs.size() != before.discs.size() || host.clears != before.clears)
        return "scenes touched by a failed pass";
    return {};
}

int runPass(Calcul& calcul, const QString& date, const QString& offset)
{
    try {
        calcul.passe(date, offset);
    } catch (const ErreurExecution& e) {
        return e.numero();
    }
    return 0;
}

} // namespace

TEST(Sweep, EveryTenthDayOfTheSupportedCalendar)
{
    Enregistreur host;
    Calcul calcul(host, kFrench);
    const QDate last = lastSupportedInstant().date();

    int failures = 0, passes = 0, outOfRange = 0;
    double previousJd = -1;
    QString previousDate;
    const auto fail = [&](const QString& date, const QString& offset, const std::string& what) {
        ADD_FAILURE() << date.toStdString() << " offset " << offset.toStdString() << ": " << what;
        return ++failures >= 20;
    };

    std::int64_t i = 0;
    for (QDate day = firstSupportedInstant().date(); day <= last; day = day.addDays(kStrideDays), ++i) {
        // A time of day and an offset (-12..12 in half hours) that vary from sample to sample.
        const int secondOfDay = int((i * 7919 + 3) % 86400);
        const double hours = double((i * 7) % 49 - 24) / 2;
        const QDateTime typed(day, QTime(0, 0).addSecs(secondOfDay), Qt::UTC);
        const QString date = dateTimeText(typed, kFrench);
        const QString offset = numberText(hours, kFrench);
        const QDateTime ut = typed.addSecs(std::int64_t(hours * 3600));

        const Enregistreur before = host;
        const int error = runPass(calcul, date, offset);
        if (!isSupported(ut)) {
            ++outOfRange;
            std::string problem = error == 5 ? problemsOfFailure(host, before)
                                             : "error " + std::to_string(error) + " instead of 5";
            if (!problem.empty() && fail(date, offset, problem))
                return;
            continue;
        }
        if (error != 0) {
            if (fail(date, offset, "error " + std::to_string(error)))
                return;
            continue;
        }
        ++passes;
        double jd = 0;
        const std::string problem = problemsOfPass(host, calcul, ut, jd);
        if (!problem.empty()) {
            if (fail(date, offset, problem))
                return;
            continue;
        }
        if (inReformGap(ut.date())) {
            // Checked above against the Julian-calendar reading; kept out of the order.
            if (std::fabs(jd - independentJulianDay(ut.addDays(10))) > 1e-7 && fail(date, offset, "reform gap"))
                return;
            continue;
        }
        if (!(jd > previousJd)
            && fail(date, offset, "Julian Day " + std::to_string(jd) + " not after that of "
                                      + previousDate.toStdString()))
            return;
        previousJd = jd;
        previousDate = date;
    }
    EXPECT_GT(passes, 361'000);
    EXPECT_LE(outOfRange, 2);   // at most the first sample, typed before the offset
    RecordProperty("passes", passes);
}

TEST(Sweep, FirstAndLastSecondWithEveryOffset)
{
    Enregistreur host;
    Calcul calcul(host, kFrench);
    calcul.passe(QStringLiteral("01/01/2000 12:00:00"), QStringLiteral("0"));

    struct Bord {
        const char* typed;
        QDateTime instant;
    };
    const Bord ends[] = {
        {"01/01/0100", firstSupportedInstant()},
        {"01/01/0100 00:00:00", firstSupportedInstant()},
        {"31/12/9999 23:59:59", lastSupportedInstant()},
    };
    for (const Bord& end : ends) {
        double previousJd = -1;
        for (int hours = -12; hours <= 12; ++hours) {
            const QString date = QString::fromLatin1(end.typed);
            const QString offset = QString::number(hours);
            const QDateTime ut = end.instant.addSecs(hours * 3600);
            SCOPED_TRACE(std::string(end.typed) + " offset " + offset.toStdString());
            const Enregistreur before = host;
            const int error = runPass(calcul, date, offset);
            if (!isSupported(ut)) {
                EXPECT_EQ(error, 5);
                EXPECT_EQ(problemsOfFailure(host, before), "");
                continue;
            }
            ASSERT_EQ(error, 0);
            double jd = 0;
            EXPECT_EQ(problemsOfPass(host, calcul, ut, jd), "");
            EXPECT_GT(jd, previousJd);
            previousJd = jd;
        }
    }

    // Fractions of an hour move by the nearest whole second: 0.36 s stays
    // inside the range, 0.72 s leaves it.
    double jd = 0;
    EXPECT_EQ(runPass(calcul, QStringLiteral("01/01/0100"), QStringLiteral("-0,0001")), 0);
    EXPECT_EQ(problemsOfPass(host, calcul, firstSupportedInstant(), jd), "");
    EXPECT_EQ(host.caption(Caption::jourjuli), QStringLiteral("1757582,5"));
    EXPECT_EQ(runPass(calcul, QStringLiteral("01/01/0100"), QStringLiteral("-0,0002")), 5);
    EXPECT_EQ(runPass(calcul, QStringLiteral("31/12/9999 23:59:59"), QStringLiteral("0,0001")), 0);
    EXPECT_EQ(problemsOfPass(host, calcul, lastSupportedInstant(), jd), "");
    EXPECT_EQ(runPass(calcul, QStringLiteral("31/12/9999 23:59:59"), QStringLiteral("0,0002")), 5);
}

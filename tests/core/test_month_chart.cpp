// The month's chart: the tracks meet Jupiter's band where the timetable says
// transits and occultations begin, in both theories; the intervals that break
// them; the calendar file read back.
#include "commun.h"

#include "scene_frame.h"
#include "enregistreur.h"
#include "ical.h"
#include "month_chart.h"
#include "regional.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTimeZone>
#include <cmath>
#include <map>
#include <set>

namespace zeno {
namespace {

using test::kFrench;

MonthChartOptions march2025(Theory theorie)
{
    MonthChartOptions o;
    o.year = 2025;
    o.month = 3;
    o.theorie = theorie;
    o.site = Site{};   // Paris
    return o;
}

class MonthChartTheories : public ::testing::TestWithParam<Theory> {};

// At every start of a transit or an occultation of Io, Europe and Ganymède,
// the track crosses into Jupiter's band at the disk's limb (|X| = 1 at the
// equator, less at the satellite's Y) and agrees with the pass there.
TEST_P(MonthChartTheories, TracksMeetTheBandAtTheTimetablesContacts)
{
    const MonthChart c = computeMonthChart(march2025(GetParam()), kFrench);
    ASSERT_EQ(c.x.size(), std::size_t((c.end - c.start) / c.step + 1));
    Enregistreur host;
    Calcul pass(host, kFrench);
    pass.setTheorie(GetParam());
    int checked = 0;
    for (const ProgrammeRow& r : c.rows) {
        if (r.satellite < 0 || r.satellite > 2 || r.change != u"début"
            || (r.phenomenon != u"Passage" && r.phenomenon != u"Occulté"))
            continue;
        const double x = c.xAt(r.satellite, r.ut.toSecsSinceEpoch());
        pass.passe(dateTimeText(r.ut, kFrench), QStringLiteral("0"));
        const bool precise = GetParam() == Theory::Precise;
        const double xPass = precise ? std::array{pass.recordModerne().X1, pass.recordModerne().X2, pass.recordModerne().X3}[r.satellite]
                                     : std::array{pass.record().X1, pass.record().X2, pass.record().X3}[r.satellite];
        const double yPass = precise ? std::array{pass.recordModerne().Y1, pass.recordModerne().Y2, pass.recordModerne().Y3}[r.satellite]
                                     : std::array{pass.record().Y1, pass.record().Y2, pass.record().Y3}[r.satellite];
        EXPECT_NEAR(x, xPass, 0.005);
        // The limb: the original theory's flattened disk, or the oblate globe (71492 / 66854 km).
        const double k = precise ? (71492.0 / 66854.0) * (71492.0 / 66854.0) : 1.148;   // X^2 + 1.148 Y^2 = 1
        EXPECT_LE(std::abs(x), 1.0);
        EXPECT_NEAR(x * x + k * yPass * yPass, 1.0, 0.03) << r.phenomenon.toStdString() << ' ' << r.ut.toString().toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 50);   // Io alone has about 34 of each in a month

    // Every begin ends one interval, inside the month; each interval lies
    // where the timetable says the phenomenon is under way.
    std::map<std::pair<int, int>, int> begins, intervals;
    for (const ProgrammeRow& r : c.rows)
        if (r.label && r.change == u"début")
            ++begins[{r.satellite, int(*r.label)}];
    for (const PhaseInterval& p : c.phases) {
        EXPECT_LT(p.from, p.to);
        EXPECT_GE(p.from, c.start);
        EXPECT_LE(p.to, c.end);
        EXPECT_TRUE(c.phasesAt(p.satellite, p.from + (p.to - p.from) / 2) & (1u << int(p.kind)));
    }
    EXPECT_GE(c.phases.size(), c.rows.size() / 2 - c.grs.size());
    // Nights at Paris in March: one a day, 10 to 13 hours long.
    EXPECT_GE(c.nights.size(), 31u);
    for (const NightInterval& n : c.nights) {
        EXPECT_GT(n.to - n.from, 10 * 3600);
        EXPECT_LT(n.to - n.from, 13 * 3600);
    }
}

INSTANTIATE_TEST_SUITE_P(BothTheories, MonthChartTheories, ::testing::Values(Theory::Original, Theory::Precise));

// A phenomenon under way at the start, or not ended at the end, is clipped
// to the chart; the civil axis moves the month by the offset; bad months.
TEST(MonthChart, EdgesAndBadInput)
{
    const auto row = [](int h, Caption label, const char* change) {
        ProgrammeRow r;
        r.ut = QDateTime(QDate(2025, 3, 1), QTime(h, 0), Qt::UTC);
        r.satellite = satelliteOfCaption(label);
        r.label = label;
        r.change = QString::fromUtf8(change);
        return r;
    };
    const UtSeconds start = QDateTime(QDate(2025, 3, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
    const std::vector<PhaseInterval> p =
        phaseIntervals({row(2, Caption::InfoIoEc, "fin"), row(5, Caption::InfoIoPa, "début")}, start, start + 86400);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].kind, PhaseKind::Eclipse);
    EXPECT_EQ(p[0].from, start);
    EXPECT_EQ(p[1].kind, PhaseKind::Transit);
    EXPECT_EQ(p[1].to, start + 86400);

    EXPECT_FALSE(checkMonth(2025, 13).isEmpty());
    EXPECT_FALSE(checkMonth(99, 12).isEmpty());
    EXPECT_FALSE(checkMonth(10000, 1).isEmpty());
    EXPECT_TRUE(checkMonth(9999, 12).isEmpty());
    EXPECT_EQ(monthTitle(2025, 8), QStringLiteral("août 2025"));

    MonthChartOptions o;
    o.year = 9999;
    o.month = 12;
    o.offsetText = QStringLiteral("-2");
    o.civilAxis = true;
    // The last month: its civil midnight is 22:00 UT the day before, and it
    // stops at the last supported second of civil time.
    const MonthChart c = computeMonthChart(o, kFrench);
    EXPECT_EQ(QDateTime::fromSecsSinceEpoch(c.start, Qt::UTC), QDateTime(QDate(9999, 11, 30), QTime(22, 0), Qt::UTC));
    EXPECT_EQ(c.axisOf(c.end), lastSupportedInstant().toSecsSinceEpoch());
    EXPECT_EQ(c.axisOf(c.start), QDateTime(QDate(9999, 12, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch());
    o.offsetText = QStringLiteral("une heure");
    EXPECT_EQ(test::errorOf([&] { computeMonthChart(o, kFrench); }), 13);
}

// March 2026 at Paris, on the local clock: the month runs from local midnight
// to local midnight, the day of the change to summer time lasts 23 hours, and
// every hour mark and row reads as QTimeZone's wall clock.
TEST(MonthChart, LocalTimeAcrossSummerTime)
{
    const QTimeZone paris("Europe/Paris");
    ASSERT_TRUE(paris.isValid());
    MonthChartOptions o;
    o.year = 2026;
    o.month = 3;
    o.zone = paris;
    o.offsetText = QStringLiteral("pas lu");   // the offset does not count on the local clock
    const MonthChart c = computeMonthChart(o, kFrench);
    const auto at = [&](int day, int hour) { return QDateTime(QDate(2026, 3, day), QTime(hour, 0), paris); };
    EXPECT_EQ(c.start, at(1, 0).toSecsSinceEpoch());
    EXPECT_EQ(c.end, QDateTime(QDate(2026, 4, 1), QTime(0, 0), paris).toSecsSinceEpoch());
    const auto midnight = [&](int day) {
        return c.utOf(QDateTime(QDate(2026, 3, day), QTime(0, 0), Qt::UTC).toSecsSinceEpoch());
    };
    EXPECT_EQ(midnight(30) - midnight(29), 23 * 3600);
    EXPECT_EQ(midnight(29) - midnight(28), 24 * 3600);
    for (UtSeconds t = midnight(28); t < midnight(31); t += 3600)
        EXPECT_EQ(c.axisHour(t), QDateTime::fromSecsSinceEpoch(t, paris).time().hour());
    ASSERT_FALSE(c.rows.empty());
    for (const ProgrammeRow& r : c.rows) {
        const QDateTime wall = r.ut.toTimeZone(paris);
        EXPECT_EQ(r.civil, QDateTime(wall.date(), wall.time(), Qt::UTC));
    }
}

// December 2026, in the 2026-2027 season of mutual events: the chart's marks
// are the search's events, each with its two satellites and its contacts.
TEST(MonthChart, MutualEventsInSeason)
{
    const UtSeconds start = QDateTime(QDate(2026, 12, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
    const std::vector<MutualMark> marks = mutualMarks(start, start + 31 * 86400);
    EXPECT_GT(marks.size(), 20u);
    for (const MutualMark& m : marks) {
        EXPECT_NE(m.active, m.passive);
        EXPECT_LT(m.from, m.to);
        EXPECT_LT(m.to - m.from, 4 * 3600);
    }
}

// The calendar read back as a calendar program would: lines unfolded, one
// VEVENT per row with its UTC instant, French summaries, stable UIDs,
// CRLF line ends and no line over 75 octets.
TEST(Calendar, ReadsBackOneEventPerRow)
{
    ProgrammeOptions o;
    o.fromUt = QDateTime(QDate(2024, 12, 3), QTime(18, 0), Qt::UTC);
    o.toUt = QDateTime(QDate(2024, 12, 5), QTime(6, 0), Qt::UTC);
    o.grs = RedSpot{};
    o.site = Site{};
    const std::vector<ProgrammeRow> rows = buildProgramme(o);
    ASSERT_GT(rows.size(), 10u);
    const QString place = placeText(Site{}, kFrench);
    const QByteArray ics = icsProgramme(rows, place, true, Theory::Original, QDateTime(QDate(2024, 12, 1), QTime(9, 0), Qt::UTC));

    EXPECT_EQ(ics.count("\n"), ics.count("\r\n"));
    for (const QByteArray& line : ics.split('\n'))
        EXPECT_LE(line.size(), 76) << line.toStdString();   // 75 octets and the CR
    QString text = QString::fromUtf8(ics);
    text.replace(QStringLiteral("\r\n "), QString());   // unfold
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.first(), u"BEGIN:VCALENDAR");
    EXPECT_EQ(lines.last(), u"END:VCALENDAR");
    EXPECT_TRUE(lines.contains(u"VERSION:2.0"));

    std::vector<QDateTime> starts;
    QStringList summaries;
    std::set<QString> uids;
    int events = 0;
    for (const QString& l : lines) {
        if (l == u"BEGIN:VEVENT")
            ++events;
        else if (l.startsWith(u"DTSTART:")) {
            EXPECT_TRUE(l.endsWith(u'Z'));
            starts.push_back(QDateTime::fromString(l.mid(8), QStringLiteral("yyyyMMdd'T'HHmmss'Z'")));
            starts.back().setTimeSpec(Qt::UTC);
        } else if (l.startsWith(u"SUMMARY:"))
            summaries << l.mid(8);
        else if (l.startsWith(u"UID:"))
            uids.insert(l.mid(4));
        else if (l.startsWith(u"LOCATION:")) {
            EXPECT_EQ(l.mid(9), QString(place).replace(u',', QStringLiteral("\\,")));
        }
    }
    ASSERT_EQ(events, int(rows.size()));
    ASSERT_EQ(starts.size(), rows.size());
    EXPECT_EQ(uids.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(starts[i], rows[i].ut) << i;
    EXPECT_TRUE(summaries.contains(u"Io — début de l'ombre"));
    EXPECT_TRUE(summaries.contains(u"Tache Rouge — passage au méridien central"));
    // The same rows exported later: the same UIDs.
    const QByteArray again = icsProgramme(rows, place, true, Theory::Original, QDateTime::currentDateTimeUtc());
    const QRegularExpression uid(QStringLiteral("UID:[^\r]*"));
    QStringList a, b;
    for (auto it = uid.globalMatch(QString::fromUtf8(ics)); it.hasNext();)
        a << it.next().captured();
    for (auto it = uid.globalMatch(QString::fromUtf8(again)); it.hasNext();)
        b << it.next().captured();
    EXPECT_EQ(a, b);
}

} // namespace
} // namespace zeno

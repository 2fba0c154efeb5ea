// The phenomena timetable against a brute-force scan, second by second, of
// the same pass.
#include "commun.h"
#include "enregistreur.h"
#include "erreur.h"
#include "events.h"
#include "passe.h"
#include "regional.h"

#include <gtest/gtest.h>

using namespace zeno;
using namespace zeno::test;

namespace {

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

// Every label change of Io between two instants, one pass per second.
std::vector<Event> bruteForce(const QDateTime& from, const QDateTime& to)
{
    Enregistreur host;
    Calcul calcul(host, kFrench);
    std::vector<Event> found;
    std::array<QString, 4> previous;
    for (QDateTime t = from; t <= to; t = t.addSecs(1)) {
        calcul.passe(dateTimeText(t, kFrench), QStringLiteral("0"));
        for (int k = 0; k < 4; ++k) {
            const auto label = Caption(kFirstPhenomenonCaption + k);   // Io's four labels
            const QString now = host.caption(label);
            if (t != from && now != previous[k])
                found.push_back({label, now != u" ", t, t});
            previous[k] = now;
        }
    }
    return found;
}

std::vector<Event> within(const std::vector<Event>& all, const QDateTime& from, const QDateTime& to)
{
    std::vector<Event> out;
    for (const Event& e : all)
        if (e.civil > from && e.civil <= to)
            out.push_back(e);
    return out;
}

} // namespace

TEST(Evenements, NightOfThirdDecember2024)
{
    const auto events = findEvents(at(2024, 12, 3, 18), at(2024, 12, 4, 6), 0, Step{});
    std::vector<std::pair<QString, bool>> io;
    for (const Event& e : events)
        if (satelliteOfCaption(e.label) == 0)
            io.emplace_back(phenomenonWord(e.label), e.begins);
    const std::vector<std::pair<QString, bool>> expected = {
        {QStringLiteral("Ombre"), true}, {QStringLiteral("Passage"), true},
        {QStringLiteral("Ombre"), false}, {QStringLiteral("Passage"), false}};
    EXPECT_EQ(io, expected);
    for (const Event& e : events) {
        EXPECT_GE(e.civil, at(2024, 12, 3, 18));
        EXPECT_EQ(e.ut, e.civil);   // offset 0
    }
    // The offset moves the civil instants, not the phenomena.
    const auto paris = findEvents(at(2024, 12, 3, 18), at(2024, 12, 4, 6), -1, Step{});
    ASSERT_EQ(paris.size(), events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(paris[i].ut, events[i].ut);
        EXPECT_EQ(paris[i].civil, events[i].civil.addSecs(3600));
    }
}

TEST(Evenements, AYearOfIoAgreesWithASecondBySecondScan)
{
    const auto year = findEvents(at(2024, 1, 1), at(2025, 1, 1), 0, Step{}, 0);
    EXPECT_GT(year.size(), 700u);   // some 200 orbits, each with two or three phenomena
    for (const Event& e : year)
        EXPECT_EQ(satelliteOfCaption(e.label), 0);
    // Windows around a shadow transit with its transit, and around an eclipse
    // followed by an occultation.
    const std::pair<QDateTime, QDateTime> windows[] = {
        {at(2024, 12, 3, 20, 0), at(2024, 12, 3, 23, 0)},
        {at(2024, 12, 5, 14, 0), at(2024, 12, 5, 20, 0)},
    };
    for (const auto& [from, to] : windows) {
        const auto expected = bruteForce(from, to);
        const auto got = within(year, from, to);
        EXPECT_FALSE(expected.empty());
        ASSERT_EQ(got.size(), expected.size()) << from.toString(Qt::ISODate).toStdString();
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].label, expected[i].label);
            EXPECT_EQ(got[i].begins, expected[i].begins);
            EXPECT_EQ(got[i].civil, expected[i].civil) << captionName(got[i].label);
        }
    }
}

TEST(Evenements, StepTexts)
{
    EXPECT_EQ(readStep(QStringLiteral("10n")).count, 10);
    EXPECT_EQ(readStep(QStringLiteral("10n")).unit, StepUnit::Minute);
    EXPECT_EQ(readStep(QStringLiteral("2d")).unit, StepUnit::Day);
    EXPECT_EQ(readStep(QStringLiteral("h")).count, 1);
    EXPECT_EQ(readStep(QStringLiteral("1yyyy")).unit, StepUnit::Year);
    for (const char* bad : {"", "0n", "10", "10x", "-5n", "99999999999n"}) {
        try {
            readStep(QString::fromLatin1(bad));
            ADD_FAILURE() << bad;
        } catch (const ErreurExecution& e) {
            EXPECT_EQ(e.numero(), 13) << bad;
        }
    }
}

// A long search cut into parts, one per core, finds what one search finds.
TEST(Evenements, PartsOfALongSearchJoinIntoTheWholeSearch)
{
    const QDateTime from = at(2025, 1, 1, 0, 3), to = at(2025, 3, 17, 5, 0);
    PassProbe probe(Theory::Original);
    const auto whole = findEvents(probe, from, to, -2, Step{StepUnit::Minute, 7});
    const auto parts = findEvents(from, to, -2, Step{StepUnit::Minute, 7});
    ASSERT_EQ(parts.size(), whole.size());
    for (std::size_t i = 0; i < whole.size(); ++i) {
        EXPECT_EQ(parts[i].label, whole[i].label);
        EXPECT_EQ(parts[i].begins, whole[i].begins);
        EXPECT_EQ(parts[i].ut, whole[i].ut);
        EXPECT_EQ(parts[i].civil, whole[i].civil);
    }
}

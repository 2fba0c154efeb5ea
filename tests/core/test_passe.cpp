// A whole computation pass through the headless host.
#include "commun.h"
#include "scene_frame.h"
#include "enregistreur.h"
#include "erreur.h"
#include "passe.h"
#include "regional.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace zeno;
using namespace zeno::test;

namespace {

bool isPhenomenonText(const QString& s)
{
    return s == u" " || s == u"Eclipsé" || s == u"Occulté" || s == u"Passage" || s == u"Ombre";
}

} // namespace

TEST(Passe, January2000NoonEndToEnd)
{
    Enregistreur host;
    Calcul calcul(host, kFrench);
    calcul.passe(QStringLiteral("01/01/2000 12:00:00"), QStringLiteral("0"));
    EXPECT_EQ(host.caption(Caption::jourjuli), QStringLiteral("2451545"));
    EXPECT_EQ(host.caption(Caption::datetu), QStringLiteral("01/01/2000 12:00:00"));
    EXPECT_EQ(host.caption(Caption::Form2), QStringLiteral("Zenolune    01/01/2000 12:00:00"));
    EXPECT_TRUE(host.caption(Caption::syst1).startsWith(QStringLiteral("196,470"))) << host.caption(Caption::syst1).toStdString();
    EXPECT_TRUE(host.caption(Caption::syst2).startsWith(QStringLiteral("172,919"))) << host.caption(Caption::syst2).toStdString();
    EXPECT_EQ(calcul.record().JD, QStringLiteral("2451545,00063979"));
    EXPECT_EQ(host.clears, 2);
    for (int i = kFirstPhenomenonCaption; i < kCaptionCount; ++i)
        EXPECT_TRUE(isPhenomenonText(host.captions[i])) << captionName(Caption(i));

    // The four satellites first, main scene then reduced, in their own colours
    // (eclipsed ones in blue), at 200 and 80 units per radius.
    const Ephemeride& e = calcul.record();
    const double X[4] = {e.X1, e.X2, e.X3, e.X4};
    const double Y[4] = {e.Y1, e.Y2, e.Y3, e.Y4};
    ASSERT_GE(host.discs.size(), 8u);
    for (int i = 0; i < 4; ++i) {
        const DisqueTrace& main = host.discs[2 * i];
        const DisqueTrace& reduced = host.discs[2 * i + 1];
        EXPECT_EQ(main.scene, Scene::Main);
        EXPECT_EQ(reduced.scene, Scene::Reduced);
        EXPECT_EQ(main.x, float(X[i] * 200.0));
        EXPECT_EQ(main.y, float(Y[i] * 200.0));
        EXPECT_EQ(reduced.x, float(X[i] * 80.0));
        EXPECT_EQ(main.radius, kSatellites[i].radius);
        const bool eclipsed = host.captions[kFirstPhenomenonCaption + 4 * i] == u"Eclipsé";
        EXPECT_EQ(main.colour, eclipsed ? kEclipseColour : kSatellites[i].own);
    }
    EXPECT_NEAR(host.discs[6].x, 21.3561 * 200, 0.01);   // Callisto far east
}

TEST(Passe, FailuresStopWhereTheyAriseAndKeepThePreviousResult)
{
    Enregistreur host;
    Calcul calcul(host, kFrench);
    calcul.passe(QStringLiteral("01/01/2000 12:00:00"), QStringLiteral("0"));
    const auto before = host.captions;
    const auto discs = host.discs.size();

    EXPECT_EQ(errorOf([&] { calcul.passe(QStringLiteral("abc"), QStringLiteral("0")); }), 13);
    for (int i = kFirstPhenomenonCaption; i < kCaptionCount; ++i)
        EXPECT_EQ(host.captions[i], QStringLiteral(" "));   // already blanked
    for (Caption c : {Caption::jourjuli, Caption::datetu, Caption::syst1, Caption::syst2, Caption::Form2})
        EXPECT_EQ(host.caption(c), before[int(c)]);
    EXPECT_EQ(host.discs.size(), discs);
    EXPECT_EQ(calcul.record().JD, QStringLiteral("2451545,00063979"));

    EXPECT_EQ(errorOf([&] { calcul.passe(QStringLiteral("01/01/2000"), QString()); }), 13);
    EXPECT_EQ(errorOf([&] { calcul.passe(QStringLiteral("31/12/9999 23:00:00"), QStringLiteral("2")); }), 5);
    // Parametres never runs twice on one Julian Day.
    EXPECT_EQ(errorOf([&] { calcul.Parametres(); }), 5);
    calcul.gregor_juli(QStringLiteral("01/01/2000 12:00:00"), QStringLiteral("0"));
    EXPECT_EQ(calcul.record().JD, QStringLiteral("2451545"));
    calcul.Parametres();
    EXPECT_EQ(calcul.record().JD, QStringLiteral("2451545,00063979"));
    EXPECT_EQ(errorOf([&] { calcul.Parametres(); }), 5);
}

TEST(Passe, FlipsAreReadAtEveryDisc)
{
    Enregistreur host;
    Calcul calcul(host, kFrench);
    calcul.passe(QStringLiteral("01/01/2000 12:00:00"), QStringLiteral("0"));
    const std::vector<DisqueTrace> plain = host.discs;
    host.flips = {1, 0, 0, 1};   // main east-west, reduced north-south
    calcul.passe(QStringLiteral("01/01/2000 12:00:00"), QStringLiteral("0"));
    ASSERT_EQ(host.discs.size(), plain.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const bool main = plain[i].scene == Scene::Main;
        EXPECT_EQ(host.discs[i].x, main ? -plain[i].x : plain[i].x);
        EXPECT_EQ(host.discs[i].y, main ? plain[i].y : -plain[i].y);
    }
}

namespace {

// The bytes of a run of doubles inside a record, from `first` up to `end`.
bool sameBytes(const void* a, const void* b, const void* first, const void* end, const void* base)
{
    const auto at = [&](const void* p) { return static_cast<const char*>(p) - static_cast<const char*>(base); };
    const auto n = std::size_t(at(end) - at(first));
    return std::memcmp(static_cast<const char*>(a) + at(first), static_cast<const char*>(b) + at(first), n) == 0;
}

} // namespace

// The UT entry and the typed entry: same captions, record and discs to the
// bit, over instants from the first to the last supported years, with whole,
// fractional and negative offsets, in both theories.
TEST(Passe, UtEntryGivesTheTypedPassBitForBit)
{
    const double offsets[] = {0, -1, -2, 5.5, -9.75, 12, 1.0 / 3};
    const QDateTime first = firstSupportedInstant().addDays(1), last = lastSupportedInstant().addDays(-1);
    const qint64 span = first.secsTo(last);
    const QDateTime k1900(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC);
    constexpr qint64 kTwoCenturies = 200LL * 365 * 86400;
    for (const Theory theory : {Theory::Original, Theory::Precise}) {
        Enregistreur typedHost, utHost;
        Calcul typed(typedHost, kFrench), fromUt(utHost, kFrench);
        typed.setTheorie(theory);
        fromUt.setTheorie(theory);
        std::uint64_t seed = 12345;
        const int samples = theory == Theory::Original ? 20000 : 2000;
        for (int i = 0; i < samples; ++i) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            // Every other instant within 1900-2100, where the precise theory is used.
            const qint64 s = i % 2 == 0 ? qint64(seed >> 20) % kTwoCenturies + first.secsTo(k1900)
                                        : qint64(seed >> 20) % span;
            const Instant at{first.addSecs(s), offsets[i % std::size(offsets)]};
            typedHost.discs.clear();
            utHost.discs.clear();
            typed.passe(dateTimeText(at.civil(), kFrench), numberText(at.offsetHours, kFrench));
            fromUt.passe(at);
            ASSERT_EQ(typedHost.captions, utHost.captions) << dateTimeText(at.ut, kFrench).toStdString();
            ASSERT_EQ(typedHost.discs.size(), utHost.discs.size());
            for (std::size_t k = 0; k < typedHost.discs.size(); ++k) {
                const DisqueTrace &a = typedHost.discs[k], &b = utHost.discs[k];
                ASSERT_TRUE(a.scene == b.scene && a.colour == b.colour
                            && std::memcmp(&a.x, &b.x, sizeof a.x) == 0 && std::memcmp(&a.y, &b.y, sizeof a.y) == 0
                            && std::memcmp(&a.radius, &b.radius, sizeof a.radius) == 0);
            }
            const Ephemeride &e = typed.record(), &f = fromUt.record();
            ASSERT_EQ(e.JD, f.JD);
            ASSERT_TRUE(sameBytes(&e, &f, &e.d, &e + 1, &e));
            ASSERT_TRUE(sameBytes(&typed.shadow(), &fromUt.shadow(), &typed.shadow(), &typed.shadow() + 1, &typed.shadow()));
            const ModernEphemeris &m = typed.recordModerne(), &n = fromUt.recordModerne();
            ASSERT_TRUE(sameBytes(&m, &n, &m.JD, &m.omega3 + 1, &m));
            ASSERT_TRUE(sameBytes(&m, &n, &m.pole, &m + 1, &m));
            ASSERT_EQ(m.horsValidite, n.horsValidite);
            ASSERT_EQ(typed.ut(), fromUt.ut());
        }
    }
}

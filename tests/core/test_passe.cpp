// A whole computation pass through the headless host.
#include "commun.h"
#include "scene_frame.h"
#include "enregistreur.h"
#include "erreur.h"
#include "passe.h"
#include "regional.h"

#include <gtest/gtest.h>

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

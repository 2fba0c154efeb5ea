// The scene frame and the three phenomenon tests, with their worked examples.
#include "scene_frame.h"
#include "enregistreur.h"
#include "ephemeride.h"
#include "erreur.h"
#include "phenomenes.h"

#include <gtest/gtest.h>

using namespace zeno;

namespace {

constexpr Rgb kIoColour{255, 0, 255};

struct SceneTest : ::testing::Test {
    Enregistreur host;
    Ephemeride e;
    TravailOmbre w;

    void eclipse(double rSat, double u, std::int16_t radius = 10)
    {
        TestOmbre(host, e, rSat, u, 0.1, 0.2, radius, 255, 0, 255, 0, 0, 255);
    }
    void shadow(double rSat, double u, std::int16_t radius = 10) { TestProj(host, e, w, rSat, u, 7, 8, radius); }
    void hidden(double u, double X, double Y, std::int16_t radius = 10) { TestCache(host, 5.9, u, X, Y, radius); }
    QString label(Caption c) const { return host.caption(c); }
    void blank()
    {
        for (int i = kFirstPhenomenonCaption; i < kCaptionCount; ++i)
            host.captions[i] = QStringLiteral(" ");
        host.discs.clear();
    }
};

} // namespace

TEST_F(SceneTest, DiscsFollowEachWindowsOwnFlips)
{
    DessineDisque(host, 1, 0, 16, kIoColour);
    DessineDisque(host, 0, 0.5, 16, kIoColour);
    ASSERT_EQ(host.discs.size(), 4u);
    EXPECT_EQ(host.discs[0].scene, Scene::Main);
    EXPECT_EQ(host.discs[0].x, 200);
    EXPECT_EQ(host.discs[0].y, 0);
    EXPECT_EQ(host.discs[1].scene, Scene::Reduced);
    EXPECT_EQ(host.discs[1].x, 80);
    EXPECT_EQ(host.discs[2].y, 100);
    EXPECT_EQ(host.discs[3].y, 40);
    EXPECT_EQ(host.discs[3].radius, 16);   // same radius in both scenes

    host.discs.clear();
    host.flips = {1, 0, 0, 0};   // CheckEW only
    DessineDisque(host, 1, 0.5, 10, kIoColour);
    EXPECT_EQ(host.discs[0].x, -200);
    EXPECT_EQ(host.discs[0].y, 100);
    EXPECT_EQ(host.discs[1].x, 80);
    EXPECT_EQ(host.discs[1].y, 40);

    host.discs.clear();
    host.flips = {0, 0, 1, 1};   // Form2's two boxes: a half turn of the reduced scene only
    DessineDisque(host, 1, 0.5, 10, kIoColour);
    EXPECT_EQ(host.discs[0].x, 200);
    EXPECT_EQ(host.discs[1].x, -80);
    EXPECT_EQ(host.discs[1].y, -40);

    // Callisto far east, and single-precision rounding of the product.
    host.discs.clear();
    host.flips = {0, 0, 0, 0};
    DessineDisque(host, 26.4, 0.123456789, 14, kIoColour);
    EXPECT_EQ(host.discs[0].x, 5280);
    EXPECT_EQ(host.discs[1].x, 2112);
    EXPECT_EQ(host.discs[0].y, static_cast<float>(0.123456789 * 200.0));
    EXPECT_EQ(orientationFactor(1, kReducedScale), -80);
    // A value no check box gives cannot overflow 16 bits silently.
    EXPECT_THROW(orientationFactor(6000000, kMainScale), ErreurExecution);
    EXPECT_THROW(orientationFactor(164, kMainScale), ErreurExecution);
}

TEST_F(SceneTest, EclipseSidesAndTheShadowCylinder)
{
    const auto colourOf = [&] { return host.discs.at(0).colour; };
    // Near side at exactly 90 and 270, and after reduction: own colour, no label.
    for (double u : {90.0, 270.0, -10.0, 370.0}) {
        blank();
        eclipse(5.9, u);
        EXPECT_EQ(colourOf(), kIoColour) << u;
        EXPECT_EQ(label(Caption::InfoIoEc), QStringLiteral(" ")) << u;
    }
    blank();
    host.captions[static_cast<int>(Caption::InfoIoEc)] = QStringLiteral("kept");
    eclipse(5.9, 10);
    EXPECT_EQ(label(Caption::InfoIoEc), QStringLiteral("kept"));   // near side writes nothing

    // Ds = 0: on the anti-solar line every distance is eclipsed.
    for (double r : {5.9, 26.4, 1000.0}) {
        blank();
        eclipse(r, 180);
        EXPECT_EQ(colourOf(), kEclipseColour) << r;
        EXPECT_EQ(label(Caption::InfoIoEc), QStringLiteral("Eclipsé"));
    }
    // -170 reduces to 190: far side, tested, outside the shadow.
    blank();
    host.captions[static_cast<int>(Caption::InfoIoEc)] = QStringLiteral("kept");
    eclipse(5.9, -170);
    EXPECT_EQ(label(Caption::InfoIoEc), QStringLiteral(" "));
    // L equal to S (both 1) is not an eclipse.
    blank();
    eclipse(1e20, 180);
    EXPECT_EQ(colourOf(), kIoColour);
    EXPECT_EQ(label(Caption::InfoIoEc), QStringLiteral(" "));
    // Ds = 3: Io at 5.9 radii is eclipsed, Callisto at 26.4 is not.
    e.Ds = 3;
    blank();
    eclipse(5.9, 180, 14);
    EXPECT_EQ(label(Caption::InfoCaliEc), QStringLiteral("Eclipsé"));
    blank();
    eclipse(26.4, 180, 14);
    EXPECT_EQ(colourOf(), (Rgb{255, 0, 255}));
    EXPECT_EQ(label(Caption::InfoCaliEc), QStringLiteral(" "));
    // A radius that is no satellite's draws but writes no label.
    blank();
    eclipse(5.9, 180, 12);
    EXPECT_EQ(host.discs.size(), 2u);
    for (int i = kFirstPhenomenonCaption; i < kCaptionCount; ++i)
        EXPECT_EQ(host.captions[i], QStringLiteral(" "));
}

TEST_F(SceneTest, OccultationAndTransitOnTheFlattenedDisk)
{
    hidden(180, 0, 0.5);
    ASSERT_EQ(host.discs.size(), 2u);
    EXPECT_EQ(host.discs[0].colour, kDiskColour);
    EXPECT_EQ(host.discs[0].y, 100);
    EXPECT_EQ(host.discs[1].y, 40);
    EXPECT_EQ(host.discs[0].radius, 10);
    EXPECT_EQ(label(Caption::InfoIoOc), QStringLiteral("Occulté"));
    EXPECT_EQ(label(Caption::InfoIoPa), QStringLiteral("_____"));   // the other label is not written

    blank();
    hidden(0, 0.9, 0.3, 8);
    EXPECT_TRUE(host.discs.empty());
    EXPECT_EQ(label(Caption::InfoEuropePa), QStringLiteral("Passage"));
    // Outside the flattened limb although within one radius; s exactly 1 is outside.
    for (auto [X, Y] : {std::pair{0.3, 0.9}, {0.95, 0.3}, {0.0, 0.934}, {1.0, 0.0}}) {
        blank();
        host.captions[static_cast<int>(Caption::InfoIoPa)] = QStringLiteral("x");
        hidden(0, X, Y);
        EXPECT_EQ(label(Caption::InfoIoPa), QStringLiteral(" ")) << X << " " << Y;
    }
    blank();
    hidden(0, 0, 0.933);
    EXPECT_EQ(label(Caption::InfoIoPa), QStringLiteral("Passage"));

    // Whole degrees, halves to even: 90.5 -> 90 near, 91.5 -> 92 far, 269.5 -> 270 near, 268.5 far.
    const struct { double u; bool far; } sides[] = {{90.5, false}, {91.5, true}, {269.5, false}, {268.5, true},
                                                   {-180, true}, {-10, false}, {1e12 + 180, true}};
    for (const auto& s : sides) {
        blank();
        hidden(s.u, 0.1, 0.1);
        EXPECT_EQ(label(Caption::InfoIoOc), s.far ? QStringLiteral("Occulté") : QStringLiteral(" ")) << s.u;
        EXPECT_EQ(label(Caption::InfoIoPa), s.far ? QStringLiteral(" ") : QStringLiteral("Passage")) << s.u;
    }
    // The covering disc lands on the satellite with the same flips.
    blank();
    host.flips = {1, 0, 0, 0};
    hidden(180, 0.4, 0.2, 12);
    EXPECT_EQ(host.discs[0].x, -80);
    EXPECT_EQ(host.discs[0].y, 40);
    EXPECT_EQ(host.discs[1].x, 32);
    EXPECT_EQ(host.discs[1].y, 16);
    EXPECT_EQ(label(Caption::InfoIoOc), QStringLiteral(" "));   // radius 12: no label
}

TEST_F(SceneTest, ShadowWorkedExamples)
{
    e.Ds = e.De = 3;
    shadow(5.9061, 0);
    EXPECT_NEAR(w.DiscOmbre, 0.874944, 5e-7);
    EXPECT_NEAR(w.tOmbre, -4.958302, 5e-7);
    EXPECT_EQ(w.XOmbre, 0);
    // The shadow lies right behind the satellite when Sun and Earth are aligned.
    EXPECT_NEAR(w.YOmbre, -0.309101, 5e-7);
    ASSERT_EQ(host.discs.size(), 2u);
    EXPECT_EQ(host.discs[0].colour, kShadowColour);
    EXPECT_NEAR(host.discs[0].y, -61.82, 0.005);
    EXPECT_NEAR(host.discs[1].y, -24.73, 0.005);
    EXPECT_EQ(label(Caption::InfoIoOm), QStringLiteral("Ombre"));

    blank();
    e.Ds = e.De = 0;
    e.psi = 10;
    shadow(5.9061, 10);
    EXPECT_NEAR(w.DiscOmbre, 1, 1e-12);
    EXPECT_NEAR(w.tOmbre, -4.9061, 1e-9);
    EXPECT_NEAR(w.XOmbre, -0.173648, 5e-7);
    EXPECT_EQ(w.YOmbre, 0);

    blank();
    e.psi = 0;
    e.Ds = e.De = 3;
    shadow(26.3649, 0, 14);
    EXPECT_NEAR(w.DiscOmbre, -1.508518, 5e-7);
    EXPECT_TRUE(host.discs.empty());
    EXPECT_EQ(label(Caption::InfoCaliOm), QStringLiteral(" "));

    blank();
    e.Ds = e.De = 1;
    shadow(26.3649, 0, 14);
    EXPECT_NEAR(w.DiscOmbre, 0.721049, 5e-7);
    EXPECT_NEAR(w.YOmbre, -0.460131, 5e-7);
    EXPECT_EQ(label(Caption::InfoCaliOm), QStringLiteral("Ombre"));
}

TEST_F(SceneTest, ShadowSunSideLimitsAndWorkingValues)
{
    const struct { double u; bool tested; } sides[] = {{89.4, true}, {89.6, false}, {90.5, false}, {270.5, false},
                                                      {271, true}, {-100, false}, {-30, true}, {180, false}};
    for (const auto& s : sides) {
        blank();
        w = TravailOmbre{9, 9, 9, 9};
        shadow(0.9, s.u);   // inside the globe: the line always meets it
        EXPECT_EQ(label(Caption::InfoIoOm), s.tested ? QStringLiteral("Ombre") : QStringLiteral(" ")) << s.u;
        EXPECT_EQ(w.DiscOmbre != 9, s.tested) << s.u;
        EXPECT_EQ(host.discs.size(), s.tested ? 2u : 0u) << s.u;
    }
    // A miss changes only the discriminant.
    w = TravailOmbre{9, 9, 9, 9};
    shadow(26.3649, 60);
    EXPECT_LT(w.DiscOmbre, 0);
    EXPECT_EQ(w.tOmbre, 9);
    EXPECT_EQ(w.XOmbre, 9);
    EXPECT_EQ(w.YOmbre, 9);
}

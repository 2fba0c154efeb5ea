// The one search routine: bisection to the second, stepping, Brent's minimum.
#include "search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace zeno;

TEST(Search, BisectFindsTheFirstSecondOfTheChange)
{
    for (const search::Seconds change : {-86399LL, -1LL, 0LL, 1LL, 299LL, 300LL, 599LL, 600LL}) {
        int probes = 0;
        const auto changed = [&](search::Seconds t) {
            ++probes;
            return t >= change;
        };
        EXPECT_EQ(search::bisect(-86400, 600, changed), change);
        EXPECT_LE(probes, 17);   // log2(87000) rounded up
    }
    EXPECT_EQ(search::bisect(5, 6, [](search::Seconds) { return true; }), 6);   // nothing left to probe
}

TEST(Search, ScanCoversTheRangeInStepsClippedToItsEnd)
{
    std::vector<std::pair<search::Seconds, search::Seconds>> steps;
    int probes = 0;
    search::scan(
        0, 25, [&](search::Seconds t) { ++probes; return t; }, [](search::Seconds t) { return t + 10; },
        [&](search::Seconds t0, search::Seconds s0, search::Seconds t1, search::Seconds s1) {
            EXPECT_EQ(s0, t0);
            EXPECT_EQ(s1, t1);
            steps.emplace_back(t0, t1);
        });
    EXPECT_EQ(steps, (std::vector<std::pair<search::Seconds, search::Seconds>>{{0, 10}, {10, 20}, {20, 25}}));
    EXPECT_EQ(probes, 4);   // each instant once
    // A step that does not move ends the scan at once; an empty range has no step.
    steps.clear();
    const auto record = [&](search::Seconds t0, int, search::Seconds t1, int) { steps.emplace_back(t0, t1); };
    search::scan(0, 25, [](search::Seconds) { return 0; }, [](search::Seconds t) { return t; }, record);
    EXPECT_EQ(steps, (std::vector<std::pair<search::Seconds, search::Seconds>>{{0, 25}}));
    steps.clear();
    search::scan(7, 7, [](search::Seconds) { return 0; }, [](search::Seconds t) { return t + 1; }, record);
    EXPECT_TRUE(steps.empty());
}

TEST(Search, MinimizeFindsTheLeastValue)
{
    // A parabola, a cosine's trough (minimum at pi), and a slope whose least value is at an end.
    const auto parabola = search::minimize([](double x) { return (x - 3.25) * (x - 3.25) + 1; }, 0, 10, 1e-6);
    EXPECT_NEAR(parabola.t, 3.25, 1e-6);
    EXPECT_NEAR(parabola.value, 1, 1e-12);
    const auto trough = search::minimize([](double x) { return std::cos(x); }, 2, 5, 1e-8);
    EXPECT_NEAR(trough.t, 3.14159265358979, 1e-7);
    EXPECT_NEAR(trough.value, -1, 1e-12);
    EXPECT_NEAR(search::minimize([](double x) { return x; }, 1, 2, 1e-6).t, 1, 1e-5);
    // A closest approach sampled in seconds: |t - 1234.5| over a day.
    EXPECT_NEAR(search::minimize([](double t) { return std::abs(t - 1234.5); }, 0, 86400, 0.5).t, 1234.5, 0.5);
}

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include <gtest/gtest.h>

#include "platform/fixeddraws.h"
#include "platform/randomsource.h"

namespace kosmolux {
namespace {

TEST(RandomInRangeTest, MapsADrawOntoTheBandAroundTheCentre)
{
    const float largestDraw = 1.0f - 1.0f / 16777216.0f;
    FixedDraws draws{0.5f, 0.0f, largestDraw, 0.25f};
    EXPECT_EQ(RandomInRange(draws, 100.0, 50.0), 100.0);
    EXPECT_EQ(RandomInRange(draws, 100.0, 50.0), 50.0);
    // The top of the band is never reached.
    EXPECT_EQ(RandomInRange(draws, 100.0, 50.0), 150.0 - 100.0 / 16777216.0);
    // Computed in double: (1.4 + 1.4) * 0.25 + (5.972 - 1.4).
    EXPECT_EQ(RandomInRange(draws, 5.972, 1.4), 2.8 * 0.25 + (5.972 - 1.4));
    EXPECT_TRUE(draws.Empty());
    EXPECT_THROW(RandomInRange(draws, 0.0, 1.0), std::logic_error);
}

TEST(ClockSeededRandomTest, DrawsAre24BitFractionsBelowOne)
{
    ClockSeededRandom random;
    float smallest = 1.0f;
    float largest = 0.0f;
    for (int i = 0; i < 100000; ++i) {
        const float draw = random.Draw();
        ASSERT_GE(draw, 0.0f);
        ASSERT_LT(draw, 1.0f);
        const double scaled = static_cast<double>(draw) * 16777216.0;
        ASSERT_EQ(scaled, std::floor(scaled));
        smallest = std::min(smallest, draw);
        largest = std::max(largest, draw);
    }
    // Spread over the whole interval, not stuck in one part of it.
    EXPECT_LT(smallest, 0.001f);
    EXPECT_GT(largest, 0.999f);
}

}  // namespace
}  // namespace kosmolux

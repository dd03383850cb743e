#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "platform/fixeddraws.h"
#include "platform/randomsource.h"

namespace kosmolux {
namespace {

TEST(RandomInRangeTest, MapsADrawOntoTheBandAroundTheCentre)
{
    FixedDraws draws{0.5f, 0.0f, 1.0f - 1.0f / 16777216.0f, 0.25f};
    EXPECT_EQ(RandomInRange(draws, 100.0, 50.0), 100.0);
    EXPECT_EQ(RandomInRange(draws, 100.0, 50.0), 50.0);
    // The top of the band is never reached.
    EXPECT_EQ(RandomInRange(draws, 100.0, 50.0), 150.0 - 100.0 / 16777216.0);
    // Computed in double: (1.4 + 1.4) * 0.25 + (5.972 - 1.4).
    EXPECT_EQ(RandomInRange(draws, 5.972, 1.4), 2.8 * 0.25 + (5.972 - 1.4));
    EXPECT_THROW(RandomInRange(draws, 0.0, 1.0), std::logic_error);
}

TEST(ClockSeededRandomTest, DrawsAre24BitFractionsSpreadOverZeroToOne)
{
    ClockSeededRandom random;
    std::vector<float> draws(100000);
    std::generate(draws.begin(), draws.end(), [&] { return random.Draw(); });
    for (const float draw : draws)
        ASSERT_TRUE(draw >= 0.0f && draw < 1.0f && std::ldexp(draw, 24) == std::floor(std::ldexp(draw, 24))) << draw;
    const auto [smallest, largest] = std::minmax_element(draws.begin(), draws.end());
    EXPECT_LT(*smallest, 0.001f);
    EXPECT_GT(*largest, 0.999f);
}

}  // namespace
}  // namespace kosmolux

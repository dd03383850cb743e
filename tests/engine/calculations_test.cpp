#include <gtest/gtest.h>

#include "engine/calculations.h"
#include "model/planets.h"

namespace kosmolux {
namespace {

TEST(CalcAccelerationTest, PullsTowardsTheOtherBodyWithItsMassOnlyUnlessTheyTouch)
{
    IdentityCounter ids;
    Planets system(ids);
    Planet& light = system.Add("Light", 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    Planet& heavy = system.Add("Heavy", 1000.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    Vector pull;

    ASSERT_FALSE(CalcAcceleration(light, heavy, pull));
    // r = 1, so inv = 1: ((m * G) * inv) * inv, times dX = 1, times inv.
    EXPECT_EQ(pull, (Vector{((1000.0 * G) * 1.0) * 1.0, 0.0, 0.0}));
    EXPECT_DOUBLE_EQ(pull.XComp, 6.67259e-8);

    ASSERT_FALSE(CalcAcceleration(heavy, light, pull));
    EXPECT_EQ(pull, (Vector{-G, 0.0, 0.0}));

    // Touching means closer than the sum of the radii.
    Planet& small = system.Add("Small", 1.0, 10.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    Planet& large = system.Add("Large", 1.0, 20.0, 14.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    pull = Vector{7.0, 8.0, 9.0};
    EXPECT_TRUE(CalcAcceleration(small, large, pull));
    EXPECT_EQ(pull, (Vector{7.0, 8.0, 9.0}));

    large.Position.XComp = 15.0;  // distance equal to the reach: no contact
    EXPECT_FALSE(CalcAcceleration(small, large, pull));
    EXPECT_GT(pull.XComp, 0.0);

    // Two points at one place touch instead of dividing by zero.
    Planet& a = system.Add("A", 1.0, 0.0, 3.0, 3.0, 3.0, 0.0, 0.0, 0.0);
    Planet& b = system.Add("B", 1.0, 0.0, 3.0, 3.0, 3.0, 0.0, 0.0, 0.0);
    EXPECT_TRUE(CalcAcceleration(a, b, pull));
}

TEST(MoveBodyTest, AdvancesPositionWithTheOldVelocityThenTheVelocity)
{
    Vector position{0.0, 10.0, -1.0};
    Vector velocity{3.0, 0.0, 0.5};
    const Vector acceleration{1.0, -2.0, 0.0};
    MoveBody(position, velocity, acceleration, 2.0);
    EXPECT_EQ(position, (Vector{8.0, 6.0, 0.0}));
    EXPECT_EQ(velocity, (Vector{5.0, -4.0, 0.5}));
}

}  // namespace
}  // namespace kosmolux

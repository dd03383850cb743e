#include <initializer_list>

#include <gtest/gtest.h>

#include "engine/calculations.h"
#include "engine/gravitystep.h"
#include "model/planets.h"
#include "enginetesting.h"

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
    // X and Z: 1 + (1 + 1e16), each sum rounding back to 1e16; the two 1s
    // added first would give 1e16 + 2.
    Vector position{1.0e16, 10.0, 1.0e16};
    Vector velocity{0.5, 0.0, 0.5};
    const Vector acceleration{0.5, -2.0, 0.5};
    MoveBody(position, velocity, acceleration, 2.0);
    EXPECT_EQ(position, (Vector{1.0e16, 6.0, 1.0e16}));
    EXPECT_EQ(velocity, (Vector{1.5, -4.0, 1.5}));
}

// The pulls added in the order given.
Vector Sum(std::initializer_list<Vector> pulls)
{
    Vector sum;
    for (const Vector& pull : pulls)
        sum.Add(pull);
    return sum;
}

TEST(GravityStepTest, EveryKernelFollowsTheWrittenOrderForSeveralBodies)
{
    // Sums go in system order; the lightweight body, heavy enough that a pull
    // of its would show, pulls on nobody; the locked one is neither summed nor
    // moved. D is exactly at A's reach, 42,000 km: pulled, not touching.
    for (const StepKernel kernel : AvailableKernels()) {
        SCOPED_TRACE(KernelName(kernel));
        IdentityCounter ids;
        Planets system(ids);
        GravityStep step(StepSettings{kernel, 1});
        Planet& a = system.Add("A", 6.0e24, 1.0, 0.0, 0.0, 0.0, 10.0, 0.0, 0.0);
        Planet& b = system.Add("B", 7.3e22, 1.0, 3.8e8, 1.0e7, 0.0, 0.0, 1000.0, 0.0);
        Planet& c = system.Add("C", 2.0e30, 1.0, -1.5e11, 2.0e9, 3.0e8, 0.0, -3.0e4, 5.0);
        Planet& d = system.Add("D", 5.0e27, 8.4e7 - 1.0, 4.2e7, 0.0, 0.0, -3.0e3, 1.0, 0.0);
        c.Locked = true;
        d.Lightweight = true;
        const Vector a0 = a.Position;
        const Vector b0 = b.Position;
        const Vector c0 = c.Position;
        const Vector d0 = d.Position;
        const Vector sumA = Sum({Pull(7.3e22, b0, a0), Pull(2.0e30, c0, a0)});
        const Vector sumB = Sum({Pull(6.0e24, a0, b0), Pull(2.0e30, c0, b0)});
        const Vector sumD = Sum({Pull(6.0e24, a0, d0), Pull(7.3e22, b0, d0), Pull(2.0e30, c0, d0)});

        a.TotalAcceleration = Vector{5.0, 5.0, 5.0};  // cleared before the sum
        c.TotalAcceleration = Vector{1.0, 2.0, 3.0};
        step.Accelerate(system, nullptr);
        EXPECT_EQ(a.TotalAcceleration, sumA);
        EXPECT_EQ(b.TotalAcceleration, sumB);
        EXPECT_EQ(c.TotalAcceleration, (Vector{1.0, 2.0, 3.0}));
        EXPECT_EQ(d.TotalAcceleration, sumD);

        const double t = 64.0;
        for (Planet& body : system)
            ASSERT_TRUE(GravityStep::Move(body, t));
        EXPECT_EQ(a.Position.XComp, (sumA.XComp * 0.5 * t * t) + (10.0 * t + a0.XComp));
        EXPECT_EQ(a.Velocity.XComp, sumA.XComp * t + 10.0);
        EXPECT_EQ(b.Position.YComp, (sumB.YComp * 0.5 * t * t) + (1000.0 * t + b0.YComp));
        EXPECT_EQ(d.Velocity.ZComp, sumD.ZComp * t + 0.0);
        EXPECT_EQ(c.Position, c0);
        EXPECT_EQ(c.Velocity, (Vector{0.0, -3.0e4, 5.0}));
        // A locked body is not moved, so its acceleration is not cleared either.
        EXPECT_EQ(c.TotalAcceleration, (Vector{1.0, 2.0, 3.0}));
        EXPECT_EQ(a.TotalAcceleration, Vector{});
    }
}

}  // namespace
}  // namespace kosmolux

#include <cmath>

#include <gtest/gtest.h>

#include "engine/calculations.h"
#include "engine/gravitystep.h"
#include "model/planets.h"
#include "enginetesting.h"

namespace kosmolux {
namespace {

void StepWithoutContacts(GravityStep& step, Planets& system, double timeStep)
{
    step.Accelerate(system, nullptr);
    for (Planet& body : system)
        ASSERT_TRUE(GravityStep::Move(body, timeStep));
}

// The pull of a body of mass m at (ox, oy, oz) on a body at (bx, by, bz),
// written out in the order of CalcAcceleration.
Vector Pull(double m, double ox, double oy, double oz, double bx, double by, double bz)
{
    const double dx = bx - ox;
    const double dy = by - oy;
    const double dz = bz - oz;
    const double r = std::sqrt(dx * dx + dy * dy + dz * dz);
    const double inv = 1.0 / r;
    const double k = ((m * G) * inv) * inv;
    return Vector{(k * (ox - bx)) * inv, (k * (oy - by)) * inv, (k * (oz - bz)) * inv};
}

class GravityStepTest : public testing::TestWithParam<StepKernel> {
protected:
    IdentityCounter ids;
    Planets system{ids};
    GravityStep step{StepSettings{GetParam(), 1}};
};

TEST_P(GravityStepTest, SumsThePullsOfAPair)
{
    Planet& light = system.Add("Light", 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    Planet& heavy = system.Add("Heavy", 1000.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    light.TotalAcceleration = Vector{5.0, 5.0, 5.0};  // cleared before the sum
    step.Accelerate(system, nullptr);
    EXPECT_EQ(light.TotalAcceleration, (Vector{1000.0 * G, 0.0, 0.0}));
    EXPECT_DOUBLE_EQ(light.TotalAcceleration.XComp, 6.67259e-8);
    EXPECT_EQ(heavy.TotalAcceleration, (Vector{-G, 0.0, 0.0}));
}

TEST_P(GravityStepTest, ABodyAloneCoastsAtItsVelocity)
{
    Planet& body = system.Add("Alone", 5.0e24, 1.0e6, 1.0, 2.0, 3.0, 1.5, -2.5, 0.25);
    StepWithoutContacts(step, system, 128.0);
    EXPECT_EQ(body.Position, (Vector{1.5 * 128.0 + 1.0, -2.5 * 128.0 + 2.0, 0.25 * 128.0 + 3.0}));
    EXPECT_EQ(body.Velocity, (Vector{1.5, -2.5, 0.25}));
    EXPECT_EQ(body.TotalAcceleration, Vector{});
}

TEST_P(GravityStepTest, FollowsTheWrittenOrderForSeveralBodies)
{
    // Sums go in system order; the lightweight body pulls on nobody, the
    // locked one is neither summed nor moved.
    Planet& a = system.Add("A", 6.0e24, 1.0, 0.0, 0.0, 0.0, 10.0, 0.0, 0.0);
    Planet& b = system.Add("B", 7.3e22, 1.0, 3.8e8, 1.0e7, 0.0, 0.0, 1000.0, 0.0);
    Planet& c = system.Add("C", 2.0e30, 1.0, -1.5e11, 2.0e9, 3.0e8, 0.0, -3.0e4, 5.0);
    Planet& d = system.Add("D", 1.0e3, 1.0, 4.2e7, -7.0e6, 1.0e5, -3.0e3, 1.0, 0.0);
    c.Locked = true;
    d.Lightweight = true;
    const Vector a0 = a.Position;
    const Vector b0 = b.Position;
    const Vector c0 = c.Position;
    const Vector d0 = d.Position;

    Vector sumA;
    sumA.Add(Pull(7.3e22, b0.XComp, b0.YComp, b0.ZComp, a0.XComp, a0.YComp, a0.ZComp));
    sumA.Add(Pull(2.0e30, c0.XComp, c0.YComp, c0.ZComp, a0.XComp, a0.YComp, a0.ZComp));
    Vector sumB;
    sumB.Add(Pull(6.0e24, a0.XComp, a0.YComp, a0.ZComp, b0.XComp, b0.YComp, b0.ZComp));
    sumB.Add(Pull(2.0e30, c0.XComp, c0.YComp, c0.ZComp, b0.XComp, b0.YComp, b0.ZComp));
    Vector sumD;
    sumD.Add(Pull(6.0e24, a0.XComp, a0.YComp, a0.ZComp, d0.XComp, d0.YComp, d0.ZComp));
    sumD.Add(Pull(7.3e22, b0.XComp, b0.YComp, b0.ZComp, d0.XComp, d0.YComp, d0.ZComp));
    sumD.Add(Pull(2.0e30, c0.XComp, c0.YComp, c0.ZComp, d0.XComp, d0.YComp, d0.ZComp));

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

TEST_P(GravityStepTest, ALockedBodyStaysWhileOthersFallTowardsIt)
{
    Planet& anchor = system.Add("Anchor", 2.0e30, 1.4e9, 0.0, 0.0, 0.0, 7.0, 0.0, 0.0);
    Planet& faller = system.Add("Faller", 6.0e24, 1.2e7, 1.5e11, 0.0, 0.0, 0.0, 0.0, 0.0);
    Planet& other = system.Add("Other", 1.0e20, 1.0e5, 0.0, -4.0e10, 0.0, 0.0, 0.0, 0.0);
    anchor.Locked = true;
    for (int i = 0; i < 500; ++i)
        StepWithoutContacts(step, system, 1024.0);
    EXPECT_EQ(anchor.Position, Vector{});
    EXPECT_EQ(anchor.Velocity, (Vector{7.0, 0.0, 0.0}));
    EXPECT_LT(faller.Position.XComp, 1.5e11);
    EXPECT_LT(faller.Velocity.XComp, 0.0);
    EXPECT_GT(other.Velocity.YComp, 0.0);
}

TEST_P(GravityStepTest, ALightweightBodyFallsButPullsOnNobody)
{
    Planet& heavy = system.Add("Heavy", 6.0e24, 1.2e7, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    Planet& probe = system.Add("Probe", 1.0e30, 1.0, 1.0e8, 0.0, 0.0, 0.0, 0.0, 0.0);
    probe.Lightweight = true;
    step.Accelerate(system, nullptr);
    EXPECT_EQ(heavy.TotalAcceleration, Vector{});
    EXPECT_LT(probe.TotalAcceleration.XComp, 0.0);

    // Two lightweight bodies side by side feel nothing from each other.
    heavy.Lightweight = true;
    step.Accelerate(system, nullptr);
    EXPECT_EQ(heavy.TotalAcceleration, Vector{});
    EXPECT_EQ(probe.TotalAcceleration, Vector{});
}

TEST_P(GravityStepTest, TouchingPairsAddNothingAndReachTheHandlerInOrder)
{
    struct Recorder : ContactHandler {
        void Touch(Planet& body, Planet& other) override
        {
            Pairs.push_back(body.PlanetName + "-" + other.PlanetName);
        }
        std::vector<std::string> Pairs;
    } recorder;
    Planet& a = system.Add("A", 1.0e20, 10.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    system.Add("B", 1.0e20, 20.0, 14.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    system.Add("C", 1.0e20, 20.0, 1.0e6, 0.0, 0.0, 0.0, 0.0, 0.0);
    step.Accelerate(system, &recorder);
    EXPECT_EQ(recorder.Pairs, (std::vector<std::string>{"A-B", "B-A"}));
    EXPECT_EQ(a.TotalAcceleration, Pull(1.0e20, 1.0e6, 0.0, 0.0, 0.0, 0.0, 0.0));

    // Without a handler (the trial step) the pair is simply skipped.
    a.TotalAcceleration = Vector{};
    step.Accelerate(system, nullptr);
    EXPECT_EQ(a.TotalAcceleration, Pull(1.0e20, 1.0e6, 0.0, 0.0, 0.0, 0.0, 0.0));
}

TEST_P(GravityStepTest, AMoveToNonFiniteValuesIsRefused)
{
    Planet& runaway = system.Add("Runaway", 1.0, 1.0, 1.0e308, 0.0, 0.0, 1.0e306, 0.0, 0.0);
    Planet& calm = system.Add("Calm", 1.0, 1.0, -1.0e20, 0.0, 0.0, 1.0, 0.0, 0.0);
    step.Accelerate(system, nullptr);
    EXPECT_FALSE(GravityStep::Move(runaway, 1024.0));
    EXPECT_EQ(runaway.Position, (Vector{1.0e308, 0.0, 0.0}));
    EXPECT_EQ(runaway.Velocity, (Vector{1.0e306, 0.0, 0.0}));
    EXPECT_EQ(runaway.TotalAcceleration, Vector{});
    EXPECT_TRUE(GravityStep::Move(calm, 1024.0));

    // An acceleration beyond range: two points of diameter 0 almost at one place.
    Planet& a = system.Add("A", 1.0e30, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    Planet& b = system.Add("B", 1.0e30, 0.0, 1.0e-160, 0.0, 0.0, 0.0, 0.0, 0.0);
    step.Accelerate(system, nullptr);
    EXPECT_FALSE(std::isfinite(a.TotalAcceleration.XComp));
    EXPECT_FALSE(GravityStep::Move(a, 1.0));
    EXPECT_EQ(a.Position, Vector{});
    EXPECT_EQ(a.Velocity, Vector{});
    EXPECT_FALSE(GravityStep::Move(b, 1.0));
}

INSTANTIATE_TEST_SUITE_P(Kernels, GravityStepTest, testing::ValuesIn(AvailableKernels()),
                         KernelParamName);

}  // namespace
}  // namespace kosmolux

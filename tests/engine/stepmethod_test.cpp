#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/runloop.h"
#include "model/planets.h"
#include "enginetesting.h"

namespace kosmolux {
namespace {

using Kind = Stage::Kind;

// The methods as they are defined, written out again here.
constexpr double C1 = 0.6756035959798289, C2 = -0.17560359597982889;
constexpr double D1 = 1.3512071919596578, D2 = -1.7024143839193155;
const Stage Force{Kind::ForcePass};
const std::vector<Stage> LeapfrogByHand = {{Kind::Drift, 0.5}, Force, {Kind::Kick, 1.0}, {Kind::Drift, 0.5}};
const std::vector<Stage> YoshidaByHand = {{Kind::Drift, C1}, Force, {Kind::Kick, D1}, {Kind::Drift, C2},
                                          Force, {Kind::Kick, D2}, {Kind::Drift, C2}, Force,
                                          {Kind::Kick, D1}, {Kind::Drift, C1}};

struct MethodCase {
    StepMethod Method;
    const std::vector<Stage>& Stages;
    friend void PrintTo(const MethodCase& row, std::ostream* out) { *out << MethodName(row.Method); }
};

// One step of bodies without contacts, operation by operation: a drift
// p = v × (c × t) + p, a force pass summing the pulls in system order, a kick
// v = a × (d × t) + v; locked bodies skipped, lightweight ones pulling nobody.
void StepByHand(std::vector<Planet>& bodies, std::span<const Stage> stages, double t)
{
    for (const Stage& stage : stages) {
        const double h = stage.Coefficient * t;
        for (Planet& b : bodies) {
            const Vector p = b.Position, v = b.Velocity, a = b.TotalAcceleration;
            if (b.Locked)
                continue;
            if (stage.What == Kind::Drift)
                b.Position = Vector{v.XComp * h + p.XComp, v.YComp * h + p.YComp, v.ZComp * h + p.ZComp};
            if (stage.What == Kind::Kick) {
                b.Velocity = Vector{a.XComp * h + v.XComp, a.YComp * h + v.YComp, a.ZComp * h + v.ZComp};
                b.TotalAcceleration = Vector{};
            }
            if (stage.What == Kind::ForcePass) {
                b.TotalAcceleration = Vector{};
                for (const Planet& o : bodies)
                    if (o.Id() != b.Id() && !o.Lightweight)
                        b.TotalAcceleration.Add(Pull(o.Mass, o.Position, b.Position));
            }
        }
    }
}

class StepMethodTest : public testing::TestWithParam<MethodCase> {
protected:
    IdentityCounter ids;
    Planets system{ids};
    RecordingObserver observer;
    RunLoop loop{system, observer};
};

TEST_P(StepMethodTest, OneStepGivesTheDoublesOfTheWrittenOrder)
{
    // A star and a planet; then a locked star, a planet and a lightweight probe.
    for (const bool roles : {false, true}) {
        while (system.Count() > 0)
            system.Remove(1);
        Planet& star = system.Add("Star", 1.989e30, 1.39e9, 1.0e3, -2.0e3, 5.0e2, 3.0, -1.5, 0.25);
        system.Add("Planet", 5.97e24, 1.27e7, 1.496e11, 2.1e9, -3.3e8, -410.0, 29780.0, 12.5);
        if (roles) {
            star.Locked = true;
            star.TotalAcceleration = Vector{1.0, 2.0, 3.0};
            system.Add("Probe", 7.0e2, 1.0, -4.2e10, 1.1e11, 6.0e9, 2.2e4, 1.3e4, -900.0).Lightweight = true;
        }
        std::vector<Planet> byHand(system.begin(), system.end());
        StepByHand(byHand, GetParam().Stages, 4096.0);

        ASSERT_TRUE(loop.Step(4096, 21600, GetParam().Method));
        for (const Planet& expected : byHand) {
            const Planet& body = system.Item(expected.GetKey());
            EXPECT_EQ(body.Position, expected.Position) << body.PlanetName << roles;
            EXPECT_EQ(body.Velocity, expected.Velocity) << body.PlanetName << roles;
            EXPECT_EQ(body.TotalAcceleration, expected.TotalAcceleration) << body.PlanetName << roles;
        }
    }
}

TEST_P(StepMethodTest, AMergeInAForcePassAndBodiesLeavingTheRangeOfNumbers)
{
    // Small drifts into Big before the first force pass; Big takes the
    // momentum, feels no pull from the absorbed body, which is gone after the
    // step, and drifts on at (3 × 0 + 1 × 4) / 4 = 1 m/s.
    system.Add("Small", 1.0, 1.0, 0.0, 0.0, 0.0, 4.0, 0.0, 0.0);
    const Planet& big = system.Add("Big", 3.0, 2.0, 3.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    ASSERT_TRUE(loop.Step(1, 21600, GetParam().Method));
    EXPECT_EQ(observer.Messages, std::vector<std::string>{"Small collided with Big!"});
    ASSERT_EQ(system.Count(), 1);
    double x = 3.0;
    for (std::size_t i = 2; i < GetParam().Stages.size(); ++i)  // the stages after the first force pass
        if (GetParam().Stages[i].What == Kind::Drift)
            x = 1.0 * (GetParam().Stages[i].Coefficient * 1.0) + x;
    EXPECT_EQ(big.PlanetName, "Big & Small");
    EXPECT_EQ(big.Mass, 4.0);
    EXPECT_EQ(big.Position, (Vector{x, 0.0, 0.0}));
    EXPECT_EQ(big.Velocity, (Vector{1.0, 0.0, 0.0}));

    // A body whose drifts would leave the range of numbers stays where it
    // was and is told once, however many drifts the step has.
    Planet& runaway = system.Add("Runaway", 1.0, 1.0, 1.0e308, 0.0, 0.0, 1.0e306, 0.0, 0.0);
    EXPECT_FALSE(loop.Step(1024, 21600, GetParam().Method));
    EXPECT_EQ(observer.NonFinite, std::vector<std::string>{"Runaway"});
    EXPECT_EQ(runaway.Position.XComp, 1.0e308);
}

INSTANTIATE_TEST_SUITE_P(Methods, StepMethodTest,
                         testing::Values(MethodCase{StepMethod::Leapfrog, LeapfrogByHand},
                                         MethodCase{StepMethod::Yoshida, YoshidaByHand}),
                         [](const testing::TestParamInfo<MethodCase>& info) {
                             return std::string(MethodName(info.param.Method));
                         });

}  // namespace
}  // namespace kosmolux

#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/runloop.h"
#include "engine/stepmethod.h"
#include "model/planets.h"
#include "enginetesting.h"

namespace kosmolux {
namespace {

using Kind = Stage::Kind;

// The methods as they are defined, written out again here.
constexpr double C1 = 0.6756035959798289;
constexpr double C2 = -0.17560359597982889;
constexpr double D1 = 1.3512071919596578;
constexpr double D2 = -1.7024143839193155;
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
            if (b.Locked)
                continue;
            const Vector p = b.Position;
            const Vector v = b.Velocity;
            const Vector a = b.TotalAcceleration;
            if (stage.What == Kind::Drift) {
                b.Position = Vector{v.XComp * h + p.XComp, v.YComp * h + p.YComp, v.ZComp * h + p.ZComp};
            } else if (stage.What == Kind::Kick) {
                b.Velocity = Vector{a.XComp * h + v.XComp, a.YComp * h + v.YComp, a.ZComp * h + v.ZComp};
                b.TotalAcceleration = Vector{};
            } else {
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

        loop.Begin();
        ASSERT_TRUE(loop.Step(4096, 21600, GetParam().Method));
        ASSERT_EQ(system.Count(), static_cast<int>(byHand.size()));
        for (int i = 1; i <= system.Count(); ++i) {
            const Planet& body = system.Item(i);
            const Planet& expected = byHand[static_cast<std::size_t>(i - 1)];
            EXPECT_EQ(body.Position, expected.Position) << body.PlanetName << " " << roles;
            EXPECT_EQ(body.Velocity, expected.Velocity) << body.PlanetName << " " << roles;
            EXPECT_EQ(body.TotalAcceleration, expected.TotalAcceleration) << body.PlanetName << " " << roles;
        }
        EXPECT_EQ(loop.ElapsedSeconds(), 4096);
    }
}

TEST_P(StepMethodTest, AMergeInAForcePassAndTheAbsorbedBodyGoneAfterTheStep)
{
    // Small drifts into Big before the first force pass; Big takes the
    // momentum, feels no pull from the absorbed body, and drifts on with
    // (3 × 0 + 1 × 4) / 4 = 1 m/s through the drifts that follow.
    system.Add("Small", 1.0, 1.0, 0.0, 0.0, 0.0, 4.0, 0.0, 0.0);
    const Planet& big = system.Add("Big", 3.0, 2.0, 3.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    loop.Begin();
    ASSERT_TRUE(loop.Step(1, 21600, GetParam().Method));
    EXPECT_EQ(observer.Messages, std::vector<std::string>{"Small collided with Big!"});
    ASSERT_EQ(system.Count(), 1);
    double x = 3.0;
    bool merged = false;
    for (const Stage& stage : GetParam().Stages) {
        merged = merged || stage.What == Kind::ForcePass;
        if (merged && stage.What == Kind::Drift)
            x = 1.0 * (stage.Coefficient * 1.0) + x;
    }
    EXPECT_EQ(big.PlanetName, "Big & Small");
    EXPECT_EQ(big.Mass, 4.0);
    EXPECT_EQ(big.Position, (Vector{x, 0.0, 0.0}));
    EXPECT_EQ(big.Velocity, (Vector{1.0, 0.0, 0.0}));
}

TEST_P(StepMethodTest, ABodyLeavingTheRangeOfNumbersIsToldOnceAndKeptFinite)
{
    Planet& runaway = system.Add("Runaway", 1.0, 1.0, 1.0e308, 0.0, 0.0, 1.0e306, 0.0, 0.0);
    system.Add("Calm", 1.0, 1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0);
    loop.Begin();
    EXPECT_FALSE(loop.Step(1024, 21600, GetParam().Method));
    EXPECT_EQ(observer.NonFinite, std::vector<std::string>{"Runaway"});
    EXPECT_EQ(runaway.Position.XComp, 1.0e308);
    EXPECT_EQ(runaway.Velocity.XComp, 1.0e306);
}

INSTANTIATE_TEST_SUITE_P(Methods, StepMethodTest,
                         testing::Values(MethodCase{StepMethod::Leapfrog, LeapfrogByHand},
                                         MethodCase{StepMethod::Yoshida, YoshidaByHand}),
                         [](const testing::TestParamInfo<MethodCase>& info) {
                             return std::string(MethodName(info.param.Method));
                         });

}  // namespace
}  // namespace kosmolux

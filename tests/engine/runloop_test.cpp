#include <span>
#include <string>
#include <utility>
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

TEST(RunMethodsTest, OneStepGivesTheDoublesOfTheWrittenOrder)
{
    for (const auto& [method, stages] : {std::pair{StepMethod::Leapfrog, LeapfrogByHand},
                                         std::pair{StepMethod::Yoshida, YoshidaByHand}}) {
        // A star and a planet; then a locked star, a planet and a lightweight probe.
        for (const bool roles : {false, true}) {
            SCOPED_TRACE(std::string(MethodName(method)) + (roles ? " with roles" : ""));
            IdentityCounter ids;
            Planets system(ids);
            RecordingObserver observer;
            RunLoop loop(system, observer);
            Planet& star = system.Add("Star", 1.989e30, 1.39e9, 1.0e3, -2.0e3, 5.0e2, 3.0, -1.5, 0.25);
            system.Add("Planet", 5.97e24, 1.27e7, 1.496e11, 2.1e9, -3.3e8, -410.0, 29780.0, 12.5);
            if (roles) {
                star.Locked = true;
                star.TotalAcceleration = Vector{1.0, 2.0, 3.0};
                system.Add("Probe", 7.0e2, 1.0, -4.2e10, 1.1e11, 6.0e9, 2.2e4, 1.3e4, -900.0).Lightweight = true;
            }
            std::vector<Planet> byHand(system.begin(), system.end());
            StepByHand(byHand, stages, 4096.0);

            ASSERT_TRUE(loop.Step(4096, 21600, method));
            for (const Planet& expected : byHand) {
                const Planet& body = system.Item(expected.GetKey());
                EXPECT_EQ(body.Position, expected.Position) << body.PlanetName;
                EXPECT_EQ(body.Velocity, expected.Velocity) << body.PlanetName;
                EXPECT_EQ(body.TotalAcceleration, expected.TotalAcceleration) << body.PlanetName;
            }
        }
    }
}

TEST(RunMethodsTest, MergeInTheFirstForcePassAndRemoveTheAbsorbedBodyAtTheEnd)
{
    // Small is within reach of Big from the start (Classic) or after the first
    // drift. Big absorbs it, takes the momentum, (3 × 0 + 1 × 4) / 4 = 1 m/s,
    // and moves on by the drifts after that pass (Classic: a whole step).
    const struct {
        StepMethod method;
        double x;  // Big's place after a step of 1 s
    } rows[] = {{StepMethod::Classic, 1.5 + 1.0}, {StepMethod::Leapfrog, 1.5 + 0.5},
                {StepMethod::Yoshida, 1.5 + C2 + C2 + C1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(MethodName(row.method));
        IdentityCounter ids;
        Planets system(ids);
        RecordingObserver observer;
        RunLoop loop(system, observer);
        system.Add("Small", 1.0, 1.0, 0.0, 0.0, 0.0, 4.0, 0.0, 0.0);
        system.Add("Big", 3.0, 4.0, 1.5, 0.0, 0.0, 0.0, 0.0, 0.0);
        // Far away: a body that only bears the absorbed bodies' name stays.
        system.Add("*", 1.0, 1.0, 1.0e12, 0.0, 0.0, 0.0, 0.0, 0.0);
        ASSERT_TRUE(loop.Step(1, 21600, row.method));
        EXPECT_EQ(observer.Messages, std::vector<std::string>{"Small collided with Big!"});
        ASSERT_EQ(system.Count(), 2);
        const Planet& big = system.Item(1);
        EXPECT_EQ(big.PlanetName, "Big & Small");
        EXPECT_EQ(big.Mass, 4.0);
        EXPECT_EQ(big.Velocity, (Vector{1.0, 0.0, 0.0}));
        EXPECT_EQ(big.Position, (Vector{row.x, 0.0, 0.0}));
        EXPECT_EQ(system.Item(2).PlanetName, "*");
    }
}

TEST(RunMethodsTest, KeepABodyThatWouldLeaveTheRangeOfNumbersAndTellOfItOnce)
{
    // However many drifts the step has; the other body and the clock go on.
    for (const StepMethod method : {StepMethod::Classic, StepMethod::Leapfrog, StepMethod::Yoshida}) {
        SCOPED_TRACE(MethodName(method));
        IdentityCounter ids;
        Planets system(ids);
        RecordingObserver observer;
        RunLoop loop(system, observer);
        Planet& runaway = system.Add("Runaway", 1.0, 1.0, 1.0e308, 0.0, 0.0, 1.0e306, 0.0, 0.0);
        Planet& calm = system.Add("Calm", 1.0, 1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0);
        EXPECT_FALSE(loop.Step(1024, 21600, method));
        EXPECT_EQ(observer.NonFinite, std::vector<std::string>{"Runaway"});
        EXPECT_EQ(runaway.Position, (Vector{1.0e308, 0.0, 0.0}));
        EXPECT_EQ(runaway.Velocity, (Vector{1.0e306, 0.0, 0.0}));
        EXPECT_DOUBLE_EQ(calm.Position.XComp, 1024.0);
        EXPECT_EQ(loop.ElapsedSeconds(), 1024);
    }
}

class RunLoopTest : public testing::Test {
protected:
    IdentityCounter ids;
    Planets system{ids};
    RecordingObserver observer;
    RunLoop loop{system, observer};
};

TEST_F(RunLoopTest, ABodyTouchingTwoOthersGivesTwoMessagesAndIsPlottedBeforeItLeaves)
{
    system.Add("S", 2.0, 2.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    Planet& left = system.Add("Left", 1.0e3, 10.0, -1.0e6, 0.0, 0.0, 0.0, 0.0, 0.0);
    Planet& right = system.Add("Right", 1.0e3, 10.0, 1.0e6, 0.0, 0.0, 0.0, 0.0, 0.0);
    loop.Begin();
    ASSERT_TRUE(loop.Step(32768, 900));  // the first step of a run is never plotted
    EXPECT_TRUE(observer.Plotted.empty());

    left.Position = Vector{-5.0, 0.0, 0.0};
    right.Position = Vector{5.0, 0.0, 0.0};
    ASSERT_TRUE(loop.Step(32768, 900));
    // The absorbed body finishes its list and is absorbed once more, as "*".
    EXPECT_EQ(observer.Messages,
              (std::vector<std::string>{"S collided with Left!", "* collided with Right!"}));
    EXPECT_EQ(observer.Plotted, (std::vector<std::string>{"*", "Left & S", "Right & *"}));
    ASSERT_EQ(system.Count(), 2);
    EXPECT_EQ(system.Item(1).PlanetName, "Left & S");
    EXPECT_EQ(system.Item(2).PlanetName, "Right & *");
    EXPECT_EQ(system.Item(1).Mass, 1.0e3 + 2.0);
    EXPECT_EQ(system.Item(2).Mass, 1.0e3 + 1.0);  // an absorbed body weighs 1 kg
}

// Absorbed, a body finishes its list: a smaller one it touches then is
// absorbed by it, and it stays, carrying that mass.
TEST_F(RunLoopTest, AnAbsorbedBodyThatAbsorbsAnotherStays)
{
    system.Add("S", 2.0, 10.0, 52.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    system.Add("Big", 1.0e3, 100.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    system.Add("Small", 3.0, 1.0, 57.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    ASSERT_TRUE(loop.Step(1, 900));
    EXPECT_EQ(observer.Messages,
              (std::vector<std::string>{"S collided with Big!", "Small collided with *!"}));
    ASSERT_EQ(system.Count(), 2);
    EXPECT_EQ(system.Item(1).PlanetName, "* & Small");
    EXPECT_EQ(system.Item(1).Mass, 1.0 + 3.0);
}

// Records the time shown when a body is plotted: the time before the step.
class ScheduleObserver : public RecordingObserver {
public:
    void PlotBody(Planet& body) override
    {
        RecordingObserver::PlotBody(body);
        Seconds.push_back(Loop->ElapsedSeconds());
        EXPECT_TRUE(Loop->PlottedStep());
    }
    const RunLoop* Loop = nullptr;
    std::vector<std::int64_t> Seconds;
};

TEST(RunScheduleTest, RecordsThePlaceAfterTheMoveAndStartsAgainWithEveryRun)
{
    IdentityCounter ids;
    Planets system(ids);
    Planet& body = system.Add("Body", 1.0, 1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0);
    ScheduleObserver observer;
    RunLoop loop(system, observer);
    observer.Loop = &loop;

    // A step longer than the interval: every step from the second on is
    // plotted, with the time before the step and the place after its move.
    loop.Begin();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(loop.Step(32768, 900));
    EXPECT_EQ(observer.Seconds, (std::vector<std::int64_t>{32768, 2 * 32768}));
    ASSERT_EQ(body.History.Count(), 3);
    EXPECT_EQ(body.History.Item(2).XComp, 2.0 * 32768.0);

    // A new run starts the schedule and the clock again.
    observer.Seconds.clear();
    loop.Begin();
    EXPECT_EQ(loop.ElapsedSeconds(), 0);
    ASSERT_TRUE(loop.Step(32768, 900));
    EXPECT_TRUE(observer.Seconds.empty());

    // The clock goes on past 32 bits.
    for (int i = 1; i < 65537; ++i)
        ASSERT_TRUE(loop.Step(32768, 604800));
    EXPECT_EQ(loop.ElapsedSeconds(), std::int64_t{65537} * 32768);
}

TEST(DayNumberTest, RoundsHalfDaysToTheEvenNeighbour)
{
    EXPECT_EQ(DayNumber(43200), 0);
    EXPECT_EQ(DayNumber(43201), 1);
    EXPECT_EQ(DayNumber(129600), 2);
    EXPECT_EQ(DayNumber(216000), 2);
    EXPECT_EQ(DayNumber(std::int64_t{86400} * 30000 + 43200), 30000);
    EXPECT_EQ(DayNumber(std::int64_t{86400} * 30001 + 43200), 30002);
}

}  // namespace
}  // namespace kosmolux

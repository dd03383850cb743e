#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "engine/calculations.h"
#include "engine/runloop.h"
#include "model/planets.h"
#include "enginetesting.h"

namespace kosmolux {
namespace {

class RunLoopTest : public testing::TestWithParam<StepKernel> {
protected:
    IdentityCounter ids;
    Planets system{ids};
    RecordingObserver observer;
    RunLoop loop{system, observer, StepSettings{GetParam(), 1}};
};

TEST_P(RunLoopTest, AMergedBodyLeavesAtTheEndOfTheStep)
{
    // The larger body absorbs the smaller, keeping the momentum; the absorbed
    // one is marked "*" and leaves only when the step is done.
    system.Add("Small", 1.0, 1.0, 0.0, 0.0, 0.0, 4.0, 0.0, 0.0);
    system.Add("Big", 3.0, 2.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    // Far away: a body that only bears the absorbed bodies' name stays.
    system.Add("*", 1.0, 1.0, 1.0e12, 0.0, 0.0, 0.0, 0.0, 0.0);
    loop.Begin();
    ASSERT_TRUE(loop.Step(128, 21600));
    EXPECT_EQ(observer.Messages, std::vector<std::string>{"Small collided with Big!"});
    ASSERT_EQ(system.Count(), 2);
    EXPECT_EQ(system.Item(2).PlanetName, "*");
    const Planet& big = system.Item(1);
    EXPECT_EQ(big.PlanetName, "Big & Small");
    EXPECT_EQ(big.Mass, 4.0);
    EXPECT_EQ(big.Velocity, (Vector{1.0, 0.0, 0.0}));
    EXPECT_EQ(big.Position, (Vector{1.0 * 128.0 + 1.0, 0.0, 0.0}));
}

TEST_P(RunLoopTest, TheRestOfThePassSeesAMergeAtOnce)
{
    Planet& a = system.Add("A", 5.0e24, 1.0e7, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    system.Add("B", 1.0e24, 1.0e6, 5.0e6, 0.0, 0.0, 0.0, 0.0, 0.0);
    Planet& c = system.Add("C", 1.0e3, 1.0, 1.0e9, 2.0e8, 0.0, 0.0, 0.0, 0.0);
    loop.Begin();
    ASSERT_TRUE(loop.Step(64, 21600));
    EXPECT_EQ(observer.Messages, std::vector<std::string>{"B collided with A!"});
    ASSERT_EQ(system.Count(), 2);

    // C feels the merged mass of A and nothing of the absorbed B.
    Planet probeA(-1);
    probeA.Mass = 1.0e24 + 5.0e24;
    Planet probeC(-2);
    probeC.Position = Vector{1.0e9, 2.0e8, 0.0};
    Vector pull;
    ASSERT_FALSE(CalcAcceleration(probeC, probeA, pull));
    EXPECT_EQ(c.Velocity, (Vector{pull.XComp * 64.0 + 0.0, pull.YComp * 64.0 + 0.0, 0.0}));
    EXPECT_EQ(a.Mass, 1.0e24 + 5.0e24);
}

TEST_P(RunLoopTest, ABodyTouchingTwoOthersGivesTwoMessages)
{
    system.Add("S", 1.0, 2.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    system.Add("Left", 1.0e3, 10.0, -5.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    system.Add("Right", 1.0e3, 10.0, 5.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    loop.Begin();
    ASSERT_TRUE(loop.Step(1, 21600));
    // The absorbed body finishes its list and is absorbed once more, as "*".
    EXPECT_EQ(observer.Messages,
              (std::vector<std::string>{"S collided with Left!", "* collided with Right!"}));
    ASSERT_EQ(system.Count(), 2);
    EXPECT_EQ(system.Item(1).PlanetName, "Left & S");
    EXPECT_EQ(system.Item(2).PlanetName, "Right & *");
    EXPECT_EQ(system.Item(2).Mass, 1.0e3 + 1.0);
}

TEST_P(RunLoopTest, AMoveBeyondRangeStopsTheRunWithFiniteBodies)
{
    Planet& runaway = system.Add("Runaway", 1.0, 1.0, 1.0e308, 0.0, 0.0, 1.0e306, 0.0, 0.0);
    Planet& calm = system.Add("Calm", 1.0, 1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0);
    loop.Begin();
    EXPECT_FALSE(loop.Step(1024, 21600));
    EXPECT_EQ(observer.NonFinite, std::vector<std::string>{"Runaway"});
    EXPECT_EQ(runaway.Position, (Vector{1.0e308, 0.0, 0.0}));
    EXPECT_EQ(runaway.Velocity, (Vector{1.0e306, 0.0, 0.0}));
    EXPECT_GT(calm.Position.XComp, 1000.0);
    EXPECT_EQ(loop.ElapsedSeconds(), 1024);
}

INSTANTIATE_TEST_SUITE_P(Kernels, RunLoopTest, testing::ValuesIn(AvailableKernels()),
                         KernelParamName);

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

TEST(RunScheduleTest, AnAbsorbedBodyIsPlottedAndRecordedBeforeItLeaves)
{
    IdentityCounter ids;
    Planets system(ids);
    system.Add("Small", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    system.Add("Big", 3.0, 2.0, 100.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    RecordingObserver observer;
    RunLoop loop(system, observer);
    loop.Begin();
    ASSERT_TRUE(loop.Step(32768, 900));  // not plotted: the first step never is
    EXPECT_TRUE(observer.Plotted.empty());

    system.Item(1).Position.XComp = system.Item(2).Position.XComp + 0.5;
    system.Item(1).Velocity = system.Item(2).Velocity;
    ASSERT_TRUE(loop.Step(32768, 900));
    EXPECT_EQ(observer.Plotted, (std::vector<std::string>{"*", "Big & Small"}));
    EXPECT_EQ(system.Count(), 1);
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

#include <gtest/gtest.h>

#include "engine/drift.h"
#include "model/planets.h"

namespace kosmolux {
namespace {

TEST(TrialStepTest, RecordsEveryBodyFirstAndIgnoresContacts)
{
    IdentityCounter ids;
    Planets system(ids);
    Planet& a = system.Add("A", 1.0, 10.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0);
    Planet& b = system.Add("B", 1.0, 10.0, 5.0, 0.0, 0.0, 0.0, 2.0, 0.0);
    b.Locked = true;
    TrialStep(system, 2);
    EXPECT_EQ(a.History.Count(), 2);
    EXPECT_EQ(a.LastHistory(), Vector{});
    EXPECT_EQ(b.LastHistory(), (Vector{5.0, 0.0, 0.0}));
    // The touching pair pulls nothing: A coasts, the locked B stays.
    EXPECT_EQ(a.Position, (Vector{2.0, 0.0, 0.0}));
    EXPECT_EQ(b.Position, (Vector{5.0, 0.0, 0.0}));
}

TEST(RemoveDriftTest, CancelsTheDriftAndPutsPositionsAndHistoriesBack)
{
    IdentityCounter ids;
    Planets system(ids);
    Planet& free = system.Add("Free", 2.0, 1.0, 0.0, 0.0, 0.0, 4.0, 0.0, -0.5);
    // Massless, so it pulls nothing and moves nothing; locked, so it keeps its
    // velocity through the trial step but still loses the drift.
    Planet& anchor = system.Add("Anchor", 0.0, 1.0, 10.0, 0.0, 0.0, 1.0, 1.0, 1.0);
    anchor.Locked = true;
    RemoveDrift(system, 128);
    EXPECT_EQ(free.Position, Vector{});
    EXPECT_EQ(free.Velocity, Vector{});
    EXPECT_EQ(anchor.Position, (Vector{10.0, 0.0, 0.0}));
    EXPECT_EQ(anchor.Velocity, (Vector{-3.0, 1.0, 1.5}));
    EXPECT_EQ(free.History.Count(), 1);
    EXPECT_EQ(anchor.History.Count(), 1);
}

TEST(RemoveDriftTest, NoVelocityIsPushedPastTheLargestDouble)
{
    IdentityCounter ids;
    Planets system(ids);
    // At one place with no size: they touch, so the trial step pulls nothing.
    Planet& fast = system.Add("Fast", 0.25, 0.0, 0.0, 0.0, 0.0, 1.5e308, 0.0, 0.0);
    Planet& slow = system.Add("Slow", 1.0, 0.0, 0.0, 0.0, 0.0, -1.0e308, 0.0, 0.0);
    // The drift, -0.5e308, would make Fast's velocity infinite: nobody loses it.
    RemoveDrift(system, 1);
    EXPECT_EQ(fast.Velocity.XComp, 1.5e308);
    EXPECT_EQ(slow.Velocity.XComp, -1.0e308);
}

TEST(RemoveDriftTest, AFullHistoryLosesItsOldestEntry)
{
    IdentityCounter ids;
    Planets system(ids);
    Planet& body = system.Add("Body", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    for (int i = 1; i < MaxHistory; ++i) {
        body.Position.XComp = i;
        body.AddToHistory();
    }
    body.Position.XComp = 5000.0;
    ASSERT_EQ(body.History.Count(), MaxHistory);
    RemoveDrift(system, 8);
    EXPECT_EQ(body.History.Count(), MaxHistory - 1);
    EXPECT_EQ(body.History.Item(1).XComp, 1.0);
    EXPECT_EQ(body.Position.XComp, 5000.0);
}

}  // namespace
}  // namespace kosmolux

#include <gtest/gtest.h>

#include "engine/drift.h"
#include "model/planets.h"

namespace kosmolux {
namespace {

// The trial step records every place first; removing the drift puts every
// place back from the history, which loses its oldest entry when it was full.
TEST(RemoveDriftTest, CancelsTheDriftAndPutsPositionsBackFromTheHistory)
{
    IdentityCounter ids;
    Planets system(ids);
    Planet& free = system.Add("Free", 2.0, 1.0, 0.0, 0.0, 0.0, 4.0, 0.0, -0.5);
    // Massless, so it pulls nothing and moves nothing; locked, so it keeps its
    // velocity through the trial step but still loses the drift.
    Planet& anchor = system.Add("Anchor", 0.0, 1.0, 10.0, 0.0, 0.0, 1.0, 1.0, 1.0);
    anchor.Locked = true;
    for (int i = 1; i < MaxHistory; ++i)
        anchor.History.Add(i, 0.0, 0.0);
    RemoveDrift(system, 128);
    EXPECT_EQ(free.Position, Vector{});
    EXPECT_EQ(free.Velocity, Vector{});
    EXPECT_EQ(anchor.Position, (Vector{10.0, 0.0, 0.0}));
    EXPECT_EQ(anchor.Velocity, (Vector{-3.0, 1.0, 1.5}));
    EXPECT_EQ(free.History.Count(), 1);
    EXPECT_EQ(anchor.History.Count(), MaxHistory - 1);
    EXPECT_EQ(anchor.History.Item(1).XComp, 1.0);
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

}  // namespace
}  // namespace kosmolux

#include <string>

#include <gtest/gtest.h>

#include "engine/collision.h"
#include "model/planets.h"
#include "enginetesting.h"

namespace kosmolux {
namespace {

class CollisionTest : public testing::Test {
protected:
    IdentityCounter ids;
    Planets system{ids};
    RecordingObserver observer;
};

TEST_F(CollisionTest, AtEqualDiametersTheBodyBeingAcceleratedSurvives)
{
    Planet& first = system.Add("First", 2.0, 5.0, 0.0, 0.0, 0.0, 0.0, 3.0, 0.0);
    Planet& second = system.Add("Second", 1.0e6, 5.0, 1.0, 0.0, 0.0, 0.0, 0.0, 6.0);
    ASSERT_TRUE(Collide(first, second, observer));
    EXPECT_EQ(observer.Messages, std::vector<std::string>{"Second collided with First!"});
    EXPECT_EQ(first.PlanetName, "First & Second");
    EXPECT_EQ(first.Mass, 1.0e6 + 2.0);
    EXPECT_EQ(first.Velocity, (Vector{0.0, (3.0 * 2.0 + 0.0 * 1.0e6) / (2.0 + 1.0e6),
                                      (0.0 * 2.0 + 6.0 * 1.0e6) / (2.0 + 1.0e6)}));
    EXPECT_EQ(second.PlanetName, "*");
}

TEST_F(CollisionTest, NamesAreJoinedUpTo255Utf16Units)
{
    // 62 letters beyond the basic plane (two units, four bytes each), " & " and
    // 128 letters: 255 units (379 bytes) join; one more does not.
    std::string wide;
    for (int i = 0; i < 62; ++i)
        wide += "\xF0\x9F\x8C\x8D";
    Planet& survivor = system.Add(wide, 1.0, 2.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    ASSERT_TRUE(Collide(survivor, system.Add(std::string(128, 'x'), 1.0, 1.0, 0, 0, 0, 0, 0, 0), observer));
    const std::string joined = wide + " & " + std::string(128, 'x');
    EXPECT_EQ(survivor.PlanetName, joined);
    ASSERT_TRUE(Collide(survivor, system.Add("y", 1.0, 1.0, 0, 0, 0, 0, 0, 0), observer));
    EXPECT_EQ(survivor.PlanetName, joined);
    EXPECT_EQ(survivor.Mass, 3.0);
    EXPECT_EQ(observer.Messages.back(), "y collided with " + joined + "!");
}

TEST_F(CollisionTest, MassesThatCancelGiveThePlainMeanVelocity)
{
    Planet& a = system.Add("A", 5.0, 2.0, 0.0, 0.0, 0.0, 4.0, -2.0, 1.0);
    Planet& b = system.Add("B", -5.0, 1.0, 0.0, 0.0, 0.0, 0.0, 6.0, 2.0);
    ASSERT_TRUE(Collide(a, b, observer));
    EXPECT_EQ(a.Velocity, (Vector{2.0, 2.0, 1.5}));
    EXPECT_EQ(a.Mass, 0.0);
    EXPECT_TRUE(observer.NonFinite.empty());
}

TEST_F(CollisionTest, AMergeBeyondRangeChangesNothingAndIsReported)
{
    Planet& a = system.Add("A", 1.5e308, 2.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0);
    Planet& b = system.Add("B", 1.5e308, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    EXPECT_FALSE(Collide(a, b, observer));
    EXPECT_TRUE(observer.Messages.empty());
    EXPECT_EQ(observer.NonFinite, std::vector<std::string>{"A"});
    EXPECT_EQ(a.Mass, 1.5e308);
    EXPECT_EQ(b.PlanetName, "B");
}

}  // namespace
}  // namespace kosmolux

#include <cmath>

#include <gtest/gtest.h>

#include "model/planets.h"
#include "platform/fixeddraws.h"
#include "ui/generator/orbitplacement.h"

namespace kosmolux {
namespace {

// The largest draw there is: 24 random bits, all set.
const float JustBelowOne = std::nextafter(1.0f, 0.0f);

using namespace orbit;

constexpr double AstronomicalUnit = 1.496e11;

class OrbitPlacementTest : public ::testing::Test {
protected:
    IdentityCounter ids;
    Planets system{ids};
    // A Sun away from the origin and moving, so that every parent value must be carried over.
    Planet& sun = system.Add("Sun", 1.9891e30, 1392000000, 1e9, 2e9, 3e9, 10, 20, 30);
};

TEST_F(OrbitPlacementTest, OrbitalSpeedGrowsWithTheShapeFactor)
{
    struct Case {
        int shape;
        double speed;  // m/s, rounded to the cent
    };
    const Case cases[] = {{0, 29785.83}, {1, 31275.12}, {5, 42123.53}, {6, 44678.75}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        const auto placed = PlaceInOrbit(sun, {AstronomicalUnit, SpeedFactor(c.shape), false, std::nullopt});
        ASSERT_TRUE(placed);
        EXPECT_EQ(placed->Position, (Vector{1e9 + AstronomicalUnit, 2e9, 3e9}));
        EXPECT_EQ(placed->Velocity.XComp, 10.0);
        EXPECT_NEAR(placed->Velocity.YComp - 20, c.speed, 0.005);
        EXPECT_EQ(placed->Velocity.ZComp, 30.0);
    }
    EXPECT_EQ(SpeedFactor(std::nullopt), 1.0);

    const auto retrograde = PlaceInOrbit(sun, {AstronomicalUnit, 1.0, true, std::nullopt});
    ASSERT_TRUE(retrograde);
    EXPECT_NEAR(retrograde->Velocity.YComp - 20, -29785.83, 0.005);
}

TEST_F(OrbitPlacementTest, TheAngleTiltsTheStartTowardsZWithShortPi)
{
    sun.Position = {0, 0, 0};
    const auto thirty = PlaceInOrbit(sun, {AstronomicalUnit, 1.0, false, 30.0});
    ASSERT_TRUE(thirty);
    EXPECT_EQ(thirty->Position.XComp, 0.866025403783588 * AstronomicalUnit);
    EXPECT_EQ(thirty->Position.ZComp, 0.5000000000014733 * AstronomicalUnit);

    // Pi taken as 3.1415926536 leaves cos(90 degrees) at about -5.1e-12.
    const auto ninety = PlaceInOrbit(sun, {AstronomicalUnit, 1.0, false, 90.0});
    ASSERT_TRUE(ninety);
    EXPECT_NEAR(ninety->Position.XComp, -0.7635, 0.001);
    EXPECT_EQ(ninety->Position.ZComp, AstronomicalUnit);
}

TEST_F(OrbitPlacementTest, NumbersWithoutAFiniteResultPlaceNothing)
{
    EXPECT_FALSE(PlaceInOrbit(sun, {0.0, 1.0, false, std::nullopt}));
    EXPECT_FALSE(PlaceInOrbit(sun, {-AstronomicalUnit, 1.0, false, std::nullopt}));
    EXPECT_FALSE(PlaceInOrbit(sun, {1e-320, 1.0, false, std::nullopt})) << "the speed overflows";
    sun.Position.XComp = 1.7e308;
    EXPECT_FALSE(PlaceInOrbit(sun, {1.7e308, 1.0, false, std::nullopt})) << "the position overflows";
    sun.Position.XComp = 0;
    sun.Mass = -1.9891e30;
    EXPECT_FALSE(PlaceInOrbit(sun, {AstronomicalUnit, 1.0, false, std::nullopt}));
}

// "Far" around the Sun: 200 to 220 solar diameters.
TEST(DistanceClassTest, BandsAreCountedInParentDiameters)
{
    FixedDraws draws{0.0f, JustBelowOne, 0.5f};
    EXPECT_EQ(*DrawDistance(0, 1392000000, draws), 2.784e11);
    const double farthest = *DrawDistance(0, 1392000000, draws);
    EXPECT_LT(farthest, 3.0624e11);
    EXPECT_GT(farthest, 3.0623e11);

    EXPECT_FALSE(DrawDistance(0, 1e307, draws)) << "210 diameters overflow";
    // Neither draws: the queue is empty now and would throw.
    EXPECT_FALSE(DrawDistance(CustomDistance, 1392000000, draws));
    EXPECT_FALSE(DrawDistance(7, 1392000000, draws));
    EXPECT_EQ(DistanceClasses().at(CustomDistance).Text, "Custom Distance");
}

// A middle draw gives each region's centre; the new-body dialog's tests show the low ends.
TEST(FreePlacementTest, DrawsPositionAndVelocityAroundTheRegionsCentres)
{
    FixedDraws draws{0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    const StateVectors placed = FreePlacement(draws);
    EXPECT_EQ(placed.Position, (Vector{4e11, 4e11, 1e9}));
    EXPECT_EQ(placed.Velocity, (Vector{7000, 7000, 2000}));
}

}  // namespace
}  // namespace kosmolux

#include <cmath>
#include <iterator>
#include <optional>
#include <vector>

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

// The new-body dialog's tests show a circular start, retrograde, and the
// parent's place and motion carried over.
TEST_F(OrbitPlacementTest, TheShapeFactorScalesTheSpeedAndTheAngleTiltsTowardsZWithShortPi)
{
    const auto hyperbolic = PlaceInOrbit(sun, {AstronomicalUnit, SpeedFactor(6), false, std::nullopt});
    ASSERT_TRUE(hyperbolic);
    EXPECT_NEAR(hyperbolic->Velocity.YComp - 20, 44678.75, 0.005);

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

TEST(OrbitListsTest, EveryDistanceClassWithItsBandAndEveryShapeWithItsFactor)
{
    // Band ends in diameters of the parent; none for the distance typed in.
    const struct {
        const char* text;
        double low, high;
    } distances[] = {
        {"Far (>200 diameters)", 200, 220},      {"Distant (~100 diameters)", 95, 105},
        {"Medium (~50 diameters)", 47, 53},      {"Close (~10 diameters)", 9, 11},
        {"Very Close (<4 diameters)", 3.5, 4.5}, {"Roche Limit", 2.4, 2.6},
        {"Custom Distance", 0, 0},
    };
    const struct {
        const char* text;
        double factor;
    } shapes[] = {
        {"Circular", 1},          {"Near-Circular", 1.05},     {"Medium Eccentric", 1.1},
        {"Very Eccentric", 1.2},  {"Extreme Eccentric", 1.3},  {"Parabolic", std::sqrt(2.0)},
        {"Hyperbolic", 1.5},
    };
    const double sun = 1392000000;
    const std::vector<ListEntry> classes = DistanceClasses();
    ASSERT_EQ(classes.size(), std::size(distances));
    for (int code = 0; code < static_cast<int>(classes.size()); ++code) {
        const auto& row = distances[code];
        SCOPED_TRACE(row.text);
        EXPECT_EQ(classes[static_cast<std::size_t>(code)].Text, row.text);
        EXPECT_EQ(classes[static_cast<std::size_t>(code)].Code, code);
        FixedDraws draws{0.0f, JustBelowOne};
        const std::optional<double> low = DrawDistance(code, sun, draws);
        if (row.high == 0) {
            EXPECT_FALSE(low);
            EXPECT_FALSE(draws.Empty()) << "nothing is drawn";
            continue;
        }
        EXPECT_DOUBLE_EQ(*low, row.low * sun);
        const double high = *DrawDistance(code, sun, draws);
        EXPECT_LT(high, row.high * sun);
        EXPECT_NEAR(high, row.high * sun, row.high * sun * 1e-6);
    }
    FixedDraws none{};
    EXPECT_FALSE(DrawDistance(7, sun, none));
    FixedDraws any{0.5f};
    EXPECT_FALSE(DrawDistance(0, 1e307, any)) << "210 diameters overflow";

    const std::vector<ListEntry> listed = OrbitShapes();
    ASSERT_EQ(listed.size(), std::size(shapes));
    for (int code = 0; code < static_cast<int>(listed.size()); ++code) {
        SCOPED_TRACE(shapes[code].text);
        EXPECT_EQ(listed[static_cast<std::size_t>(code)].Text, shapes[code].text);
        EXPECT_EQ(listed[static_cast<std::size_t>(code)].Code, code);
        EXPECT_DOUBLE_EQ(SpeedFactor(code), shapes[code].factor);
    }
    EXPECT_EQ(SpeedFactor(std::nullopt), 1.0);
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

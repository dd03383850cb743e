#include <cmath>

#include <gtest/gtest.h>

#include "platform/fixeddraws.h"
#include "ui/generator/bodycatalogue.h"

namespace kosmolux {
namespace {

using namespace catalogue;

// The largest draw there is: 24 random bits, all set.
const float JustBelowOne = std::nextafter(1.0f, 0.0f);

constexpr double SunMass = 1.9891e30;
constexpr double EarthDiameter = 12756000.0;
constexpr double MoonMass = 7.5e22;
constexpr double MoonDiameter = 3476000.0;

// The lowest draw gives the low end exactly; the highest stays just below the high end.
// Stars, planets, moons and asteroids give colours and leave the flags alone.
TEST(BodyCatalogueTest, DrawsMassThenDiameterWithinTheRowsBands)
{
    // Kilograms and metres; the first three rows take another unit than their type's.
    const struct {
        int Type, SubType;
        const char* Text;
        double MassLow, MassHigh, DiameterLow, DiameterHigh;
    } cases[] = {
        {StarType, 9, "Neutron Star", 1 * SunMass, 2 * SunMass, 2.5 * EarthDiameter, 3.5 * EarthDiameter},
        {StarType, 10, "Black Hole", 2.5 * SunMass, 5.5 * SunMass, (0.9 - 0.05) * EarthDiameter,
         (0.9 + 0.05) * EarthDiameter},
        {PlanetType, 8, "Plutonian", (1 - 0.1) * MoonMass, 1.1 * MoonMass, (1 - 0.1) * MoonDiameter,
         1.1 * MoonDiameter},
        {AsteroidType, 2, "Medium", 20 * 1e16, 50 * 1e16, 5 * 16000.0, 15 * 16000.0},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Text);
        EXPECT_EQ(SubTypesOf(row.Type).at(static_cast<std::size_t>(row.SubType - 1)).Text, row.Text);

        FixedDraws lowMassHighDiameter{0.0f, JustBelowOne};
        const GeneratedBody first = Generate(row.Type, row.SubType, lowMassHighDiameter);
        EXPECT_EQ(*first.Mass, row.MassLow);
        EXPECT_LT(*first.Diameter, row.DiameterHigh);
        EXPECT_GT(*first.Diameter, row.DiameterHigh * 0.999);
        EXPECT_TRUE(first.HiColor && first.LoColor);
        EXPECT_FALSE(first.Locked || first.Lightweight);

        FixedDraws highMassLowDiameter{JustBelowOne, 0.0f};
        const GeneratedBody second = Generate(row.Type, row.SubType, highMassLowDiameter);
        EXPECT_LT(*second.Mass, row.MassHigh);
        EXPECT_GT(*second.Mass, row.MassHigh * 0.999);
        EXPECT_EQ(*second.Diameter, row.DiameterLow);
    }
}

TEST(BodyCatalogueTest, PointMassesSetTheFlagsAndLeaveTheColours)
{
    // No draw at all: an empty queue throws on the first one.
    FixedDraws none{};
    const GeneratedBody spacecraft = Generate(PointMassType, 2, none);
    EXPECT_EQ(*spacecraft.Name, "New Point Mass");
    EXPECT_EQ(*spacecraft.Mass, 50.0);
    EXPECT_EQ(*spacecraft.Diameter, 5.0);
    EXPECT_FALSE(*spacecraft.Locked);
    EXPECT_TRUE(*spacecraft.Lightweight);
    EXPECT_FALSE(spacecraft.HiColor || spacecraft.LoColor);
    const GeneratedBody reference = Generate(PointMassType, 3, none);
    EXPECT_EQ(*reference.Mass, 1.0);
    EXPECT_TRUE(*reference.Locked && *reference.Lightweight);

    // Codes not in the lists give the type's name at most.
    EXPECT_EQ(*Generate(MoonType, 5, none).Name, "New Moon");
    EXPECT_FALSE(Generate(MoonType, 5, none).Mass);
    EXPECT_FALSE(Generate(PointMassType, 0, none).Mass);
    EXPECT_FALSE(Generate(5, 1, none).Name);
}

}  // namespace
}  // namespace kosmolux

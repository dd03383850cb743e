#include <cmath>

#include <gtest/gtest.h>

#include "platform/fixeddraws.h"
#include "ui/generator/bodycatalogue.h"

namespace kosmolux {
namespace {

// The largest draw there is: 24 random bits, all set.
const float JustBelowOne = std::nextafter(1.0f, 0.0f);

using namespace catalogue;

constexpr double SunMass = 1.9891e30;
constexpr double SunDiameter = 1392000000.0;
constexpr double EarthDiameter = 12756000.0;
constexpr double MoonMass = 7.5e22;
constexpr double MoonDiameter = 3476000.0;

struct BandCase {
    int Type;
    int SubType;
    const char* Text;
    double MassLow, MassHigh;          // kg
    double DiameterLow, DiameterHigh;  // metres
};

// The lowest draw gives the low end exactly; the highest stays below the high end.
TEST(BodyCatalogueTest, DrawsMassThenDiameterWithinTheRowsBands)
{
    const BandCase cases[] = {
        {StarType, 7, "Red Giant (Type M giant)", 3 * SunMass, 5 * SunMass, 250 * SunDiameter, 350 * SunDiameter},
        {StarType, 9, "Neutron Star", 1 * SunMass, 2 * SunMass, 2.5 * EarthDiameter, 3.5 * EarthDiameter},
        {StarType, 10, "Black Hole", 2.5 * SunMass, 5.5 * SunMass, (0.9 - 0.05) * EarthDiameter,
         (0.9 + 0.05) * EarthDiameter},
        {PlanetType, 8, "Plutonian", (1 - 0.1) * MoonMass, 1.1 * MoonMass, (1 - 0.1) * MoonDiameter,
         1.1 * MoonDiameter},
        {AsteroidType, 2, "Medium", 20 * 1e16, 50 * 1e16, 5 * 16000.0, 15 * 16000.0},
    };
    for (const BandCase& row : cases) {
        SCOPED_TRACE(row.Text);
        EXPECT_EQ(SubTypesOf(row.Type).at(static_cast<std::size_t>(row.SubType - 1)).Text, row.Text);

        FixedDraws lowMassHighDiameter{0.0f, JustBelowOne};
        const GeneratedBody first = Generate(row.Type, row.SubType, lowMassHighDiameter);
        EXPECT_TRUE(lowMassHighDiameter.Empty());
        EXPECT_EQ(*first.Mass, row.MassLow);
        EXPECT_LT(*first.Diameter, row.DiameterHigh);
        EXPECT_GT(*first.Diameter, row.DiameterHigh * 0.999);

        FixedDraws highMassLowDiameter{JustBelowOne, 0.0f};
        const GeneratedBody second = Generate(row.Type, row.SubType, highMassLowDiameter);
        EXPECT_LT(*second.Mass, row.MassHigh);
        EXPECT_GT(*second.Mass, row.MassHigh * 0.999);
        EXPECT_EQ(*second.Diameter, row.DiameterLow);
    }
}

TEST(BodyCatalogueTest, ListsTypesAndSubTypesWithTheirCodes)
{
    const std::vector<ListEntry> types = BodyTypes();
    ASSERT_EQ(types.size(), 5u);
    const int codes[] = {1, 2, 3, 4, 6};
    const char* texts[] = {"Star", "Planet", "Moon", "Asteroid/Comet", "Point Mass"};
    const std::size_t subTypeCounts[] = {10, 8, 4, 3, 3};
    for (std::size_t i = 0; i < types.size(); ++i) {
        EXPECT_EQ(types[i].Code, codes[i]);
        EXPECT_EQ(types[i].Text, texts[i]);
        const std::vector<ListEntry> subTypes = SubTypesOf(types[i].Code);
        ASSERT_EQ(subTypes.size(), subTypeCounts[i]);
        for (std::size_t s = 0; s < subTypes.size(); ++s)
            EXPECT_EQ(subTypes[s].Code, static_cast<int>(s) + 1);
    }
    EXPECT_EQ(SubTypesOf(2)[4].Text, "Super Terrestrial");
    EXPECT_EQ(SubTypesOf(6)[1].Text, "Spacecraft");
    EXPECT_TRUE(SubTypesOf(5).empty());
}

TEST(BodyCatalogueTest, PointMassesSetTheFlagsAndLeaveTheColours)
{
    FixedDraws none{};
    const GeneratedBody spacecraft = Generate(PointMassType, 2, none);
    EXPECT_EQ(*spacecraft.Name, "New Point Mass");
    EXPECT_EQ(*spacecraft.Mass, 50.0);
    EXPECT_EQ(*spacecraft.Diameter, 5.0);
    EXPECT_FALSE(*spacecraft.Locked);
    EXPECT_TRUE(*spacecraft.Lightweight);
    EXPECT_FALSE(spacecraft.HiColor.has_value());
    EXPECT_FALSE(spacecraft.LoColor.has_value());

    const GeneratedBody reference = Generate(PointMassType, 3, none);
    EXPECT_EQ(*reference.Mass, 1.0);
    EXPECT_TRUE(*reference.Locked);
    EXPECT_TRUE(*reference.Lightweight);
}

TEST(BodyCatalogueTest, OtherRowsGiveNameAndColoursAndLeaveTheFlags)
{
    for (const ListEntry& type : BodyTypes()) {
        if (type.Code == PointMassType)
            continue;
        for (const ListEntry& subType : SubTypesOf(type.Code)) {
            SCOPED_TRACE(subType.Text.toStdString());
            FixedDraws draws{0.25f, 0.75f};
            const GeneratedBody body = Generate(type.Code, subType.Code, draws);
            EXPECT_EQ(*body.Name, "New " + type.Text);
            EXPECT_TRUE(body.Mass && body.Diameter && body.HiColor && body.LoColor);
            EXPECT_FALSE(body.Locked.has_value());
            EXPECT_FALSE(body.Lightweight.has_value());
        }
    }
    FixedDraws draws{0.0f, 0.0f};
    const GeneratedBody orange = Generate(StarType, 6, draws);
    EXPECT_EQ(*orange.HiColor, 255 + 256 * 183 + 65536 * 95);
    EXPECT_EQ(*orange.LoColor, 220 + 256 * 121 + 65536 * 1);
}

TEST(BodyCatalogueTest, UnknownCodesGiveNoMoreThanTheName)
{
    FixedDraws none{};
    const GeneratedBody noSubType = Generate(MoonType, 5, none);
    EXPECT_EQ(*noSubType.Name, "New Moon");
    EXPECT_FALSE(noSubType.Mass.has_value());
    EXPECT_FALSE(Generate(PointMassType, 0, none).Mass.has_value());

    const GeneratedBody unusedType = Generate(5, 1, none);
    EXPECT_FALSE(unusedType.Name.has_value());
    EXPECT_FALSE(unusedType.Mass.has_value());
}

}  // namespace
}  // namespace kosmolux

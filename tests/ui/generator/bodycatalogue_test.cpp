#include <cmath>
#include <iterator>

#include <gtest/gtest.h>

#include "platform/fixeddraws.h"
#include "ui/generator/bodycatalogue.h"

namespace kosmolux {
namespace {

using namespace catalogue;

// The largest draw there is: 24 random bits, all set.
const float JustBelowOne = std::nextafter(1.0f, 0.0f);

// Reference units, kilograms and metres.
struct Unit {
    double mass, diameter;
};
constexpr Unit Sun{1.9891e30, 1392000000}, Jupiter{1.899e27, 142800000}, Earth{5.976e24, 12756000},
    Moon{7.5e22, 3476000}, Asteroid{1e16, 16000};

// Centre and spread in a unit.
struct Band {
    double centre, spread;
    Unit unit;
};

constexpr Colour Rgb(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

// The lowest draw gives a band's low end exactly, the highest stays just
// below its high end; the mass is drawn before the diameter.
void ExpectBandEnds(int type, int subType, const Band& mass, const Band& diameter)
{
    const double massLow = (mass.centre - mass.spread) * mass.unit.mass;
    const double massHigh = (mass.centre + mass.spread) * mass.unit.mass;
    const double diameterLow = (diameter.centre - diameter.spread) * diameter.unit.diameter;
    const double diameterHigh = (diameter.centre + diameter.spread) * diameter.unit.diameter;

    FixedDraws lowMass{0.0f, JustBelowOne};
    const GeneratedBody first = Generate(type, subType, lowMass);
    EXPECT_EQ(*first.Mass, massLow);
    EXPECT_LT(*first.Diameter, diameterHigh);
    EXPECT_NEAR(*first.Diameter, diameterHigh, diameterHigh * 1e-6);

    FixedDraws highMass{JustBelowOne, 0.0f};
    const GeneratedBody second = Generate(type, subType, highMass);
    EXPECT_LT(*second.Mass, massHigh);
    EXPECT_NEAR(*second.Mass, massHigh, massHigh * 1e-6);
    EXPECT_EQ(*second.Diameter, diameterLow);
}

TEST(BodyCatalogueTest, EveryTypeAndSubTypeWithItsBandsColoursAndFlags)
{
    const struct {
        int code;
        const char* text;
        const char* name;
    } types[] = {
        {1, "Star", "New Star"},
        {2, "Planet", "New Planet"},
        {3, "Moon", "New Moon"},
        {4, "Asteroid/Comet", "New Asteroid/Comet"},
        {6, "Point Mass", "New Point Mass"},
    };
    const struct {
        int type, subType;
        const char* text;
        Band mass, diameter;
        Colour hi, lo;
    } randomRows[] = {
        {1, 1, "Blue-White Supergiant (Type O)", {60, 10, Sun}, {15, 2, Sun}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
        {1, 2, "Blue White Giant (Type B)", {18, 2, Sun}, {7, 1, Sun}, Rgb(220, 255, 255), Rgb(100, 160, 160)},
        {1, 3, "White (Type A)", {3.2, 0.2, Sun}, {2.5, 0.1, Sun}, Rgb(255, 255, 255), Rgb(155, 155, 155)},
        {1, 4, "Green (Type F)", {1.7, 0.2, Sun}, {1.3, 0.1, Sun}, Rgb(230, 255, 225), Rgb(100, 155, 110)},
        {1, 5, "Yellow (Type G)", {1.1, 0.1, Sun}, {1.0, 0.05, Sun}, Rgb(255, 255, 208), Rgb(155, 155, 100)},
        {1, 6, "Orange (Type K)", {0.8, 0.05, Sun}, {0.9, 0.05, Sun}, Rgb(255, 183, 95), Rgb(220, 121, 1)},
        {1, 7, "Red Giant (Type M giant)", {4, 1, Sun}, {300, 50, Sun}, Rgb(255, 75, 75), Rgb(155, 15, 15)},
        {1, 8, "Red Dwarf (Type M dwarf)", {0.3, 0.05, Sun}, {0.4, 0.05, Sun}, Rgb(255, 50, 50), Rgb(155, 10, 10)},
        {1, 9, "Neutron Star", {1.5, 0.5, Sun}, {3.0, 0.5, Earth}, Rgb(255, 255, 208), Rgb(155, 155, 100)},
        {1, 10, "Black Hole", {4, 1.5, Sun}, {0.9, 0.05, Earth}, Rgb(190, 0, 190), Rgb(100, 0, 100)},
        {2, 1, "Brown Dwarf", {20, 10, Jupiter}, {15, 2, Jupiter}, Rgb(230, 155, 155), Rgb(118, 55, 55)},
        {2, 2, "Super-Jovian", {5, 1, Jupiter}, {4, 2, Jupiter}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
        {2, 3, "Jovian", {1, 0.2, Jupiter}, {1, 0.1, Jupiter}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
        {2, 4, "Sub-Jovian Gas Giant", {0.25, 0.05, Jupiter}, {0.8, 0.1, Jupiter}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
        {2, 5, "Super Terrestrial", {5, 1, Earth}, {1.5, 0.3, Earth}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
        {2, 6, "Terrestrial", {1, 0.1, Earth}, {1, 0.1, Earth}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
        {2, 7, "Sub-Terrestrial", {0.3, 0.05, Earth}, {0.3, 0.1, Earth}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
        {2, 8, "Plutonian", {1, 0.1, Moon}, {1, 0.1, Moon}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
        {3, 1, "Gallilean", {5, 1, Moon}, {4, 1, Moon}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
        {3, 2, "Lunar", {1, 0.1, Moon}, {1, 0.1, Moon}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
        {3, 3, "Sub-Lunar", {0.5, 0.1, Moon}, {0.7, 0.1, Moon}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
        {3, 4, "Asteroidal", {0.1, 0.05, Moon}, {0.1, 0.05, Moon}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
        {4, 1, "Ceres-Like", {100, 50, Asteroid}, {100, 50, Asteroid}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
        {4, 2, "Medium", {35, 15, Asteroid}, {10, 5, Asteroid}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
        {4, 3, "Small", {1, 0.5, Asteroid}, {1, 0.5, Asteroid}, Rgb(230, 255, 255), Rgb(118, 155, 155)},
    };
    // Fixed values, no draw, no colours.
    const struct {
        int subType;
        const char* text;
        double mass, diameter;
        bool locked, lightweight;
    } pointMasses[] = {
        {1, "Point Mass", 1, 1, false, true},
        {2, "Spacecraft", 50, 5, false, true},
        {3, "Reference Point", 1, 1, true, true},
    };

    const std::vector<ListEntry> listed = BodyTypes();
    ASSERT_EQ(listed.size(), std::size(types));
    std::size_t subTypes = 0;
    for (std::size_t index = 0; index < listed.size(); ++index) {
        SCOPED_TRACE(types[index].text);
        EXPECT_EQ(listed[index].Text, types[index].text);
        EXPECT_EQ(listed[index].Code, types[index].code);
        FixedDraws none{};
        EXPECT_EQ(Generate(types[index].code, 0, none).Name, types[index].name);
        subTypes += SubTypesOf(types[index].code).size();
    }
    EXPECT_EQ(subTypes, std::size(randomRows) + std::size(pointMasses));

    for (const auto& row : randomRows) {
        SCOPED_TRACE(row.text);
        const ListEntry entry = SubTypesOf(row.type).at(static_cast<std::size_t>(row.subType - 1));
        EXPECT_EQ(entry.Text, row.text);
        EXPECT_EQ(entry.Code, row.subType);
        ExpectBandEnds(row.type, row.subType, row.mass, row.diameter);
        FixedDraws draws{0.5f, 0.5f};
        const GeneratedBody body = Generate(row.type, row.subType, draws);
        EXPECT_EQ(body.HiColor, row.hi);
        EXPECT_EQ(body.LoColor, row.lo);
        // The flags stay as the dialog shows them.
        EXPECT_FALSE(body.Locked || body.Lightweight);
    }

    for (const auto& row : pointMasses) {
        SCOPED_TRACE(row.text);
        const ListEntry entry = SubTypesOf(PointMassType).at(static_cast<std::size_t>(row.subType - 1));
        EXPECT_EQ(entry.Text, row.text);
        EXPECT_EQ(entry.Code, row.subType);
        FixedDraws none{};
        const GeneratedBody body = Generate(PointMassType, row.subType, none);
        EXPECT_EQ(body.Mass, row.mass);
        EXPECT_EQ(body.Diameter, row.diameter);
        EXPECT_EQ(body.Locked, row.locked);
        EXPECT_EQ(body.Lightweight, row.lightweight);
        EXPECT_FALSE(body.HiColor || body.LoColor);
    }

    // Codes not in the lists give the type's name at most.
    FixedDraws none{};
    EXPECT_FALSE(Generate(MoonType, 5, none).Mass);
    EXPECT_FALSE(Generate(PointMassType, 4, none).Mass);
    EXPECT_FALSE(Generate(5, 1, none).Name);
}

}  // namespace
}  // namespace kosmolux

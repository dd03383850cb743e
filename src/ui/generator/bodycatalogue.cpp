#include "ui/generator/bodycatalogue.h"

#include <array>

namespace kosmolux::catalogue {

namespace {

// The reference bodies, in kilograms and metres.
struct Reference {
    double Mass;
    double Diameter;
};
constexpr Reference Sun{1.9891e30, 1392000000.0};
constexpr Reference Jupiter{1.899e27, 142800000.0};
constexpr Reference Earth{5.976e24, 12756000.0};
constexpr Reference Moon{7.5e22, 3476000.0};
constexpr Reference Asteroid{1e16, 16000.0};

// Centre and half-width of a band, counted in a reference unit.
struct Band {
    double Centre;
    double Spread;
    double Unit;
};

struct TypeRow {
    int Code;
    const char* Text;
    const char* DefaultName;
};

struct RandomRow {
    int Type;
    const char* Text;
    Band Mass;
    Band Diameter;
    Colour HiColor;
    Colour LoColor;
};

struct PointMassRow {
    const char* Text;
    double Mass;      // kg
    double Diameter;  // metres
    bool Locked;
    bool Lightweight;
};

constexpr std::array<TypeRow, 5> Types{{
    {StarType, "Star", "New Star"},
    {PlanetType, "Planet", "New Planet"},
    {MoonType, "Moon", "New Moon"},
    {AsteroidType, "Asteroid/Comet", "New Asteroid/Comet"},
    {PointMassType, "Point Mass", "New Point Mass"},
}};

// The colouring of most planets, moons and asteroids.
constexpr Colour CommonHi = RgbColour(230, 255, 255);
constexpr Colour CommonLo = RgbColour(118, 155, 155);

// Sub-types of types 1 to 4, grouped by type in list order; a row's sub-type
// code is its place within its type's group.
constexpr std::array<RandomRow, 25> RandomRows{{
    {StarType, "Blue-White Supergiant (Type O)", {60, 10, Sun.Mass}, {15, 2, Sun.Diameter},
     RgbColour(230, 255, 255), RgbColour(118, 155, 155)},
    {StarType, "Blue White Giant (Type B)", {18, 2, Sun.Mass}, {7, 1, Sun.Diameter},
     RgbColour(220, 255, 255), RgbColour(100, 160, 160)},
    {StarType, "White (Type A)", {3.2, 0.2, Sun.Mass}, {2.5, 0.1, Sun.Diameter},
     RgbColour(255, 255, 255), RgbColour(155, 155, 155)},
    {StarType, "Green (Type F)", {1.7, 0.2, Sun.Mass}, {1.3, 0.1, Sun.Diameter},
     RgbColour(230, 255, 225), RgbColour(100, 155, 110)},
    {StarType, "Yellow (Type G)", {1.1, 0.1, Sun.Mass}, {1.0, 0.05, Sun.Diameter},
     RgbColour(255, 255, 208), RgbColour(155, 155, 100)},
    {StarType, "Orange (Type K)", {0.8, 0.05, Sun.Mass}, {0.9, 0.05, Sun.Diameter},
     RgbColour(255, 183, 95), RgbColour(220, 121, 1)},
    {StarType, "Red Giant (Type M giant)", {4, 1, Sun.Mass}, {300, 50, Sun.Diameter},
     RgbColour(255, 75, 75), RgbColour(155, 15, 15)},
    {StarType, "Red Dwarf (Type M dwarf)", {0.3, 0.05, Sun.Mass}, {0.4, 0.05, Sun.Diameter},
     RgbColour(255, 50, 50), RgbColour(155, 10, 10)},
    // The two collapsed stars are measured in Earth diameters.
    {StarType, "Neutron Star", {1.5, 0.5, Sun.Mass}, {3.0, 0.5, Earth.Diameter},
     RgbColour(255, 255, 208), RgbColour(155, 155, 100)},
    {StarType, "Black Hole", {4, 1.5, Sun.Mass}, {0.9, 0.05, Earth.Diameter},
     RgbColour(190, 0, 190), RgbColour(100, 0, 100)},

    {PlanetType, "Brown Dwarf", {20, 10, Jupiter.Mass}, {15, 2, Jupiter.Diameter},
     RgbColour(230, 155, 155), RgbColour(118, 55, 55)},
    {PlanetType, "Super-Jovian", {5, 1, Jupiter.Mass}, {4, 2, Jupiter.Diameter}, CommonHi, CommonLo},
    {PlanetType, "Jovian", {1, 0.2, Jupiter.Mass}, {1, 0.1, Jupiter.Diameter}, CommonHi, CommonLo},
    {PlanetType, "Sub-Jovian Gas Giant", {0.25, 0.05, Jupiter.Mass}, {0.8, 0.1, Jupiter.Diameter},
     CommonHi, CommonLo},
    {PlanetType, "Super Terrestrial", {5, 1, Earth.Mass}, {1.5, 0.3, Earth.Diameter}, CommonHi, CommonLo},
    {PlanetType, "Terrestrial", {1, 0.1, Earth.Mass}, {1, 0.1, Earth.Diameter}, CommonHi, CommonLo},
    {PlanetType, "Sub-Terrestrial", {0.3, 0.05, Earth.Mass}, {0.3, 0.1, Earth.Diameter}, CommonHi, CommonLo},
    // A dwarf planet is measured like a moon.
    {PlanetType, "Plutonian", {1, 0.1, Moon.Mass}, {1, 0.1, Moon.Diameter}, CommonHi, CommonLo},

    {MoonType, "Gallilean", {5, 1, Moon.Mass}, {4, 1, Moon.Diameter}, CommonHi, CommonLo},
    {MoonType, "Lunar", {1, 0.1, Moon.Mass}, {1, 0.1, Moon.Diameter}, CommonHi, CommonLo},
    {MoonType, "Sub-Lunar", {0.5, 0.1, Moon.Mass}, {0.7, 0.1, Moon.Diameter}, CommonHi, CommonLo},
    {MoonType, "Asteroidal", {0.1, 0.05, Moon.Mass}, {0.1, 0.05, Moon.Diameter}, CommonHi, CommonLo},

    {AsteroidType, "Ceres-Like", {100, 50, Asteroid.Mass}, {100, 50, Asteroid.Diameter}, CommonHi, CommonLo},
    {AsteroidType, "Medium", {35, 15, Asteroid.Mass}, {10, 5, Asteroid.Diameter}, CommonHi, CommonLo},
    {AsteroidType, "Small", {1, 0.5, Asteroid.Mass}, {1, 0.5, Asteroid.Diameter}, CommonHi, CommonLo},
}};

// Test bodies with fixed values: they move but attract nothing, or (the
// reference point) do neither.
constexpr std::array<PointMassRow, 3> PointMassRows{{
    {"Point Mass", 1, 1, false, true},
    {"Spacecraft", 50, 5, false, true},
    {"Reference Point", 1, 1, true, true},
}};

const TypeRow* FindType(int typeCode)
{
    for (const TypeRow& type : Types)
        if (type.Code == typeCode)
            return &type;
    return nullptr;
}

// The rows of one type among types 1 to 4, in list order.
std::vector<const RandomRow*> RandomRowsOf(int typeCode)
{
    std::vector<const RandomRow*> rows;
    for (const RandomRow& row : RandomRows)
        if (row.Type == typeCode)
            rows.push_back(&row);
    return rows;
}

double DrawInBand(const Band& band, RandomSource& random)
{
    return RandomInRange(random, band.Centre, band.Spread) * band.Unit;
}

}  // namespace

std::vector<ListEntry> BodyTypes()
{
    std::vector<ListEntry> entries;
    for (const TypeRow& type : Types)
        entries.push_back({QString::fromUtf8(type.Text), type.Code});
    return entries;
}

std::vector<ListEntry> SubTypesOf(int typeCode)
{
    std::vector<const char*> texts;
    if (typeCode == PointMassType) {
        for (const PointMassRow& row : PointMassRows)
            texts.push_back(row.Text);
    } else {
        for (const RandomRow* row : RandomRowsOf(typeCode))
            texts.push_back(row->Text);
    }
    std::vector<ListEntry> entries;
    for (const char* text : texts)
        entries.push_back({QString::fromUtf8(text), static_cast<int>(entries.size()) + 1});
    return entries;
}

GeneratedBody Generate(int typeCode, int subTypeCode, RandomSource& random)
{
    GeneratedBody body;
    const TypeRow* type = FindType(typeCode);
    if (!type)
        return body;
    body.Name = QString::fromUtf8(type->DefaultName);
    if (subTypeCode < 1)
        return body;
    const auto index = static_cast<std::size_t>(subTypeCode - 1);

    if (typeCode == PointMassType) {
        if (index >= PointMassRows.size())
            return body;
        const PointMassRow& row = PointMassRows[index];
        body.Mass = row.Mass;
        body.Diameter = row.Diameter;
        body.Locked = row.Locked;
        body.Lightweight = row.Lightweight;
        return body;
    }

    const std::vector<const RandomRow*> rows = RandomRowsOf(typeCode);
    if (index >= rows.size())
        return body;
    const RandomRow& row = *rows[index];
    body.Mass = DrawInBand(row.Mass, random);
    body.Diameter = DrawInBand(row.Diameter, random);
    body.HiColor = row.HiColor;
    body.LoColor = row.LoColor;
    return body;
}

}  // namespace kosmolux::catalogue

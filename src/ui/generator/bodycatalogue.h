#pragma once

#include <optional>
#include <vector>

#include <QString>

#include "model/planet.h"
#include "platform/randomsource.h"

namespace kosmolux {

// One entry of a pick list: its text and the code it carries as item data.
struct ListEntry {
    QString Text;
    int Code = 0;
};

// What one generation yields. A field the rule does not give stays empty, and
// the dialog then leaves that field as it stands.
struct GeneratedBody {
    std::optional<QString> Name;
    std::optional<double> Mass;      // kg
    std::optional<double> Diameter;  // metres
    std::optional<Colour> HiColor;
    std::optional<Colour> LoColor;
    std::optional<bool> Locked;
    std::optional<bool> Lightweight;
};

// The kinds of celestial bodies the generator knows, as fixed data.
namespace catalogue {

// Body type codes; 5 is not used.
inline constexpr int StarType = 1;
inline constexpr int PlanetType = 2;
inline constexpr int MoonType = 3;
inline constexpr int AsteroidType = 4;
inline constexpr int PointMassType = 6;

// The five body types in list order, with their codes.
std::vector<ListEntry> BodyTypes();
// The sub-types of a body type in list order, coded 1, 2, 3 ...; empty for an unknown type.
std::vector<ListEntry> SubTypesOf(int typeCode);

// Applies the rule of (type, sub-type): the type's default name first; then for
// stars, planets, moons and asteroids a random mass, then a random diameter
// (one draw each, in that order) and the two colours; for point masses the
// fixed mass and diameter and the Locked and Lightweight flags.
GeneratedBody Generate(int typeCode, int subTypeCode, RandomSource& random);

}  // namespace catalogue

// red + 256 * green + 65536 * blue.
constexpr Colour RgbColour(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

}  // namespace kosmolux

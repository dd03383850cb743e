#pragma once

#include <optional>
#include <vector>

#include "model/planet.h"
#include "model/vector.h"
#include "platform/randomsource.h"
#include "ui/generator/bodycatalogue.h"

namespace kosmolux::orbit {

// The distance classes in list order, coded 0 to 6.
std::vector<ListEntry> DistanceClasses();
// The class whose distance the user types in; nothing is drawn for it.
inline constexpr int CustomDistance = 6;

// A distance in metres from the centre of a parent of the given diameter,
// drawn from the class's band (counted in parent diameters); nothing for
// "Custom Distance", a code that is not in the list, or a parent so large
// that the distance overflows.
std::optional<double> DrawDistance(int distanceCode, double parentDiameter, RandomSource& random);

// The orbit shapes in list order, coded 0 to 6, from circular to hyperbolic.
std::vector<ListEntry> OrbitShapes();
// The factor on the circular orbital speed; 1 when no shape (or an unknown
// code) is chosen. The parabolic factor, the square root of 2, gives the
// escape speed.
double SpeedFactor(std::optional<int> shapeCode);

struct StateVectors {
    Vector Position;  // metres
    Vector Velocity;  // metres per second
};

struct OrbitRequest {
    double Distance = 0.0;  // metres from the parent's centre
    double SpeedFactor = 1.0;
    bool Retrograde = false;
    // Degrees from the X direction towards Z; nothing puts the body straight
    // along X without any trigonometry.
    std::optional<double> AngleDegrees;
};

// The body starts beside the parent in the plane parallel to X-Z and moves
// relative to it along +Y (-Y when retrograde) at the orbital speed of the
// parent's mass alone. Nothing when the numbers give no finite result: a
// distance of 0, a negative mass or distance, an overflow.
std::optional<StateVectors> PlaceInOrbit(const Planet& parent, const OrbitRequest& request);

// A random start in a fixed region of space, one draw each in the order
// X, Y, Z, VX, VY, VZ; the position is absolute.
StateVectors FreePlacement(RandomSource& random);

}  // namespace kosmolux::orbit

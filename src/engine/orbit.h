#pragma once

#include <optional>

#include "model/vector.h"

namespace kosmolux {

// The ellipse a body would follow if only one centre pulled on it.
struct OrbitElements {
    double SemiMajorAxis = 0.0;  // metres
    double Eccentricity = 0.0;   // 0 for a circle, below 1 for every closed orbit
    double Inclination = 0.0;    // degrees between the orbit's plane and the X-Y plane, 0 to 180
    double Period = 0.0;         // seconds
};

// The osculating orbit of a body at position and velocity relative to a
// centre whose gravitational parameter is mu (G times the masses, m³/s²).
// Nothing when the orbit is not closed: the body is fast enough to escape,
// falls straight in, sits on the centre, or mu is not above 0.
std::optional<OrbitElements> OsculatingOrbit(const Vector& position, const Vector& velocity, double mu);

}  // namespace kosmolux

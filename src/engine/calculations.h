#pragma once

#include "model/planet.h"
#include "model/vector.h"

namespace kosmolux {

// Newton's gravitational constant, cubic metres per kilogram per second squared.
inline constexpr double G = 6.67259e-11;

// The acceleration of body caused by other. Returns true, leaving result
// untouched, when the two touch: their distance is below the sum of their
// radii, or 0.
bool CalcAcceleration(const Planet& body, const Planet& other, Vector& result);

// Advances position by the old velocity and half the acceleration times the
// step squared, then the velocity by the acceleration. timeStep in seconds.
void MoveBody(Vector& position, Vector& velocity, const Vector& acceleration, double timeStep);

}  // namespace kosmolux

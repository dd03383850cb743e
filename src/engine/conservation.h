#pragma once

#include "model/planets.h"

namespace kosmolux {

// What gravity alone keeps constant in a system: energy, momentum and angular
// momentum. A locked body does not move, so it has neither kinetic energy nor
// momentum; a lightweight body moves with its mass but pulls on nothing.
struct Conserved {
    double Kinetic = 0.0;          // joules, of the bodies that are not locked
    double Potential = 0.0;        // joules, of the pairs where one body pulls a body that moves
    double Total = 0.0;            // joules, kinetic plus potential
    double Momentum = 0.0;         // kg m/s, magnitude of the sum over the bodies that are not locked
    double AngularMomentum = 0.0;  // kg m²/s, magnitude about the system's centre of mass
};

// Measures the system as it stands. A pair in contact pulls nothing in a step
// and holds no potential energy here either.
Conserved Measure(const Planets& system);

// (now − start) / |start|: 0 when the two are equal, NaN when only start is 0.
double RelativeChange(double start, double now);

}  // namespace kosmolux

#include "engine/conservation.h"

#include <cmath>
#include <limits>
#include <vector>

#include "engine/calculations.h"

namespace kosmolux {
namespace {

// Whether the pull between two bodies moves one of them.
bool Interacts(const Planet& a, const Planet& b)
{
    return (!a.Lightweight && !b.Locked) || (!b.Lightweight && !a.Locked);
}

double PotentialEnergy(const Planets& system)
{
    std::vector<const Planet*> bodies;
    bodies.reserve(static_cast<std::size_t>(system.Count()));
    for (const Planet& body : system)
        bodies.push_back(&body);
    double potential = 0.0;
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        const Planet& a = *bodies[i];
        for (std::size_t j = i + 1; j < bodies.size(); ++j) {
            const Planet& b = *bodies[j];
            if (!Interacts(a, b))
                continue;
            const double r = a.Position.DistanceFrom(b.Position);
            if ((a.Diameter + b.Diameter) / 2.0 > r || r == 0.0)
                continue;
            potential -= G * a.Mass * b.Mass / r;
        }
    }
    return potential;
}

}  // namespace

Conserved Measure(const Planets& system)
{
    Conserved measured;
    const Vector centre = system.CentreOfMass();
    Vector momentum;
    Vector angularMomentum;
    for (const Planet& body : system) {
        if (body.Locked)
            continue;
        const Vector& v = body.Velocity;
        measured.Kinetic += 0.5 * body.Mass * Dot(v, v);
        momentum.Add(Scaled(v, body.Mass));
        Vector arm = body.Position;
        arm.Subtract(centre);
        angularMomentum.Add(Scaled(Cross(arm, v), body.Mass));
    }
    measured.Potential = PotentialEnergy(system);
    measured.Total = measured.Kinetic + measured.Potential;
    measured.Momentum = momentum.Magnitude();
    measured.AngularMomentum = angularMomentum.Magnitude();
    return measured;
}

double RelativeChange(double start, double now)
{
    if (now == start)
        return 0.0;
    if (start == 0.0)
        return std::numeric_limits<double>::quiet_NaN();
    return (now - start) / std::abs(start);
}

}  // namespace kosmolux

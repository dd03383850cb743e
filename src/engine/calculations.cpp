#include "engine/calculations.h"

namespace kosmolux {

bool CalcAcceleration(const Planet& body, const Planet& other, Vector& result)
{
    const double r = body.Position.DistanceFrom(other.Position);
    const double reach = (body.Diameter + other.Diameter) / 2.0;
    // A distance of 0 counts as contact too, so that two points of diameter 0
    // at one place merge instead of dividing by zero.
    if (reach > r || r == 0.0)
        return true;
    const double inv = 1.0 / r;
    const double k = ((other.Mass * G) * inv) * inv;
    const double dX = other.Position.XComp - body.Position.XComp;
    const double dY = other.Position.YComp - body.Position.YComp;
    const double dZ = other.Position.ZComp - body.Position.ZComp;
    result.XComp = (k * dX) * inv;
    result.YComp = (k * dY) * inv;
    result.ZComp = (k * dZ) * inv;
    return false;
}

void MoveBody(Vector& position, Vector& velocity, const Vector& acceleration, double timeStep)
{
    const double t = timeStep;
    position.XComp = (acceleration.XComp * 0.5 * t * t) + (velocity.XComp * t + position.XComp);
    position.YComp = (acceleration.YComp * 0.5 * t * t) + (velocity.YComp * t + position.YComp);
    position.ZComp = (acceleration.ZComp * 0.5 * t * t) + (velocity.ZComp * t + position.ZComp);
    velocity.XComp = acceleration.XComp * t + velocity.XComp;
    velocity.YComp = acceleration.YComp * t + velocity.YComp;
    velocity.ZComp = acceleration.ZComp * t + velocity.ZComp;
}

}  // namespace kosmolux

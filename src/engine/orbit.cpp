#include "engine/orbit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kosmolux {

std::optional<OrbitElements> OsculatingOrbit(const Vector& position, const Vector& velocity, double mu)
{
    const double r = position.Magnitude();
    if (!(r > 0.0) || !(mu > 0.0))
        return std::nullopt;
    // Energy per unit mass: below 0 the body cannot get away.
    const double energy = Dot(velocity, velocity) / 2.0 - mu / r;
    const Vector h = Cross(position, velocity);
    if (h.Magnitude() == 0.0)
        return std::nullopt;  // falls straight in
    // The eccentricity vector (v × h) / mu − r / |r|.
    const Vector vh = Cross(velocity, h);
    const Vector e{vh.XComp / mu - position.XComp / r, vh.YComp / mu - position.YComp / r,
                   vh.ZComp / mu - position.ZComp / r};
    OrbitElements orbit;
    orbit.Eccentricity = e.Magnitude();
    if (!(energy < 0.0) || !(orbit.Eccentricity < 1.0))
        return std::nullopt;
    orbit.SemiMajorAxis = -mu / (2.0 * energy);
    const double cosine = std::clamp(h.ZComp / h.Magnitude(), -1.0, 1.0);
    orbit.Inclination = std::acos(cosine) * 180.0 / std::numbers::pi;
    orbit.Period = 2.0 * std::numbers::pi * std::sqrt(orbit.SemiMajorAxis * orbit.SemiMajorAxis
                                                      * orbit.SemiMajorAxis / mu);
    if (!std::isfinite(orbit.SemiMajorAxis) || !std::isfinite(orbit.Period))
        return std::nullopt;
    return orbit;
}

}  // namespace kosmolux

#include "ui/main/projection.h"

#include <cmath>

namespace kosmolux {

Projection::Planes Projection::Project(const Vector& position, const Vector& centre,
                                       double viewScale)
{
    const bool x = ProjectAxis(position.XComp - centre.XComp, viewScale, plotX_);
    const bool y = ProjectAxis(position.YComp - centre.YComp, viewScale, plotY_);
    const bool z = ProjectAxis(position.ZComp - centre.ZComp, viewScale, plotZ_);
    // A plane needs both of its axes: a coordinate kept from another body
    // would draw this one where it is not.
    return Planes{x && y, x && z, z && y};
}

bool Projection::ProjectAxis(double difference, double viewScale, std::int16_t& coordinate) const
{
    const std::optional<std::int16_t> projected = Coordinate(difference, viewScale);
    if (projected)
        coordinate = *projected;
    return projected.has_value();
}

std::optional<std::int16_t> Projection::Coordinate(double difference, double viewScale) const
{
    const int half = plotSize_ / 2;
    const double scaled = (viewScale * difference) * half;
    // Written so that a NaN counts as out of range too.
    if (!(std::fabs(scaled) < OutOfRange))
        return std::nullopt;
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    return static_cast<std::int16_t>(static_cast<int>(std::nearbyint(scaled)) + half);
}

std::int16_t DotSizeFor(double diameter, std::int16_t plotSize, double viewScale)
{
    const double pixels = plotSize * diameter * viewScale;
    if (pixels >= 2.0 && pixels <= 64000.0)
        return static_cast<std::int16_t>(std::nearbyint(pixels / 2.0));
    return 0;
}

}  // namespace kosmolux

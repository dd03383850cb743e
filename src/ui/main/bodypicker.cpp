#include "ui/main/bodypicker.h"

#include <cmath>
#include <optional>

namespace kosmolux {

const Planet* BodyNear(const Planets& system, const Projection& projection, const Vector& centre,
                       double viewScale, PlaneAxes axes, const QPointF& point, double reach)
{
    const Planet* nearest = nullptr;
    double nearestDistance = 0.0;
    for (const Planet& body : system) {
        const std::optional<std::int16_t> x =
            projection.Coordinate(body.Position.XComp - centre.XComp, viewScale);
        const std::optional<std::int16_t> y =
            projection.Coordinate(body.Position.YComp - centre.YComp, viewScale);
        const std::optional<std::int16_t> z =
            projection.Coordinate(body.Position.ZComp - centre.ZComp, viewScale);
        const std::optional<std::int16_t> across = axes == PlaneAxes::ZY ? z : x;
        const std::optional<std::int16_t> down = axes == PlaneAxes::XZ ? z : y;
        if (!across || !down)
            continue;
        const double distance = std::hypot(point.x() - *across, point.y() - *down);
        if (distance > reach + body.DotSize)
            continue;
        if (!nearest || distance < nearestDistance) {
            nearest = &body;
            nearestDistance = distance;
        }
    }
    return nearest;
}

}  // namespace kosmolux

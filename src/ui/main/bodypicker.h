#pragma once

#include <QPointF>

#include "model/planets.h"
#include "model/vector.h"
#include "ui/main/projection.h"

namespace kosmolux {

// The axes a plane shows, across and down.
enum class PlaneAxes { XY, XZ, ZY };

// The body whose mark on a plane lies nearest to a point of the plane (image
// pixels), as projection draws it about centre: a body counts when the point
// lies within reach pixels of its dot, or of its circle when it is drawn as
// one. A body off the plane on either axis never counts. nullptr when none does.
const Planet* BodyNear(const Planets& system, const Projection& projection, const Vector& centre,
                       double viewScale, PlaneAxes axes, const QPointF& point, double reach);

}  // namespace kosmolux

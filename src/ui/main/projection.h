#pragma once

#include <cstdint>
#include <optional>

#include "model/vector.h"

namespace kosmolux {

// Projects positions onto the three plot planes. The plane coordinates of the
// last projection persist between calls: an axis out of range keeps the value
// it had (the labels use them), and the planes that show that axis draw nothing.
class Projection {
public:
    // A projected coordinate of this many pixels or more is not converted.
    static constexpr double OutOfRange = 32000.0;

    // Which planes a projection draws on: those whose two axes are both in range.
    struct Planes {
        bool XY = false;
        bool XZ = false;
        bool ZY = false;
        bool Any() const { return XY || XZ || ZY; }
    };

    // The side of the planes as laid out, pixels; the centre is drawn at half of it.
    void SetPlotSize(std::int16_t plotSize) { plotSize_ = plotSize; }
    std::int16_t PlotSize() const { return plotSize_; }

    // Projects position - centre with viewScale (1 / metres from the centre to
    // the edge). Axes in range update PlotX, PlotY, PlotZ.
    Planes Project(const Vector& position, const Vector& centre, double viewScale);

    // Plane coordinates, pixels from the top-left corner: X to the right on the
    // X-Y and X-Z planes, Y downward on X-Y and Z-Y, Z downward on X-Z and to
    // the right on Z-Y.
    std::int16_t PlotX() const { return plotX_; }
    std::int16_t PlotY() const { return plotY_; }
    std::int16_t PlotZ() const { return plotZ_; }

    // The plane coordinate of one axis for a difference from the centre, or
    // nothing when it is out of range; the kept coordinates stay as they are.
    std::optional<std::int16_t> Coordinate(double difference, double viewScale) const;

private:
    // Converts one axis when |s| < OutOfRange; returns whether it did.
    bool ProjectAxis(double difference, double viewScale, std::int16_t& coordinate) const;

    std::int16_t plotSize_ = 0;
    std::int16_t plotX_ = 0;
    std::int16_t plotY_ = 0;
    std::int16_t plotZ_ = 0;
};

// The radius in pixels of the circle drawn for a body during a run: half its
// diameter in pixels, rounded half to even, when that diameter lies between
// 2 and 64000 pixels; 0 (a single point) otherwise.
std::int16_t DotSizeFor(double diameter, std::int16_t plotSize, double viewScale);

}  // namespace kosmolux

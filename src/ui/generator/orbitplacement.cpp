#include "ui/generator/orbitplacement.h"

#include <array>
#include <cmath>
#include <numbers>

#include "engine/calculations.h"

namespace kosmolux::orbit {

namespace {

// Centre and half-width of a distance band, in diameters of the parent.
struct DistanceRow {
    const char* Text;
    double Centre;
    double Spread;
};

constexpr std::array<DistanceRow, 6> DrawnDistances{{
    {"Far (>200 diameters)", 210, 10},
    {"Distant (~100 diameters)", 100, 5},
    {"Medium (~50 diameters)", 50, 3},
    {"Close (~10 diameters)", 10, 1},
    {"Very Close (<4 diameters)", 4, 0.5},
    {"Roche Limit", 2.5, 0.1},
}};

struct ShapeRow {
    const char* Text;
    double SpeedFactor;
};

constexpr std::array<ShapeRow, 7> Shapes{{
    {"Circular", 1},
    {"Near-Circular", 1.05},
    {"Medium Eccentric", 1.1},
    {"Very Eccentric", 1.2},
    {"Extreme Eccentric", 1.3},
    {"Parabolic", std::numbers::sqrt2},
    {"Hyperbolic", 1.5},
}};

// Pi as the program has always taken it, short of full double precision.
constexpr double RadiansPerDegree = 3.1415926536 / 180;

bool IsFinite(const Vector& vector)
{
    return std::isfinite(vector.XComp) && std::isfinite(vector.YComp) && std::isfinite(vector.ZComp);
}

}  // namespace

std::vector<ListEntry> DistanceClasses()
{
    std::vector<ListEntry> entries;
    for (const DistanceRow& row : DrawnDistances)
        entries.push_back({QString::fromUtf8(row.Text), static_cast<int>(entries.size())});
    entries.push_back({QStringLiteral("Custom Distance"), CustomDistance});
    return entries;
}

std::optional<double> DrawDistance(int distanceCode, double parentDiameter, RandomSource& random)
{
    if (distanceCode < 0 || distanceCode >= static_cast<int>(DrawnDistances.size()))
        return std::nullopt;
    const DistanceRow& row = DrawnDistances[static_cast<std::size_t>(distanceCode)];
    const double distance = RandomInRange(random, row.Centre * parentDiameter, row.Spread * parentDiameter);
    if (!std::isfinite(distance))
        return std::nullopt;
    return distance;
}

std::vector<ListEntry> OrbitShapes()
{
    std::vector<ListEntry> entries;
    for (const ShapeRow& row : Shapes)
        entries.push_back({QString::fromUtf8(row.Text), static_cast<int>(entries.size())});
    return entries;
}

double SpeedFactor(std::optional<int> shapeCode)
{
    if (!shapeCode || *shapeCode < 0 || *shapeCode >= static_cast<int>(Shapes.size()))
        return 1.0;
    return Shapes[static_cast<std::size_t>(*shapeCode)].SpeedFactor;
}

std::optional<StateVectors> PlaceInOrbit(const Planet& parent, const OrbitRequest& request)
{
    const double r = request.Distance;
    double v = std::sqrt(parent.Mass * G / r);
    v = v * request.SpeedFactor;
    if (request.Retrograde)
        v = -v;

    double dx = r;
    double dz = 0.0;
    if (request.AngleDegrees) {
        const double a = *request.AngleDegrees * RadiansPerDegree;
        dx = std::cos(a) * r;
        dz = std::sin(a) * r;
    }

    StateVectors placed;
    placed.Position = {parent.Position.XComp + dx, parent.Position.YComp, parent.Position.ZComp + dz};
    placed.Velocity = {parent.Velocity.XComp, parent.Velocity.YComp + v, parent.Velocity.ZComp};
    // A division by zero, the root of a negative number and an overflow all
    // end up here as an infinity or a NaN.
    if (!std::isfinite(v) || !IsFinite(placed.Position) || !IsFinite(placed.Velocity))
        return std::nullopt;
    return placed;
}

StateVectors FreePlacement(RandomSource& random)
{
    StateVectors placed;
    placed.Position.XComp = RandomInRange(random, 4, 3) * 1e11;
    placed.Position.YComp = RandomInRange(random, 4, 3) * 1e11;
    placed.Position.ZComp = RandomInRange(random, 1, 0.5) * 1e9;
    placed.Velocity.XComp = RandomInRange(random, 7, 14) * 1000;
    placed.Velocity.YComp = RandomInRange(random, 7, 14) * 1000;
    placed.Velocity.ZComp = RandomInRange(random, 2, 4) * 1000;
    return placed;
}

}  // namespace kosmolux::orbit

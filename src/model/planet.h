#pragma once

#include <cstdint>
#include <string>

#include "model/vector.h"
#include "model/vectors.h"
#include "model/watchedmass.h"

namespace kosmolux {

// Colours are 24-bit RGB in a 32-bit integer, red in the low byte:
// red + 256 * green + 65536 * blue.
using Colour = std::int32_t;
inline constexpr Colour White = 16777215;
inline constexpr Colour LightGrey = 12632256;

// A history never holds more entries than this; the oldest goes first.
inline constexpr int MaxHistory = 4096;

// One body of the system. Plain properties are public members; the identity
// number is fixed at construction.
class Planet {
public:
    explicit Planet(std::int32_t id);

    std::int32_t Id() const { return id_; }
    // "A" followed by the decimal Id: the body's key in its system.
    std::string GetKey() const;
    static std::string KeyOf(std::int32_t id);

    // Appends a copy of the current position; drops the oldest entry beyond MaxHistory.
    void AddToHistory();
    // Removes the newest entry, if any.
    void RemoveFromHistory();
    // The newest history entry itself, not a copy.
    Vector& LastHistory() { return History.Item(History.Count()); }
    const Vector& LastHistory() const { return History.Item(History.Count()); }

    void SaveDisplayInfo(std::int16_t lastX, std::int16_t lastY, std::int16_t lastZ);

    // "*" marks a body absorbed in a merge, about to be removed.
    std::string PlanetName;
    WatchedMass Mass;       // kg; tells its system when it changes
    double Diameter = 0.0;  // metres; decides contact and which body survives a merge
    Vector Position;        // metres
    Vector Velocity;        // metres per second
    Vector TotalAcceleration;  // metres per second squared, summed during a step
    Colour HiColor = White;      // the body's current position in the plot
    Colour LoColor = LightGrey;  // the body's trail
    // Plane coordinates where the plot view last drew the body.
    std::int16_t LastX = 0;
    std::int16_t LastY = 0;
    std::int16_t LastZ = 0;
    // Radius in plot pixels of the circle drawn for the body; 0 draws a point.
    std::int16_t DotSize = 0;
    bool Locked = false;       // neither accelerated nor moved
    bool Lightweight = false;  // pulls on no other body
    std::int32_t Parent = 0;   // Id of the body it orbits, -1 for none
    // Positions recorded at plotted steps, oldest first; never empty in use.
    Vectors History;

private:
    std::int32_t id_;
};

}  // namespace kosmolux

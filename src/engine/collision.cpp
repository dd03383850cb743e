#include "engine/collision.h"

#include <cmath>

namespace kosmolux {
namespace {

double MergedComponent(double survivor, double survivorMass, double absorbed, double absorbedMass)
{
    const double totalMass = survivorMass + absorbedMass;
    // Masses that cancel out weigh nothing: the plain mean instead of 0 / 0.
    if (totalMass == 0.0)
        return (survivor + absorbed) / 2.0;
    return (survivor * survivorMass + absorbed * absorbedMass) / totalMass;
}

// The length of a UTF-8 name in UTF-16 units, as the system file counts it:
// every character but a continuation byte counts once, and one beyond the
// basic plane (a four-byte lead) once more.
std::size_t Utf16Length(std::string_view name)
{
    std::size_t length = 0;
    for (const char byte : name) {
        const auto value = static_cast<unsigned char>(byte);
        if ((value & 0xC0) != 0x80)
            ++length;
        if (value >= 0xF0)
            ++length;
    }
    return length;
}

}  // namespace

MergeRoles ChooseSurvivor(Planet& body, Planet& other)
{
    if (body.Diameter < other.Diameter)
        return {other, body};
    return {body, other};
}

std::string CollisionMessage(const Planet& absorbed, const Planet& survivor)
{
    return absorbed.PlanetName + " collided with " + survivor.PlanetName + "!";
}

bool Collide(Planet& body, Planet& other, RunObserver& observer)
{
    const auto [survivor, absorbed] = ChooseSurvivor(body, other);
    const Vector& s = survivor.Velocity;
    const Vector& x = absorbed.Velocity;
    const Vector velocity{MergedComponent(s.XComp, survivor.Mass, x.XComp, absorbed.Mass),
                          MergedComponent(s.YComp, survivor.Mass, x.YComp, absorbed.Mass),
                          MergedComponent(s.ZComp, survivor.Mass, x.ZComp, absorbed.Mass)};
    const double mass = absorbed.Mass + survivor.Mass;
    if (!std::isfinite(mass) || !std::isfinite(velocity.XComp) || !std::isfinite(velocity.YComp)
        || !std::isfinite(velocity.ZComp)) {
        observer.BodyBecameNonFinite(survivor);
        return false;
    }

    observer.BodiesCollide(CollisionMessage(absorbed, survivor));
    survivor.Velocity = velocity;
    absorbed.Velocity = Vector{};
    survivor.Mass = mass;
    absorbed.Mass = 1.0;
    const std::string_view joiner = " & ";
    if (Utf16Length(survivor.PlanetName) + Utf16Length(joiner) + Utf16Length(absorbed.PlanetName)
        <= LongestMergedName)
        survivor.PlanetName.append(joiner).append(absorbed.PlanetName);
    // Through a temporary: assigning the view itself trips a false -Wrestrict in GCC 12.
    absorbed.PlanetName = std::string(AbsorbedName);
    absorbed.Lightweight = true;
    absorbed.Locked = true;
    return true;
}

}  // namespace kosmolux

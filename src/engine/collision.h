#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/runobserver.h"
#include "model/planet.h"

namespace kosmolux {

// The name an absorbed body shows until the run removes it at its turn in
// pass 2. The run knows its absorbed bodies by their Ids, not by this name.
inline constexpr std::string_view AbsorbedName = "*";
// The longest name a system file can store, in UTF-16 units: a merge never
// joins names beyond it, so the merged system can always be saved.
inline constexpr std::size_t LongestMergedName = 255;

// The two roles of a merge: the larger body absorbs the smaller; at equal
// diameters the body being accelerated survives.
struct MergeRoles {
    Planet& Survivor;
    Planet& Absorbed;
};
MergeRoles ChooseSurvivor(Planet& body, Planet& other);

// "X collided with S!", X the absorbed body, S the survivor.
std::string CollisionMessage(const Planet& absorbed, const Planet& survivor);

// Merges two touching bodies found by pass 1: body is being accelerated,
// other pulls on it. The observer hears of it before anything changes. The
// survivor takes the summed mass and the mass-weighted velocity (the plain
// mean when the masses add up to 0) and the joined names, unless they would be
// longer than LongestMergedName and it keeps its own; the absorbed body is
// renamed "*", made locked and lightweight, given mass 1 and stopped.
// Returns false, changing nothing and telling the observer that the survivor
// would become non-finite, when the summed mass or the merged velocity is not
// finite.
bool Collide(Planet& body, Planet& other, RunObserver& observer);

}  // namespace kosmolux

#pragma once

#include <cstdint>

#include "engine/stepsettings.h"
#include "model/planets.h"

namespace kosmolux {

// One step without plotting or merging; every body records its position
// first, and contacts contribute nothing. settings pins the kernel, for tests.
void TrialStep(Planets& system, std::int32_t timeStep, StepSettings settings = {});

// Cancels the velocity of the centre of mass, measured over one trial step;
// positions and histories return to where they were.
void RemoveDrift(Planets& system, std::int32_t timeStep, StepSettings settings = {});

}  // namespace kosmolux

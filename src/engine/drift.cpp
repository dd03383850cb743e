#include "engine/drift.h"

#include <cmath>

#include "engine/gravitystep.h"

namespace kosmolux {

void TrialStep(Planets& system, std::int32_t timeStep, StepSettings settings)
{
    for (Planet& body : system)
        body.AddToHistory();
    GravityStep step(settings);
    step.Accelerate(system, nullptr);
    // A body whose trial move would not be finite keeps its values; the run
    // that follows meets the same problem and reports it.
    for (Planet& body : system)
        GravityStep::Move(body, timeStep);
}

void RemoveDrift(Planets& system, std::int32_t timeStep, StepSettings settings)
{
    const Vector before = system.CentreOfMass();
    TrialStep(system, timeStep, settings);
    const Vector after = system.CentreOfMass();
    const Vector drift{(after.XComp - before.XComp) / timeStep,
                       (after.YComp - before.YComp) / timeStep,
                       (after.ZComp - before.ZComp) / timeStep};
    // A drift that is not finite (masses or positions beyond range), or one
    // that would push a velocity near the largest double past it, would spoil
    // velocities; they then keep the trial step's change only.
    bool finite = std::isfinite(drift.XComp) && std::isfinite(drift.YComp)
                  && std::isfinite(drift.ZComp);
    for (const Planet& body : system) {
        if (!finite)
            break;
        finite = std::isfinite(body.Velocity.XComp - drift.XComp)
                 && std::isfinite(body.Velocity.YComp - drift.YComp)
                 && std::isfinite(body.Velocity.ZComp - drift.ZComp);
    }
    for (Planet& body : system) {
        if (finite)
            body.Velocity.Subtract(drift);
        body.Position = body.LastHistory();
        body.RemoveFromHistory();
    }
}

}  // namespace kosmolux

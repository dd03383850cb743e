#include "engine/runloop.h"

#include "engine/collision.h"

namespace kosmolux {

RunLoop::RunLoop(Planets& system, RunObserver& observer, StepSettings settings)
    : system_(system), observer_(observer), gravity_(settings)
{
}

void RunLoop::Begin()
{
    elapsedSeconds_ = 0;
    plotCounter_ = 0;
    plotted_ = false;
}

bool RunLoop::Step(std::int32_t timeStep, std::int32_t plotInterval)
{
    allFinite_ = true;
    absorbedIds_.clear();
    gravity_.Accelerate(system_, this);

    plotted_ = plotCounter_ > plotInterval;
    const double t = timeStep;
    for (int position = 1; position <= system_.Count();) {
        Planet& body = system_.Item(position);
        if (!GravityStep::Move(body, t)) {
            observer_.BodyBecameNonFinite(body);
            allFinite_ = false;
        }
        if (plotted_) {
            observer_.PlotBody(body);
            body.AddToHistory();
        }
        // By position rather than by key: the same body, and it cannot miss.
        if (!absorbedIds_.empty() && absorbedIds_.contains(body.Id()))
            system_.Remove(position);
        else
            ++position;
    }

    elapsedSeconds_ += timeStep;
    if (plotCounter_ > plotInterval)
        plotCounter_ = 0;
    plotCounter_ += timeStep;
    return allFinite_;
}

void RunLoop::Touch(Planet& body, Planet& other)
{
    const MergeRoles roles = ChooseSurvivor(body, other);
    if (!Collide(body, other, observer_)) {
        allFinite_ = false;
        return;
    }
    // A body absorbed earlier in this pass that absorbs another stays.
    absorbedIds_.insert(roles.Absorbed.Id());
    absorbedIds_.erase(roles.Survivor.Id());
}

std::int64_t DayNumber(std::int64_t elapsedSeconds)
{
    constexpr std::int64_t day = 86400;
    if (elapsedSeconds < 0)
        return -DayNumber(-elapsedSeconds);
    const std::int64_t whole = elapsedSeconds / day;
    const std::int64_t rest = elapsedSeconds % day;
    if (2 * rest > day || (2 * rest == day && whole % 2 == 1))
        return whole + 1;
    return whole;
}

}  // namespace kosmolux

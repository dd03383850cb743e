#include "engine/runloop.h"

#include <algorithm>

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

bool RunLoop::Step(std::int32_t timeStep, std::int32_t plotInterval, StepMethod method)
{
    allFinite_ = true;
    absorbedIds_.clear();
    nonFinite_.clear();
    plotted_ = plotCounter_ > plotInterval;
    const double t = timeStep;
    if (method == StepMethod::Classic)
        StepClassic(t);
    else
        StepInStages(StagesOf(method), t);
    AdvanceClock(timeStep, plotInterval);
    return allFinite_;
}

void RunLoop::StepClassic(double timeStep)
{
    gravity_.Accelerate(system_, this);
    // Moved and plotted body by body: a centre body is seen where this step
    // put it only by the bodies after it.
    RecordBodies([this, timeStep](Planet& body) {
        if (!GravityStep::Move(body, timeStep))
            ReportNonFinite(body);
    });
}

void RunLoop::StepInStages(std::span<const Stage> stages, double timeStep)
{
    for (const Stage& stage : stages) {
        switch (stage.What) {
        case Stage::Kind::Drift:
            Drift(stage.Coefficient, timeStep);
            break;
        case Stage::Kind::ForcePass:
            gravity_.Accelerate(system_, this);
            break;
        case Stage::Kind::Kick:
            Kick(stage.Coefficient, timeStep);
            break;
        }
    }
    RecordBodies([](Planet&) {});
}

void RunLoop::Drift(double coefficient, double timeStep)
{
    const double h = coefficient * timeStep;
    for (Planet& body : system_)
        if (!GravityStep::Drift(body, h))
            ReportNonFinite(body);
}

void RunLoop::Kick(double coefficient, double timeStep)
{
    const double h = coefficient * timeStep;
    for (Planet& body : system_)
        if (!GravityStep::Kick(body, h))
            ReportNonFinite(body);
}

template <typename MoveFirst>
void RunLoop::RecordBodies(MoveFirst moveFirst)
{
    for (int position = 1; position <= system_.Count();) {
        Planet& body = system_.Item(position);
        moveFirst(body);
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
}

void RunLoop::AdvanceClock(std::int32_t timeStep, std::int32_t plotInterval)
{
    elapsedSeconds_ += timeStep;
    if (plotCounter_ > plotInterval)
        plotCounter_ = 0;
    plotCounter_ += timeStep;
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

void RunLoop::ReportNonFinite(const Planet& body)
{
    allFinite_ = false;
    if (std::ranges::find(nonFinite_, body.Id()) != nonFinite_.end())
        return;
    nonFinite_.push_back(body.Id());
    observer_.BodyBecameNonFinite(body);
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

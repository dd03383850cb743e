#pragma once

#include <cstdint>
#include <span>
#include <unordered_set>
#include <vector>

#include "engine/gravitystep.h"
#include "engine/runobserver.h"
#include "engine/stepmethod.h"
#include "model/planets.h"

namespace kosmolux {

// The window-free part of a run: the steps of the run loop with merges,
// plotted-step schedule, history recording and removal of absorbed bodies.
// The window's loop and the headless runner both drive it; they keep the
// stop and pause flags themselves.
class RunLoop : private ContactHandler {
public:
    // settings pins the kernel and thread count, for tests and benchmarks.
    RunLoop(Planets& system, RunObserver& observer, StepSettings settings = {});

    // Starts a run: elapsed seconds and the plot counter back to 0.
    void Begin();
    // One step of the run loop by the method given. Returns false when a move
    // or a merge would have made a body non-finite (the observer was told
    // which): the caller then ends the run.
    bool Step(std::int32_t timeStep, std::int32_t plotInterval,
              StepMethod method = StepMethod::Classic);

    // Simulated seconds since Begin(), not yet advanced for the step in progress.
    std::int64_t ElapsedSeconds() const { return elapsedSeconds_; }
    // Whether the step in progress (or the last one) is a plotted step.
    bool PlottedStep() const { return plotted_; }

private:
    // Classic: one force pass, then each body moved just before it is recorded.
    void StepClassic(double timeStep);
    // A method made of drifts, force passes and kicks; the bodies are recorded
    // after the last drift.
    void StepInStages(std::span<const Stage> stages, double timeStep);
    void Drift(double coefficient, double timeStep);
    void Kick(double coefficient, double timeStep);

    // The work done once per whole step, whatever the method: plotting,
    // history and the removal of absorbed bodies, body by body (moveFirst
    // runs on each body just before), then the clock and the plot schedule.
    template <typename MoveFirst>
    void RecordBodies(MoveFirst moveFirst);
    void AdvanceClock(std::int32_t timeStep, std::int32_t plotInterval);

    // A contact in a force pass merges the pair at once.
    void Touch(Planet& body, Planet& other) override;
    // Tells the observer once per step of a body that would become non-finite.
    void ReportNonFinite(const Planet& body);

    Planets& system_;
    RunObserver& observer_;
    GravityStep gravity_;
    std::int64_t elapsedSeconds_ = 0;
    std::int64_t plotCounter_ = 0;
    bool plotted_ = false;
    bool allFinite_ = true;  // no body of the step in progress became non-finite
    // The bodies absorbed in merges of the step in progress, removed at their
    // turn in pass 2: by this mark, so that a body the user named "*" stays.
    std::unordered_set<std::int32_t> absorbedIds_;
    std::vector<std::int32_t> nonFinite_;  // Ids reported during the step in progress
};

// The day shown at a plotted step: elapsed seconds / 86400, a half rounding
// to the even neighbour.
std::int64_t DayNumber(std::int64_t elapsedSeconds);

}  // namespace kosmolux

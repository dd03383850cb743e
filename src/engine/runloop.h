#pragma once

#include <cstdint>
#include <unordered_set>

#include "engine/gravitystep.h"
#include "engine/runobserver.h"
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
    // One step of the run loop. Returns false when a move or a merge would
    // have made a body non-finite (the observer was told which): the caller
    // then ends the run.
    bool Step(std::int32_t timeStep, std::int32_t plotInterval);

    // Simulated seconds since Begin(), not yet advanced for the step in progress.
    std::int64_t ElapsedSeconds() const { return elapsedSeconds_; }
    // Whether the step in progress (or the last one) is a plotted step.
    bool PlottedStep() const { return plotted_; }

private:
    // A contact in pass 1 merges the pair at once.
    void Touch(Planet& body, Planet& other) override;

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
};

// The day shown at a plotted step: elapsed seconds / 86400, a half rounding
// to the even neighbour.
std::int64_t DayNumber(std::int64_t elapsedSeconds);

}  // namespace kosmolux

#pragma once

#include <memory>
#include <vector>

#include "engine/pairarrays.h"
#include "engine/stepsettings.h"
#include "model/planet.h"
#include "model/planets.h"

namespace kosmolux {

class PairWorker;

// What pass 1 does when two bodies touch: body is the one being accelerated,
// other the one pulling on it. The handler may change both (a merge); the
// rest of the pass sees the change at once.
class ContactHandler {
public:
    virtual void Touch(Planet& body, Planet& other) = 0;

protected:
    ~ContactHandler() = default;
};

// The two passes of a step. Owns the scratch arrays of pass 1, sized once and
// grown only when the system grows, so that a step allocates nothing.
class GravityStep {
public:
    explicit GravityStep(StepSettings settings = {});
    ~GravityStep();
    GravityStep(const GravityStep&) = delete;
    GravityStep& operator=(const GravityStep&) = delete;

    // Pass 1: every body that is not locked gets as TotalAcceleration the sum,
    // in system order, of the pulls of all other bodies that are not
    // lightweight. A touching pair adds nothing; with a handler, the handler
    // is told of it at the moment the scalar pass meets it.
    void Accelerate(Planets& system, ContactHandler* onContact);

    // Pass 2 for one body: unless it is locked, moves it and clears its
    // acceleration. Returns false when the move would give the body a
    // non-finite position or velocity; the body then keeps its old ones.
    static bool Move(Planet& body, double timeStep);
    // The two halves of a move, for methods made of stages; h is the stage's
    // share of the time step in seconds. Unless the body is locked, a drift
    // advances its position by velocity × h, a kick its velocity by
    // acceleration × h and then clears the acceleration. Each returns false,
    // keeping the old value, when the new one would not be finite.
    static bool Drift(Planet& body, double h);
    static bool Kick(Planet& body, double h);

    // The kernel pass 1 runs (Fastest resolved to a real one).
    StepKernel Kernel() const { return kernel_; }
    // How many passes found a contact and ran again as the scalar pass.
    long ScalarFallbacks() const { return scalarFallbacks_; }

private:
    void AccelerateBodies(Planets& system, ContactHandler* onContact);
    void Gather(Planets& system);
    bool RunKernel();
    bool UseTwoThreads() const;
    void Scatter();

    StepKernel kernel_;
    PairKernel pairKernel_ = nullptr;
    int threads_;
    bool twoCores_;
    std::unique_ptr<PairWorker> worker_;  // started with the first step that wants it
    long scalarFallbacks_ = 0;
    PairArrays arrays_;
    std::vector<Planet*> targets_;  // the bodies behind the targets of arrays_
};

}  // namespace kosmolux

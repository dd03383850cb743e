#pragma once

#include <string>

#include "model/planet.h"

namespace kosmolux {

// How the engine tells its caller what happens during a run. The window
// implements it to show messages and draw; the headless runner to print.
class RunObserver {
public:
    virtual ~RunObserver() = default;

    // Two bodies touch and are about to merge: "X collided with S!". Called
    // before anything is changed; the merge follows when it returns.
    virtual void BodiesCollide(const std::string& message) = 0;
    // A plotted step: the body has moved (or was skipped as locked) and is about
    // to have its position recorded. Called for every body in system order.
    virtual void PlotBody(Planet& body) = 0;
    // A body's move would have given it a non-finite position or velocity, or
    // a merge a non-finite mass or velocity; it kept its last finite values
    // (the merge did not happen) and the run stops at the end of the step.
    virtual void BodyBecameNonFinite(const Planet& body) = 0;
};

}  // namespace kosmolux

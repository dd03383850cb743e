#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>

namespace kosmolux {

// The line on a terminal that tells how far a long run has come. It shows up
// once the run has lasted a second and is redrawn a few times a second.
class ProgressLine {
public:
    ProgressLine(std::ostream& out, std::int64_t totalSteps, std::int32_t timeStep);

    // Cheap enough for every step: the clock is read only now and then.
    void Update(std::int64_t stepsDone);
    // Takes the line away, if shown, so that other text starts on a clean line.
    void Clear();

private:
    using Clock = std::chrono::steady_clock;

    std::ostream& out_;
    std::int64_t totalSteps_;
    std::int32_t timeStep_;
    Clock::time_point started_ = Clock::now();
    Clock::time_point drawn_{};
    bool shown_ = false;
};

}  // namespace kosmolux

#include "app/run/progressline.h"

#include <string>

namespace kosmolux {

namespace {

constexpr std::int64_t StepsBetweenClockReadings = 1024;
constexpr auto QuietStart = std::chrono::seconds(1);
constexpr auto RedrawInterval = std::chrono::milliseconds(250);
// Carriage return, then erase to the end of the line.
constexpr const char* ClearLine = "\r\x1b[K";

}  // namespace

ProgressLine::ProgressLine(std::ostream& out, std::int64_t totalSteps, std::int32_t timeStep)
    : out_(out), totalSteps_(totalSteps), timeStep_(timeStep)
{
}

void ProgressLine::Update(std::int64_t stepsDone)
{
    if (stepsDone % StepsBetweenClockReadings != 0)
        return;
    const auto now = Clock::now();
    if (now - started_ < QuietStart || now - drawn_ < RedrawInterval)
        return;
    const std::int64_t percent = totalSteps_ > 0 ? stepsDone * 100 / totalSteps_ : 100;
    out_ << ClearLine << "day " << std::to_string(stepsDone * timeStep_ / 86400) << ", step "
         << std::to_string(stepsDone) << " of " << std::to_string(totalSteps_) << " (" << std::to_string(percent)
         << "%)" << std::flush;
    drawn_ = now;
    shown_ = true;
}

void ProgressLine::Clear()
{
    if (!shown_)
        return;
    out_ << ClearLine << std::flush;
    shown_ = false;
}

}  // namespace kosmolux

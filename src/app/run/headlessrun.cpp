#include "app/run/headlessrun.h"

#include <utility>

#include "engine/drift.h"
#include "engine/runsettings.h"

namespace kosmolux {

HeadlessRun::HeadlessRun(Planets& system, MessageSink messages, CsvWriter* table, EnergyTable* energy)
    : system_(system), messages_(std::move(messages)), table_(table), energy_(energy), loop_(system, *this)
{
}

bool HeadlessRun::Run(int speedLevel, int plotLevel, std::int64_t steps, const StepListener& afterStep,
                      StepMethod method)
{
    const std::int32_t timeStep = SpeedFor(speedLevel).TimeStep;
    const std::int32_t plotInterval = PlotFrequencyFor(plotLevel).PlotInterval;
    RemoveDrift(system_, timeStep);
    loop_.Begin();
    step_ = 0;
    stepStartSeconds_ = 0;
    // Measured only when asked for: it costs as much as a step.
    const Conserved start = energy_ ? Measure(system_) : Conserved{};
    bool finite = true;
    while (finite && step_ < steps) {
        ++step_;
        stepStartSeconds_ = loop_.ElapsedSeconds();
        finite = loop_.Step(timeStep, plotInterval, method);
        if (energy_ && loop_.PlottedStep())
            energy_->WriteRow(step_, stepStartSeconds_, DayNumber(stepStartSeconds_), Measure(system_), start);
        if (afterStep)
            afterStep(step_);
    }
    // A plotted last step has written these very rows already.
    if (!loop_.PlottedStep()) {
        for (const Planet& body : system_)
            WriteRow(body);
    }
    return finite;
}

void HeadlessRun::BodiesCollide(const std::string& message) { messages_(message); }

void HeadlessRun::PlotBody(Planet& body) { WriteRow(body); }

void HeadlessRun::BodyBecameNonFinite(const Planet& body)
{
    messages_("Step " + std::to_string(step_) + ": the position or velocity of " + body.PlanetName
              + " is no longer a finite number; the run stops.");
}

void HeadlessRun::WriteRow(const Planet& body)
{
    if (table_)
        table_->WriteRow(step_, stepStartSeconds_, DayNumber(stepStartSeconds_), body);
}

}  // namespace kosmolux

#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/run/csvwriter.h"
#include "app/run/energytable.h"
#include "engine/runloop.h"
#include "engine/runobserver.h"
#include "engine/stepmethod.h"
#include "model/planets.h"

namespace kosmolux {

// What the Start button does with a loaded system, without a window: the
// drift removed, then steps of the run loop. Merges and a body that turns
// non-finite are told as message lines; with a table, every body is written
// at every plotted step and after the last step, once when that step is plotted;
// with an energy table, what is conserved at every plotted step.
class HeadlessRun : private RunObserver {
public:
    using MessageSink = std::function<void(const std::string& line)>;
    // Called after every step with the number of steps made so far.
    using StepListener = std::function<void(std::int64_t stepsDone)>;

    // table and energy may be null: no rows are written.
    HeadlessRun(Planets& system, MessageSink messages, CsvWriter* table = nullptr,
                EnergyTable* energy = nullptr);

    // RemoveDrift at the run's time step (its trial step is not counted), then
    // up to steps steps by the method given. Returns false when a body became
    // non-finite: the run then ended after that step.
    bool Run(int speedLevel, int plotLevel, std::int64_t steps, const StepListener& afterStep = {},
             StepMethod method = StepMethod::Classic);

    std::int64_t StepsDone() const { return step_; }
    // Whether the last step made was a plotted step.
    bool LastStepPlotted() const { return loop_.PlottedStep(); }

private:
    void BodiesCollide(const std::string& message) override;
    void PlotBody(Planet& body) override;
    void BodyBecameNonFinite(const Planet& body) override;

    void WriteRow(const Planet& body);

    Planets& system_;
    MessageSink messages_;
    CsvWriter* table_;
    EnergyTable* energy_;
    RunLoop loop_;
    std::int64_t step_ = 0;              // the step in progress, or the last one, counted from 1
    std::int64_t stepStartSeconds_ = 0;  // elapsed seconds at the start of that step
};

}  // namespace kosmolux

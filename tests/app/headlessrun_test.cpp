#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/run/csvwriter.h"
#include "app/run/headlessrun.h"
#include "engine/calculations.h"
#include "model/identitycounter.h"
#include "model/planets.h"

namespace kosmolux {
namespace {

// Two bodies a million kilometres apart drift away from each other at 1 m/s;
// their pull is too weak to change a single bit, so every row is exact.
TEST(HeadlessRun, RowsAtThePlottedStepsAndAfterTheLast)
{
    IdentityCounter ids;
    Planets system(ids);
    system.Add("West", 1.0, 1.0, -1e9, 0.0, 0.0, -1.0, 0.0, 0.0);
    system.Add("East", 1.0, 1.0, 1e9, 0.0, 0.0, 1.0, 0.0, 0.0);
    std::vector<std::string> messages;
    std::ostringstream rows;
    CsvWriter table(rows);
    std::ostringstream energyRows;
    EnergyTable energy(energyRows);
    std::vector<std::int64_t> plottedSteps;
    HeadlessRun run(system, [&](const std::string& line) { messages.push_back(line); }, &table, &energy);
    EXPECT_TRUE(run.Run(7, 3, 340, [&](std::int64_t stepsDone) {
        if (run.LastStepPlotted())
            plottedSteps.push_back(stepsDone);
    }));

    EXPECT_EQ(run.StepsDone(), 340);
    EXPECT_EQ(plottedSteps, (std::vector<std::int64_t>{170, 339}));
    EXPECT_TRUE(messages.empty());
    // A plotted row holds the body after its move, with the time the window's
    // labels show: the start of the step (169 * 128 s), rounded to whole days.
    EXPECT_EQ(rows.str(),
              "170,21632,0,West,-1000021760,0,0,-1,0,0\n"
              "170,21632,0,East,1000021760,0,0,1,0,0\n"
              "339,43264,1,West,-1000043392,0,0,-1,0,0\n"
              "339,43264,1,East,1000043392,0,0,1,0,0\n"
              "340,43392,1,West,-1000043520,0,0,-1,0,0\n"
              "340,43392,1,East,1000043520,0,0,1,0,0\n");
    // Kinetic energy 2 × ½ × 1 × 1 J, the pull's energy G / r far below what
    // the total can show, no angular momentum on a line through the centre.
    EXPECT_EQ(energyRows.str(), "170,21632,0,1," + CsvNumber(-(G * 1.0 * 1.0 / 2000043520.0)) + ",1,0,0\n"
                                "339,43264,1,1," + CsvNumber(-(G * 1.0 * 1.0 / 2000086784.0)) + ",1,0,0\n");
}

}  // namespace
}  // namespace kosmolux

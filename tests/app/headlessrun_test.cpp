#include <clocale>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <QLocale>

#include <gtest/gtest.h>

#include "app/run/csvwriter.h"
#include "app/run/headlessrun.h"
#include "engine/calculations.h"
#include "model/identitycounter.h"
#include "model/planets.h"
#include "support/localeguard.h"

namespace kosmolux {
namespace {

// Two bodies a million kilometres apart drift away from each other at 1 m/s;
// their pull is too weak to change a single bit, so every row is exact. Rows
// are written at the plotted steps and after the last step, once.
TEST(HeadlessRun, RowsAtThePlottedStepsAndAfterTheLast)
{
    // A plotted row holds the body after its move, with the time the window's
    // labels show: the start of the step (169 * 128 s), rounded to whole days.
    const std::string plotted = "170,21632,0,West,-1000021760,0,0,-1,0,0\n"
                                "170,21632,0,East,1000021760,0,0,1,0,0\n"
                                "339,43264,1,West,-1000043392,0,0,-1,0,0\n"
                                "339,43264,1,East,1000043392,0,0,1,0,0\n";
    const std::pair<int, std::string> runs[] = {
        {340, "340,43392,1,West,-1000043520,0,0,-1,0,0\n340,43392,1,East,1000043520,0,0,1,0,0\n"}, {339, ""}};
    for (const auto& [steps, afterTheLast] : runs) {
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
        EXPECT_TRUE(run.Run(7, 3, steps, [&](std::int64_t stepsDone) {
            if (run.LastStepPlotted())
                plottedSteps.push_back(stepsDone);
        }));

        EXPECT_EQ(run.StepsDone(), steps);
        EXPECT_EQ(plottedSteps, (std::vector<std::int64_t>{170, 339}));
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(rows.str(), plotted + afterTheLast) << steps;
        // Kinetic energy 2 × ½ × 1 × 1 J, the pull's energy G / r far below what
        // the total can show, no angular momentum on a line through the centre.
        EXPECT_EQ(energyRows.str(), "170,21632,0,1," + CsvNumber(-(G * 1.0 * 1.0 / 2000043520.0)) + ",1,0,0\n"
                                    "339,43264,1,1," + CsvNumber(-(G * 1.0 * 1.0 / 2000086784.0)) + ",1,0,0\n");
    }
}

// Neither Qt's default locale nor, where it is installed, the C library's may
// put a decimal comma or a group separator into the table.
TEST(CsvWriter, RowsHoldExactDoublesAndQuoteNamesOnlyWhenTheyMust)
{
    Planet body(0);
    body.PlanetName = "Ship, \"Mk 2\"";
    body.Position.SetComponents(1234567.5, -0.1, 0.0);
    body.Velocity.SetComponents(29780.25, 1e-20, -1.5e21);
    std::ostringstream out;
    {
        const LocaleGuard german(QLocale(QLocale::German, QLocale::Germany));
        const std::string cLocale = std::setlocale(LC_ALL, nullptr);
        std::setlocale(LC_ALL, "de_DE.UTF-8");
        CsvWriter table(out);
        table.WriteHeader();
        table.WriteRow(1234567, 158020608, 1829, body);
        std::setlocale(LC_ALL, cLocale.c_str());
    }
    EXPECT_EQ(out.str(),
              "step,seconds,day,name,x,y,z,vx,vy,vz\n"
              "1234567,158020608,1829,\"Ship, \"\"Mk 2\"\"\",1234567.5,-0.10000000000000001,0,29780.25,"
              "9.9999999999999995e-21,-1.5e+21\n");
    EXPECT_EQ(CsvField("Earth & Moon"), "Earth & Moon");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
}

}  // namespace
}  // namespace kosmolux

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/run/csvwriter.h"
#include "app/run/headlessrun.h"
#include "model/identitycounter.h"
#include "model/planets.h"

namespace kosmolux {
namespace {

// "step name" of a table row whose name holds no comma.
std::string StepAndName(const std::string& row)
{
    std::vector<std::string> fields;
    std::istringstream cells(row);
    for (std::string field; std::getline(cells, field, ',');)
        fields.push_back(field);
    return fields.at(0) + " " + fields.at(3);
}

class HeadlessRunTest : public ::testing::Test {
protected:
    Planet& Add(const std::string& name, double mass, double diameter, double x, double vx)
    {
        return system.Add(name, mass, diameter, x, 0.0, 0.0, vx, 0.0, 0.0);
    }

    HeadlessRun::MessageSink Collect()
    {
        return [this](const std::string& line) { messages.push_back(line); };
    }

    IdentityCounter ids;
    Planets system{ids};
    std::vector<std::string> messages;
    std::ostringstream rows;
    CsvWriter table{rows};
};

// Two bodies a million kilometres apart drift away from each other at 1 m/s;
// their pull is too weak to change a single bit, so every row is exact.
TEST_F(HeadlessRunTest, RowsAtThePlottedStepsAndAfterTheLast)
{
    Add("West", 1.0, 1.0, -1e9, -1.0);
    Add("East", 1.0, 1.0, 1e9, 1.0);
    std::vector<std::int64_t> plottedSteps;
    HeadlessRun run(system, Collect(), &table);
    const bool finite = run.Run(7, 3, 340, [&](std::int64_t stepsDone) {
        if (run.LastStepPlotted())
            plottedSteps.push_back(stepsDone);
    });

    EXPECT_TRUE(finite);
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
}

TEST_F(HeadlessRunTest, AMergeIsToldAndTheAbsorbedBodyHasItsLastRow)
{
    // After the drift is removed the two close in at 0.05 m/s; at 1024 s per
    // step they touch in step 2, the first plotted step at a 900 s interval.
    Add("A", 1.0, 100.0, 0.0, 0.0);
    Add("B", 1.0, 100.0, 150.0, -0.05);
    HeadlessRun run(system, Collect(), &table);
    EXPECT_TRUE(run.Run(10, 0, 2));

    EXPECT_EQ(messages, std::vector<std::string>{"B collided with A!"});
    ASSERT_EQ(system.Count(), 1);
    EXPECT_EQ(system.Item(1).PlanetName, "A & B");
    std::vector<std::string> stepsAndNames;
    std::istringstream lines(rows.str());
    for (std::string line; std::getline(lines, line);)
        stepsAndNames.push_back(StepAndName(line));
    EXPECT_EQ(stepsAndNames, (std::vector<std::string>{"2 A & B", "2 *", "2 A & B"}));
}

TEST_F(HeadlessRunTest, ABodyThatCannotBeComputedEndsTheRun)
{
    Add("Anchor", 1.0, 1.0, 0.0, 0.0);
    Add("Runaway", 1.0, 1.0, 1.7e308, 1e306);
    HeadlessRun run(system, Collect(), &table);
    EXPECT_FALSE(run.Run(7, 3, 100));

    EXPECT_EQ(run.StepsDone(), 1);
    EXPECT_EQ(messages, std::vector<std::string>{
                            "Step 1: the position or velocity of Runaway is no longer a finite number; the run stops."});
    EXPECT_EQ(system.Item(2).Position.XComp, 1.7e308);
    EXPECT_NE(rows.str().find("1,0,0,Runaway,1.6999999999999999e+308,0,0,1e+306,0,0\n"), std::string::npos) << rows.str();
}

}  // namespace
}  // namespace kosmolux

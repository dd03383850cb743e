#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/run/runoptions.h"

namespace kosmolux {
namespace {

using Action = ParsedCommandLine::Action;

TEST(RunOptions, DefaultsEveryOptionInBothSpellingsAndDaysAsSteps)
{
    EXPECT_EQ(StepCount(ParseRunOptions({"Solar.kmx"}).Options), 246375);  // 365 days of 128-second steps

    const ParsedCommandLine parsed = ParseRunOptions(
        {"--steps", "500", "--speed=9", "--plot", "5", "--csv=rows.csv", "-o", "out.kmx", "--quiet", "in.kmx"});
    ASSERT_EQ(parsed.Outcome, Action::Run) << parsed.Error;
    const RunOptions& options = parsed.Options;
    EXPECT_EQ(options.Steps, 500);
    EXPECT_EQ(options.SpeedLevel, 9);
    EXPECT_EQ(options.PlotLevel, 5);
    EXPECT_EQ(options.CsvFile, "rows.csv");
    EXPECT_EQ(options.OutputFile, "out.kmx");
    EXPECT_TRUE(options.Quiet);
    EXPECT_EQ(options.InputFile, "in.kmx");
    EXPECT_EQ(StepCount(options), 500);
    EXPECT_EQ(ParseRunOptions({"--output", "a.kmx", "in.kmx"}).Options.OutputFile, "a.kmx");
    // After "--" a name may start with a dash.
    EXPECT_EQ(ParseRunOptions({"--", "-odd.kmx"}).Options.InputFile, "-odd.kmx");

    // Days become enough steps for them to pass.
    const auto steps = [](std::vector<std::string> arguments) {
        arguments.push_back("in.kmx");
        return StepCount(ParseRunOptions(arguments).Options);
    };
    EXPECT_EQ(steps({"--days", "1"}), 675);                 // 86400 / 128
    EXPECT_EQ(steps({"--days", "0.5"}), 338);               // 337.5 steps: the day is over only after 338
    EXPECT_EQ(steps({"--days", "1", "--speed", "15"}), 3);  // 2.6 steps of 32768 s
}

TEST(RunOptions, HelpVersionAndMistakesDecideWhereverTheyStand)
{
    EXPECT_EQ(ParseRunOptions({"-h"}).Outcome, Action::Help);
    EXPECT_EQ(ParseRunOptions({"in.kmx", "--speed", "3", "--help"}).Outcome, Action::Help);
    EXPECT_EQ(ParseRunOptions({"--version", "--bogus"}).Outcome, Action::Version);

    const std::vector<std::pair<std::vector<std::string>, std::string>> mistakes = {
        {{"--bogus", "--help"}, "unknown option '--bogus'"},
        {{"in.kmx", "--steps"}, "option '--steps' needs a value"},
        {{"--quiet=yes", "in.kmx"}, "option '--quiet' takes no value"},
        {{"--steps", "-5", "in.kmx"}, "--steps takes a whole number"},
        {{"--steps", "1.5", "in.kmx"}, "not '1.5'"},
        {{"--steps", "1000000000001", "in.kmx"}, "--steps takes a whole number from 0 to 1000000000000"},
        {{"--days", "-1", "in.kmx"}, "--days takes a number of simulated days, 0 or more, not '-1'"},
        {{"--days", "nan", "in.kmx"}, "not 'nan'"},
        {{"--days", "1,5", "in.kmx"}, "not '1,5'"},
        {{"--days", "1e12", "in.kmx"}, "--days asks for more than 1000000000000 steps at speed level 7"},
        {{"--speed", "16", "in.kmx"}, "--speed takes a level from 0 to 15, not '16'"},
        {{"--csv=", "in.kmx"}, "--csv needs a file name"},
        {{"--method", "euler", "in.kmx"}, "--method takes classic, leapfrog or yoshida, not 'euler'"},
        {{"--steps", "5", "--days", "1", "in.kmx"}, "--steps and --days cannot be given together"},
        {{"--speed", "3"}, "no INPUT file given"},
        {{"a.kmx", "b.kmx"}, "more than one INPUT file: 'a.kmx' and 'b.kmx'"},
    };
    for (const auto& [arguments, error] : mistakes) {
        const ParsedCommandLine parsed = ParseRunOptions(arguments);
        EXPECT_EQ(parsed.Outcome, Action::UsageError) << error;
        EXPECT_NE(parsed.Error.find(error), std::string::npos) << parsed.Error;
    }
}

}  // namespace
}  // namespace kosmolux

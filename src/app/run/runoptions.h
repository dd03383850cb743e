#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/runsettings.h"
#include "engine/stepmethod.h"

namespace kosmolux {

// How long a run lasts when the command line names neither steps nor days.
inline constexpr double DefaultRunDays = 365.0;
// The longest run accepted, in steps: keeps the elapsed seconds far from overflow.
inline constexpr std::int64_t MaxRunSteps = 1'000'000'000'000;

// What kosmolux-run was asked to do.
struct RunOptions {
    std::optional<std::int64_t> Steps;  // --steps N
    std::optional<double> Days;         // --days D, simulated days
    int SpeedLevel = DefaultSpeedLevel;  // --speed, 0 to 15
    int PlotLevel = DefaultPlotLevel;    // --plot, 0 to 7
    std::optional<StepMethod> Method;  // --method; none: the file's method
    std::string CsvFile;     // --csv; empty: no table
    std::string EnergyFile;  // --energy; empty: no table of what is conserved
    std::string OutputFile;  // -o; empty: the system file text goes to standard output
    bool Quiet = false;      // --quiet: no progress line
    std::string InputFile;
};

struct ParsedCommandLine {
    enum class Action { Run, Help, Version, UsageError };
    Action Outcome = Action::Run;
    RunOptions Options;  // for Run
    std::string Error;   // for UsageError: what is wrong, in one line
};

// Reads the arguments that follow the program name. The first of --help,
// --version or a mistake decides the outcome; otherwise it is a run.
ParsedCommandLine ParseRunOptions(const std::vector<std::string>& arguments);

// The number of steps a run makes: --steps as given, or as many steps as it
// takes for the days to pass at the run's speed.
std::int64_t StepCount(const RunOptions& options);

// The one-line synopsis, and the full --help text (which starts with it).
std::string UsageLine();
std::string HelpText();

}  // namespace kosmolux

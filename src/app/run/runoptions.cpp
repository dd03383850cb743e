#include "app/run/runoptions.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace kosmolux {

namespace {

constexpr double SecondsPerDay = 86400.0;

// Whole text as a number, with std::from_chars: the same in every locale.
template <typename Number>
std::optional<Number> ParseNumber(const std::string& text)
{
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

double StepsForDays(double days, int speedLevel)
{
    return std::ceil(days * SecondsPerDay / SpeedFor(speedLevel).TimeStep);
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    ParsedCommandLine Parse()
    {
        bool optionsEnded = false;
        for (next_ = 0; next_ < arguments_.size() && !Decided();) {
            const std::string argument = arguments_[next_++];
            if (!optionsEnded && argument == "--")
                optionsEnded = true;
            else if (!optionsEnded && argument.size() > 1 && argument[0] == '-')
                Option(argument);
            else
                Input(argument);
        }
        if (!Decided())
            CheckComplete();
        return result_;
    }

private:
    bool Decided() const { return result_.Outcome != ParsedCommandLine::Action::Run; }

    void Fail(const std::string& error)
    {
        result_.Outcome = ParsedCommandLine::Action::UsageError;
        result_.Error = error;
    }

    void Option(const std::string& argument)
    {
        std::string name = argument;
        std::optional<std::string> attached;
        if (const auto equals = argument.find('='); argument.starts_with("--") && equals != std::string::npos) {
            name = argument.substr(0, equals);
            attached = argument.substr(equals + 1);
        }
        RunOptions& options = result_.Options;
        if (name == "--help" || name == "-h" || name == "--version" || name == "--quiet") {
            if (attached)
                return Fail("option " + Quoted(name) + " takes no value");
            if (name == "--quiet")
                options.Quiet = true;
            else
                result_.Outcome = name == "--version" ? ParsedCommandLine::Action::Version
                                                      : ParsedCommandLine::Action::Help;
            return;
        }
        if (name != "--steps" && name != "--days" && name != "--speed" && name != "--plot" && name != "--method"
            && name != "--csv" && name != "--energy" && name != "-o" && name != "--output")
            return Fail("unknown option " + Quoted(argument));
        if (!attached && next_ == arguments_.size())
            return Fail("option " + Quoted(name) + " needs a value");
        const std::string value = attached ? *attached : arguments_[next_++];

        if (name == "--steps") {
            const auto steps = ParseNumber<std::int64_t>(value);
            if (!steps || *steps < 0 || *steps > MaxRunSteps)
                return Fail("--steps takes a whole number from 0 to " + std::to_string(MaxRunSteps) + ", not "
                            + Quoted(value));
            options.Steps = steps;
        } else if (name == "--days") {
            const auto days = ParseNumber<double>(value);
            if (!days || !std::isfinite(*days) || *days < 0.0)
                return Fail("--days takes a number of simulated days, 0 or more, not " + Quoted(value));
            options.Days = days;
        } else if (name == "--speed" || name == "--plot") {
            const int highest = name == "--speed" ? MaxSpeedLevel : MaxPlotLevel;
            const auto level = ParseNumber<int>(value);
            if (!level || *level < 0 || *level > highest)
                return Fail(name + " takes a level from 0 to " + std::to_string(highest) + ", not " + Quoted(value));
            (name == "--speed" ? options.SpeedLevel : options.PlotLevel) = *level;
        } else if (name == "--method") {
            options.Method = MethodNamed(value);
            if (!options.Method)
                return Fail("--method takes classic, leapfrog or yoshida, not " + Quoted(value));
        } else {
            if (value.empty())
                return Fail(name + " needs a file name");
            (name == "--csv" ? options.CsvFile : name == "--energy" ? options.EnergyFile : options.OutputFile) = value;
        }
    }

    void Input(const std::string& argument)
    {
        if (!result_.Options.InputFile.empty())
            return Fail("more than one INPUT file: " + Quoted(result_.Options.InputFile) + " and " + Quoted(argument));
        if (argument.empty())
            return Fail("the INPUT file name is empty");
        result_.Options.InputFile = argument;
    }

    void CheckComplete()
    {
        const RunOptions& options = result_.Options;
        if (options.Steps && options.Days)
            return Fail("--steps and --days cannot be given together");
        if (options.Days && StepsForDays(*options.Days, options.SpeedLevel) > static_cast<double>(MaxRunSteps))
            return Fail("--days asks for more than " + std::to_string(MaxRunSteps) + " steps at speed level "
                        + std::to_string(options.SpeedLevel));
        if (options.InputFile.empty())
            return Fail("no INPUT file given");
    }

    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
    ParsedCommandLine result_;
};

}  // namespace

ParsedCommandLine ParseRunOptions(const std::vector<std::string>& arguments)
{
    return Parser(arguments).Parse();
}

std::int64_t StepCount(const RunOptions& options)
{
    if (options.Steps)
        return *options.Steps;
    return static_cast<std::int64_t>(StepsForDays(options.Days.value_or(DefaultRunDays), options.SpeedLevel));
}

std::string UsageLine()
{
    return "Usage: kosmolux-run [--steps N | --days D] [--speed L] [--plot L] [--method M] [--csv FILE]\n"
           "                    [--energy FILE] [-o OUTPUT.kmx] [--quiet] INPUT.kmx";
}

std::string HelpText()
{
    return UsageLine() + "\n"
        "Runs a Kosmolux system file without a window, as the Start button would,\n"
        "and saves the system as the run leaves it.\n"
        "\n"
        "  --steps N        make N steps of the run loop\n"
        "  --days D         run until D simulated days have passed (default 365)\n"
        "  --speed L        speed level 0 to 15: steps of 2^L seconds (default 7, 128 s)\n"
        "  --plot L         plot frequency 0 to 7 (default 3, every quarter day);\n"
        "                   decides when trails are recorded and CSV rows written\n"
        "  --method M       how a step is made: classic, leapfrog or yoshida\n"
        "                   (default: the method saved in INPUT.kmx, else classic)\n"
        "  --csv FILE       write every body at every plotted step, and after the\n"
        "                   last step, to FILE: step,seconds,day,name,x,y,z,vx,vy,vz;\n"
        "                   seconds and day are the time at the start of the step,\n"
        "                   as the window's day label shows it\n"
        "  --energy FILE    write what is conserved at every plotted step to FILE:\n"
        "                   step,seconds,day,kinetic,potential,total,relative_change,\n"
        "                   angular_momentum; relative_change is the change of the\n"
        "                   total energy since the run began, over its size then\n"
        "  -o, --output OUTPUT.kmx\n"
        "                   save the system to OUTPUT.kmx (default: print it)\n"
        "  --quiet          show no progress line\n"
        "  -h, --help       show this help and exit\n"
        "  --version        show the version and exit\n"
        "\n"
        "Merges are reported on standard error as \"X collided with S!\".\n"
        "Exit status: 0 done; 1 a file could not be read or written, or holds no\n"
        "bodies; 2 wrong command line; 3 a body's motion became non-finite (the\n"
        "system is still saved as it stood at the end of that step).\n";
}

}  // namespace kosmolux

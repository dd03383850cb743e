#include <csignal>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/run/runcommand.h"
#include "app/run/runoptions.h"
#include "kosmolux_version.h"
#include "storage/filebytes.h"

namespace kosmolux {
namespace {

const std::string Examples = KOSMOLUX_EXAMPLES_DIR;

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

class RunCommandTest : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& arguments)
    {
        out.str({});
        err.str({});
        return RunCommand(arguments, Console{out, err});
    }

    std::string InFolder(const char* name) const { return (folder.path() + "/" + name).toStdString(); }

    static QByteArray Contents(const std::string& path) { return ReadBytes(QString::fromStdString(path)); }
    static void Write(const std::string& path, const QByteArray& contents)
    {
        ASSERT_TRUE(WriteBytes(QString::fromStdString(path), contents));
    }

    QTemporaryDir folder;
    std::ostringstream out;
    std::ostringstream err;
};

// What each run says on standard error, and its exit status. Files that
// cannot be used are refused before the run, not after a long one.
TEST_F(RunCommandTest, EachRunTellsWhatHappenedAndEndsWithItsStatus)
{
    const std::string missing = InFolder("missing.kmx");
    const std::string empty = InFolder("empty.kmx");
    Write(empty, "[General]\r\nStartDate=1/1/2000\r\n");
    const std::string nowhere = InFolder("no/such/folder/out");
    const std::string folderName = folder.path().toStdString();
    const std::string earthMoon = Examples + "/EarthMoon.kmx";
    const std::string pipe = InFolder("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // Held open, so that a program that opens the pipe fails instead of waiting for a writer.
    const int pipeHeld = ::open(pipe.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(pipeHeld, 0);
    const std::string misread = InFolder("misread.kmx");
    Write(misread, "[System]\r\n1=Mercury\r\n[General]\r\nTotalBodies=1\r\n[Mercury]\r\nMass=3.30E+23kg\r\n");
    const std::string runaway = InFolder("runaway.kmx");
    Write(runaway, "[System]\r\n1=Runaway\r\n[General]\r\nTotalBodies=1\r\nStartDate=1/1/2000\r\n"
                   "[Runaway]\r\nMass=1.0E+0\r\nX=1.7E+308\r\nVX=1.0E+306\r\n");
    const std::string copy = InFolder("copy.kmx");
    const std::string merged = InFolder("merged.kmx");
    const std::string stopped = InFolder("stopped.kmx");
    const struct {
        std::vector<std::string> arguments;
        std::string error;
        int status = ExitFileProblem;
    } cases[] = {
        {{"--days=6", "-o", merged, Examples + "/Collision.kmx"}, "Moon collided with Earth!\n", ExitDone},
        // A body that can no longer be computed ends the run, and the system is still saved.
        {{"-o", stopped, runaway}, "Step 1: the position or velocity of Runaway is no longer a finite number; "
                                   "the run stops.\n", ExitNonFinite},
        {{"--frobnicate", earthMoon}, "kosmolux-run: unknown option '--frobnicate'\nUsage: ", ExitUsage},
        {{missing}, "kosmolux-run: cannot read " + missing + ": No such file or directory\n"},
        {{folderName}, "kosmolux-run: cannot read " + folderName + ": it is a folder\n"},
        {{pipe}, "kosmolux-run: cannot read " + pipe + ": it is not a regular file\n"},
        {{empty}, "kosmolux-run: " + empty + " holds no bodies"},
        {{misread}, "LoadSystem: These values could not be read and were taken as if they were missing:\n"
                    "[Mercury] Mass=3.30E+23kg\nkosmolux-run: cannot load " + misread + "\n"},
        {{"-o", nowhere, earthMoon}, "kosmolux-run: cannot write " + nowhere + ": the folder "},
        {{"-o", pipe, earthMoon}, "kosmolux-run: cannot write " + pipe + ": it is not a regular file\n"},
        {{"--csv", nowhere, earthMoon}, "kosmolux-run: cannot write " + nowhere + ": No such file or directory\n"},
        // Neither the table nor the saved system may overwrite the input or each other.
        {{"--csv", empty, empty}, "kosmolux-run: the input and --csv name the same file", ExitUsage},
        {{"-o", folderName + "/./empty.kmx", empty}, "kosmolux-run: the input and -o name the same file", ExitUsage},
        {{"--csv", copy, "-o", copy, earthMoon}, "kosmolux-run: --csv and -o name the same file", ExitUsage},
    };
    for (const auto& [arguments, error, status] : cases) {
        EXPECT_EQ(Run(arguments), status) << error;
        EXPECT_TRUE(err.str().starts_with(error)) << err.str();
        EXPECT_TRUE(out.str().empty()) << error;
    }
    ::close(pipeHeld);
    EXPECT_TRUE(Contents(merged).startsWith(
        "[System]\r\n1=Earth & Moon\r\n[General]\r\nTotalBodies=1\r\nStartDate=1/1/2000\r\n"));
    EXPECT_TRUE(Contents(stopped).contains("\r\nX=1.7E+308\r\n"));
    EXPECT_EQ(Contents(empty), "[General]\r\nStartDate=1/1/2000\r\n");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(copy)));

    EXPECT_EQ(Run({"--version"}), ExitDone);
    EXPECT_EQ(out.str(), std::string("kosmolux-run (Kosmolux) ") + VersionText + "\n");
}

TEST_F(RunCommandTest, TheMethodComesFromTheFileUnlessGivenAndTheTablesAreWritten)
{
    const std::string after = InFolder("after.kmx");
    const std::string rows = InFolder("rows.csv");
    const std::string energy = InFolder("energy.csv");
    ASSERT_EQ(Run({"--steps", "170", "--method", "leapfrog", "--csv", rows, "--energy", energy, "-o", after,
                   Examples + "/EarthMoon.kmx"}),
              ExitDone) << err.str();
    EXPECT_TRUE(Contents(after).contains("\r\nStartDate=1/1/2000\r\nMethod=Leapfrog\r\n[Earth]"));
    // Step 170 is the first plotted step and the last: its rows are written once.
    EXPECT_TRUE(Contents(rows).startsWith("step,seconds,day,name,x,y,z,vx,vy,vz\n170,21632,0,Earth,"));
    EXPECT_EQ(Contents(rows).count('\n'), 3);
    EXPECT_TRUE(Contents(energy).startsWith(
        "step,seconds,day,kinetic,potential,total,relative_change,angular_momentum\n170,21632,0,"));
    EXPECT_EQ(Contents(energy).count('\n'), 2);

    ASSERT_EQ(Run({"--steps", "10", after}), ExitDone) << err.str();
    EXPECT_TRUE(out.str().starts_with("[System]\r\n1=Earth\r\n"));
    EXPECT_NE(out.str().find("Method=Leapfrog"), std::string::npos);
    ASSERT_EQ(Run({"--steps", "10", "--method=Classic", after}), ExitDone) << err.str();
    EXPECT_EQ(out.str().find("Method"), std::string::npos);
}

// The program itself, under a file-size limit too small for its output, with
// the signal at its default: the save fails with a message, the old file
// stays and no temporary file is left.
TEST_F(RunCommandTest, AFileSizeLimitFailsTheSaveWithoutEndingTheProgram)
{
    const QString output = folder.filePath("out.kmx");
    Write(output.toStdString(), "old");
    QProcess program;
    program.setChildProcessModifier([] {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    program.start(QStringLiteral(KOSMOLUX_RUN_PROGRAM),
                  {"--steps=1", "-o", output, QString::fromStdString(Examples + "/Solar.kmx")});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), ExitFileProblem);
    EXPECT_TRUE(program.readAllStandardError().startsWith("SaveSystem: File too large: 27\n"));
    EXPECT_EQ(Contents(output.toStdString()), "old");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.kmx"});
}

}  // namespace
}  // namespace kosmolux

#include <sstream>
#include <string>
#include <vector>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/run/runcommand.h"
#include "kosmolux_version.h"

namespace kosmolux {
namespace {

const std::string Examples = KOSMOLUX_EXAMPLES_DIR;

class RunCommandTest : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& arguments)
    {
        out.str({});
        err.str({});
        return RunCommand(arguments, Console{out, err});
    }

    std::string InFolder(const char* name) const { return (folder.path() + "/" + name).toStdString(); }

    static QByteArray Contents(const std::string& path)
    {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void Write(const std::string& path, const QByteArray& contents)
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    QTemporaryDir folder;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(RunCommandTest, CollisionIsToldAndSavedWithOneBodyFewer)
{
    const std::string output = InFolder("after.kmx");
    const std::string table = InFolder("rows.csv");
    ASSERT_EQ(Run({"--days", "10", "--csv", table, "-o", output, Examples + "/Collision.kmx"}), ExitDone);

    EXPECT_EQ(err.str(), "Moon collided with Earth!\n");
    EXPECT_TRUE(out.str().empty());
    const QByteArray saved = Contents(output);
    EXPECT_TRUE(saved.startsWith("[System]\r\n1=Earth & Moon\r\n[General]\r\nTotalBodies=1\r\nStartDate=1/1/2000\r\n"))
        << saved.toStdString();
    // The first plotted step at the defaults is step 170, at 169 steps of 128 s.
    const QByteArray rows = Contents(table);
    EXPECT_TRUE(rows.startsWith("step,seconds,day,name,x,y,z,vx,vy,vz\n170,21632,0,Earth,")) << rows.toStdString();
    EXPECT_TRUE(rows.contains("\n6750,863872,10,Earth & Moon,")) << "the row after the last step";
}

TEST_F(RunCommandTest, TheSameRunTwiceGivesTheSameBytes)
{
    const std::vector<std::string> arguments = {"--steps", "3000", "--csv", InFolder("rows.csv"),
                                                Examples + "/Solar.kmx"};
    ASSERT_EQ(Run(arguments), ExitDone) << err.str();
    const std::string first = out.str();
    const QByteArray firstRows = Contents(InFolder("rows.csv"));
    ASSERT_EQ(Run(arguments), ExitDone) << err.str();

    EXPECT_TRUE(first.starts_with("[System]\r\n1=Sun\r\n"));
    EXPECT_EQ(out.str(), first);
    EXPECT_EQ(firstRows.count('\n'), 1 + 17 * 11 + 11);  // header, steps 170 ... 2874, after the last
    EXPECT_EQ(Contents(InFolder("rows.csv")), firstRows);
}

TEST_F(RunCommandTest, HelpVersionAndWrongOptions)
{
    EXPECT_EQ(Run({"--help"}), ExitDone);
    EXPECT_TRUE(out.str().starts_with("Usage: kosmolux-run [--steps N | --days D]"));
    EXPECT_EQ(Run({"--version"}), ExitDone);
    EXPECT_EQ(out.str(), std::string("kosmolux-run (Kosmolux) ") + VersionText + "\n");
    EXPECT_EQ(Run({"--speed", "99", "in.kmx"}), ExitUsage);
    EXPECT_TRUE(out.str().empty());
    EXPECT_TRUE(err.str().starts_with("kosmolux-run: --speed takes a level from 0 to 15, not '99'\nUsage: "));
}

TEST_F(RunCommandTest, FilesThatCannotBeUsedAreNamed)
{
    const std::string missing = InFolder("missing.kmx");
    EXPECT_EQ(Run({missing}), ExitFileProblem);
    EXPECT_EQ(err.str(), "kosmolux-run: cannot read " + missing + ": No such file or directory\n");

    EXPECT_EQ(Run({folder.path().toStdString()}), ExitFileProblem);
    EXPECT_NE(err.str().find("it is a folder"), std::string::npos) << err.str();

    const std::string empty = InFolder("empty.kmx");
    Write(empty, "[General]\r\nStartDate=1/1/2000\r\n");
    EXPECT_EQ(Run({empty}), ExitFileProblem);
    EXPECT_NE(err.str().find(empty + " holds no bodies"), std::string::npos) << err.str();
    EXPECT_TRUE(out.str().empty());

    const std::string nowhere = InFolder("no/such/folder/out.kmx");
    EXPECT_EQ(Run({"-o", nowhere, Examples + "/EarthMoon.kmx"}), ExitFileProblem);
    EXPECT_NE(err.str().find("cannot write " + nowhere), std::string::npos) << err.str();

    const std::string badTable = InFolder("no/such/folder/rows.csv");
    EXPECT_EQ(Run({"--csv", badTable, Examples + "/EarthMoon.kmx"}), ExitFileProblem);
    EXPECT_EQ(err.str(), "kosmolux-run: cannot write " + badTable + ": No such file or directory\n");
}

TEST_F(RunCommandTest, ANonFiniteBodyEndsTheRunButTheSystemIsSaved)
{
    const std::string input = InFolder("runaway.kmx");
    Write(input, "[System]\r\n1=Runaway\r\n[General]\r\nTotalBodies=1\r\nStartDate=1/1/2000\r\n"
                 "[Runaway]\r\nMass=1.0E+0\r\nX=1.7E+308\r\nVX=1.0E+306\r\n");
    const std::string output = InFolder("saved.kmx");
    EXPECT_EQ(Run({"-o", output, input}), ExitNonFinite);

    EXPECT_EQ(err.str(), "Step 1: the position or velocity of Runaway is no longer a finite number; the run stops.\n");
    EXPECT_TRUE(Contents(output).contains("\r\nX=1.7E+308\r\n"));
}

// The program itself: its streams and exit status as a shell sees them.
TEST(KosmoluxRunProgram, PrintsTheMergeAndTheSystem)
{
    QProcess program;
    program.start(QStringLiteral(KOSMOLUX_RUN_PROGRAM),
                  {QStringLiteral("--days=6"), QString::fromStdString(Examples + "/Collision.kmx")});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), ExitDone);
    EXPECT_EQ(program.readAllStandardError(), "Moon collided with Earth!\n");
    EXPECT_TRUE(program.readAllStandardOutput().startsWith("[System]\r\n1=Earth & Moon\r\n[General]\r\n"));

    program.start(QStringLiteral(KOSMOLUX_RUN_PROGRAM), {QStringLiteral("--frobnicate")});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), ExitUsage);
}

}  // namespace
}  // namespace kosmolux

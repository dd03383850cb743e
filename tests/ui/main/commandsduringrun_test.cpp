#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>

#include "ui/editor/frmedit.h"
#include "ui/generator/frmnewbody.h"
#include "ui/main/mainwindowtest.h"

namespace kosmolux::testing {
namespace {

using FileAnswer = ScriptedDialogService::FileAnswer;

// Commands chosen while a run goes on: each runs between two steps, and the
// run goes on with the system as the command left it.
class CommandsDuringRunTest : public MainWindowTest {
protected:
    frmMain& OpenSunAndEarth()
    {
        return Open(WriteSystem("SunEarth.kmx",
                                {{"Sun", 1.989e30, 1.392e9, {}, {}},
                                 {"Earth", 5.976e24, 1.2756e7, {1.496e11, 0, 0}, {0, 29780, 0}}}));
    }

    void StopSoon()
    {
        QTimer::singleShot(0, [this] { Child<QPushButton>("butStop")->click(); });
    }

    void CentreOn(int entry)
    {
        auto* centres = Child<QComboBox>("cboCentre");
        centres->setCurrentIndex(entry);
        emit centres->activated(entry);
    }
};

TEST_F(CommandsDuringRunTest, AddNewBodyLeavesTheRunPausedUntilResumed)
{
    frmMain& main = OpenSunAndEarth();
    main.StepFinished = [&](std::int64_t steps) {
        if (steps == 3) {
            WhenOpen<frmNewBody>([](frmNewBody& generator) {
                AcceptBody(generator, {"Probe", 1000, 10, {0, 2e11, 0}, {-20000, 0, 0}});
                Click(generator, "butDone");
            });
            dialogs.FileAnswers.push_back(FileAnswer::Cancel());
            Trigger("mnuEditAdd");
            EXPECT_TRUE(main.Running());
            EXPECT_TRUE(main.Paused());
            EXPECT_EQ(Child<QPushButton>("butPause")->text(), "Resume");
            QTimer::singleShot(0, [&] {
                EXPECT_TRUE(main.Paused());
                Child<QPushButton>("butPause")->click();
            });
        } else if (steps == 10) {
            Child<QPushButton>("butStop")->click();
        }
    };
    EXPECT_EQ(RunUntilStopped(), 10);
    // The probe took part in the seven steps after it was added.
    const Planet& probe = globals.CurrentSystem->Item(3);
    EXPECT_EQ(probe.PlanetName, "Probe");
    EXPECT_LT(probe.Position.XComp, -7 * 128 * 20000 + 1.0);
}

TEST_F(CommandsDuringRunTest, NewSystemAndLoadReplaceTheBodiesUnderARunningLoop)
{
    frmMain& main = OpenSunAndEarth();
    const QString single = WriteSystem("Single.kmx", {{"Drifter", 1e20, 1e5, {1e9, 0, 0}, {0, 0, 1000}}});
    main.StepFinished = [&](std::int64_t steps) {
        if (steps == 20) {
            CentreOn(2);
            WhenOpen<frmNewBody>([](frmNewBody& generator) {
                AcceptBody(generator, {"Star", 2e30, 1.4e9, {}, {}});
                AcceptBody(generator, {"Rock", 1e20, 1e5, {1e11, 0, 0}, {0, 36000, 0}});
                Click(generator, "butDone");
            });
            dialogs.FileAnswers.push_back(FileAnswer::Cancel());
            Trigger("mnuFileNewSystem");
            // Not paused: the next step already moves the new bodies.
            EXPECT_FALSE(main.Paused());
            EXPECT_FALSE(globals.SystemAltered);
        } else if (steps == 21) {
            EXPECT_EQ(globals.CurrentSystem->Count(), 2);
            EXPECT_GT(globals.CurrentSystem->Item(2).Position.YComp, 0.0);
        } else if (steps == 200) {
            CentreOn(2);
            Load(single);
        } else if (steps == 600) {
            Child<QPushButton>("butStop")->click();
        }
    };
    EXPECT_EQ(RunUntilStopped(), 600);
    ASSERT_EQ(globals.CurrentSystem->Count(), 1);
    const Planet& drifter = globals.CurrentSystem->Item(1);
    // Alone in its system it moved 400 steps of 128 seconds at 1000 m/s.
    EXPECT_EQ(drifter.Position.ZComp, 400 * 128 * 1000.0);
    EXPECT_GT(drifter.History.Count(), 1);
    EXPECT_EQ(Child<QComboBox>("cboCentre")->currentIndex(), 0);
    EXPECT_EQ(main.CentrePosition(), Vector{});
    EXPECT_EQ(dialogs.MessageTexts(),
              QStringList({"Star added to system", "Rock added to system"}));
    QFile current(folder.filePath("Current.kmx"));
    ASSERT_TRUE(current.open(QIODevice::ReadOnly));
    EXPECT_TRUE(current.readAll().contains("[Drifter]"));
}

TEST_F(CommandsDuringRunTest, NewSystemLeftEmptyLetsTheRunGoOnWithNothing)
{
    frmMain& main = OpenSunAndEarth();
    main.StepFinished = [&](std::int64_t steps) {
        if (steps == 2) {
            WhenOpen<frmNewBody>([](frmNewBody& generator) { generator.reject(); });
            dialogs.FileAnswers.push_back(FileAnswer::Cancel());
            Trigger("mnuFileNewSystem");
        } else if (steps == 50) {
            Child<QPushButton>("butStop")->click();
        }
    };
    EXPECT_EQ(RunUntilStopped(), 50);
    EXPECT_EQ(globals.CurrentSystem->Count(), 0);
}

TEST_F(CommandsDuringRunTest, BodyReportPausesAndTellsOfABodyLostInAMerge)
{
    frmMain& main = Open(WriteSystem("Touch.kmx", {{"Small", 1, 1, {}, {4, 0, 0}},
                                                   {"Big", 3, 2, {1, 0, 0}, {}}}));
    main.StepFinished = [&](std::int64_t steps) {
        if (steps == 1) {
            ASSERT_EQ(globals.CurrentSystem->Count(), 1);
            Trigger("mnuReportsBody0");
            EXPECT_TRUE(main.Paused());
            EXPECT_EQ(Child<QPushButton>("butPause")->text(), "Resume");
            EXPECT_EQ(Info(), "Report on Small at Day: 0\n----------------------------------\n\n"
                              "Body is no longer in the system");
            Trigger("mnuReportsBody1");
            EXPECT_TRUE(Info().startsWith("Report on Big & Small at Day: 0\n")) << Info().toStdString();
            EXPECT_TRUE(Info().endsWith("\nBody is gravitationally bound to system"));
            StopSoon();
        }
    };
    EXPECT_EQ(RunUntilStopped(), 2);
    const int centres = Child<QComboBox>("cboCentre")->count();
    Trigger("mnuReportsSystem");
    // Stop saved the automatic copy, which named the system.
    EXPECT_EQ(Info(), "System 'Current.kmx' contains these bodies: \n\n* Big & Small\n");
    EXPECT_EQ(Child<QComboBox>("cboCentre")->count(), centres);
}

TEST_F(CommandsDuringRunTest, ClosingWithTheEditorOpenEndsTheRunWithoutAQuestion)
{
    frmMain& main = OpenSunAndEarth();
    main.StepFinished = [&](std::int64_t steps) {
        if (steps == 3) {
            WhenOpen<frmEdit>([&main](frmEdit&) { main.close(); });
            Trigger("mnuEditBodies");
        }
    };
    EXPECT_EQ(RunUntilStopped(), 3);
    EXPECT_FALSE(main.Running());
    EXPECT_TRUE(dialogs.Calls.empty());
    EXPECT_FALSE(QFile::exists(folder.filePath("Current.kmx")));
}

TEST_F(CommandsDuringRunTest, EveryExampleLoadsFromTheMenuAndRuns)
{
    const QStringList examples =
        QDir(QStringLiteral(KOSMOLUX_EXAMPLES_DIR)).entryList({"*.kmx"}, QDir::Files);
    ASSERT_GE(examples.size(), 4);
    for (const QString& name : examples) {
        SCOPED_TRACE(name.toStdString());
        Open();
        Load(QStringLiteral(KOSMOLUX_EXAMPLES_DIR "/") + name);
        ASSERT_TRUE(globals.SystemLoaded);
        const int bodies = globals.CurrentSystem->Count();
        EXPECT_EQ(Child<QComboBox>("cboCentre")->count(), bodies + 1);
        EXPECT_TRUE(Info().startsWith("System '" + name + "' contains these bodies: \n\n"));
        const Vector start = globals.CurrentSystem->Item(2).Position;
        StopAt(400);
        EXPECT_EQ(RunUntilStopped(), 400);
        EXPECT_EQ(globals.CurrentSystem->Count(), bodies);
        EXPECT_NE(globals.CurrentSystem->Item(2).Position, start);
        EXPECT_EQ(globals.CurrentSystem->Item(2).History.Count(), 3);
        EXPECT_EQ(Child<QLabel>("labDays")->text(), "Day: 1");
        EXPECT_TRUE(dialogs.Calls.size() == 1u) << dialogs.MessageTexts().join('|').toStdString();
        dialogs.Calls.clear();
    }
}

}  // namespace
}  // namespace kosmolux::testing

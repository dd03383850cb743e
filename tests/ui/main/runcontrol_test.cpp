#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "storage/sciformat.h"
#include "ui/main/mainwindowtest.h"

namespace kosmolux::testing {
namespace {

using Kind = ScriptedDialogService::Kind;

const Colour SunTrail = 65535;
const Colour EarthTrail = 255 * 65536 + 255;

class RunControlTest : public MainWindowTest {
protected:
    frmMain& OpenSunAndEarth()
    {
        const QString path = WriteSystem(
            "SunEarth.kmx", {{"Sun", 1.989e30, 1.392e9, {}, {}, White, SunTrail},
                             {"Earth", 5.976e24, 1.2756e7, {1.496e11, 0, 0}, {0, 29780, 0},
                              White, EarthTrail}});
        return Open(path);
    }

    QPushButton* Button(const char* name) const { return Child<QPushButton>(name); }
    QString Text(const char* labelName) const { return Child<QLabel>(labelName)->text(); }
};

TEST_F(RunControlTest, ButtonsFollowStartPauseResumeAndStop)
{
    frmMain& main = OpenSunAndEarth();
    main.StepFinished = [&](std::int64_t steps) {
        if (steps == 1) {
            EXPECT_TRUE(main.Running());
            EXPECT_FALSE(Button("butSimulate")->isEnabled());
            EXPECT_TRUE(Button("butPause")->isEnabled());
            EXPECT_TRUE(Button("butStop")->isEnabled());
            EXPECT_EQ(Button("butPause")->text(), "Pause");
            Button("butPause")->click();
            EXPECT_EQ(Button("butPause")->text(), "Resume");
            // Answered while the loop waits in the paused state.
            QTimer::singleShot(0, [&] {
                EXPECT_TRUE(main.Paused());
                Button("butPause")->click();
            });
        } else if (steps == 2) {
            EXPECT_EQ(Button("butPause")->text(), "Pause");
            Button("butStop")->click();
            EXPECT_TRUE(Button("butSimulate")->isEnabled());
            EXPECT_FALSE(Button("butPause")->isEnabled());
            EXPECT_FALSE(Button("butStop")->isEnabled());
        }
    };
    EXPECT_EQ(RunUntilStopped(), 2);
    EXPECT_FALSE(main.Running());
    EXPECT_TRUE(globals.SystemAltered);
    EXPECT_TRUE(QFile::exists(folder.filePath("Current.kmx")));
}

TEST_F(RunControlTest, LabelsPauseTheRunAndResumeTakesThemAway)
{
    frmMain& main = OpenSunAndEarth();
    main.StepFinished = [&](std::int64_t steps) {
        if (steps != 1)
            return;
        const QImage before = Plane("XYPlane")->Image();
        Button("butLabel")->click();
        EXPECT_TRUE(main.Paused());
        EXPECT_NE(Plane("XYPlane")->Image(), before);
        QTimer::singleShot(0, [&, before] {
            Button("butPause")->click();
            EXPECT_FALSE(main.LabelsShown());
            EXPECT_FALSE(main.Paused());
            EXPECT_EQ(Plane("XYPlane")->Image(), before);
            Button("butStop")->click();
        });
    };
    // Stopped while paused: one more step.
    EXPECT_EQ(RunUntilStopped(), 2);
}

TEST_F(RunControlTest, SpeedAndPlotLabelsFollowTheButtons)
{
    OpenSunAndEarth();
    for (int click = 0; click < 8; ++click)
        Button("butSpeedMinus")->click();
    EXPECT_EQ(Text("labInterval"), "Speed: 0");
    EXPECT_EQ(Text("labAccuracy"), "Accuracy: 15");
    EXPECT_EQ(globals.TimeStep, 1);
    for (int click = 0; click < 7; ++click)
        Button("butSpeedPlus")->click();
    EXPECT_EQ(Text("labInterval"), "Speed: 7");
    EXPECT_EQ(Text("labAccuracy"), "Accuracy: 8");
    for (int click = 0; click < 9; ++click)
        Button("butSpeedPlus")->click();
    EXPECT_EQ(Text("labInterval"), "Speed: Max");
    EXPECT_EQ(Text("labAccuracy"), "Accuracy: 0");
    EXPECT_EQ(globals.TimeStep, 32768);

    for (int click = 0; click < 5; ++click)
        Button("butPlotPlus")->click();
    EXPECT_EQ(Text("labPlot"), "weekly");
    EXPECT_EQ(globals.PlotInterval, 604800);
    for (int click = 0; click < 8; ++click)
        Button("butPlotMinus")->click();
    EXPECT_EQ(Text("labPlot"), "quarter hour");
    EXPECT_EQ(globals.PlotInterval, 900);
}

TEST_F(RunControlTest, PlotsFirstAtStep170AndEvery169StepsAfter)
{
    frmMain& main = OpenSunAndEarth();
    const Planet& earth = globals.CurrentSystem->Item(2);
    main.StepFinished = [&](std::int64_t steps) {
        if (steps == 169) {
            EXPECT_EQ(earth.History.Count(), 1);
            EXPECT_EQ(Text("labDays"), "Day: 0");
        } else if (steps == 170) {
            EXPECT_EQ(earth.History.Count(), 2);
            // A quarter of a day rounds to 0, which the pattern shows as nothing.
            EXPECT_EQ(Text("labDays"), "Day: ");
            EXPECT_EQ(Text("labDate"), text::FormatLongDate(globals.StartDate));
            // The first plotted step turns the pixel at (0, 0) into trail colour.
            EXPECT_EQ(Plane("XYPlane")->Image().pixel(0, 0), Rgb(EarthTrail));
            EXPECT_EQ(earth.LastX, main.Plot().PlotX());
        } else if (steps == 338) {
            EXPECT_EQ(earth.History.Count(), 2);
        } else if (steps == 339) {
            EXPECT_EQ(earth.History.Count(), 3);
            Button("butStop")->click();
        }
    };
    EXPECT_EQ(RunUntilStopped(), 339);
}

TEST_F(RunControlTest, DayLabelRoundsHalfDaysToEven)
{
    OpenSunAndEarth();
    // 64 seconds a step, plotted when more than 900 seconds passed: every
    // 15th step, 960 seconds apart.
    Button("butSpeedMinus")->click();
    for (int click = 0; click < 3; ++click)
        Button("butPlotMinus")->click();
    window->StepFinished = [&](std::int64_t steps) {
        if (steps == 2011) {
            EXPECT_EQ(Text("labDays"), "Day: 1");  // 1.49 days
        } else if (steps == 2026) {
            EXPECT_EQ(Text("labDays"), "Day: 2");  // 1.5 days
            EXPECT_EQ(Text("labDate"), text::FormatLongDate(globals.StartDate.addDays(2)));
        } else if (steps == 3376) {
            EXPECT_EQ(Text("labDays"), "Day: 2");  // 2.5 days
        } else if (steps == 3391) {
            EXPECT_EQ(Text("labDays"), "Day: 3");  // 2.51 days
            Button("butStop")->click();
        }
    };
    EXPECT_EQ(RunUntilStopped(), 3391);
}

TEST_F(RunControlTest, StopWhilePausedMakesOneMoreStepAndSavesTheStateBeforeIt)
{
    frmMain& main = OpenSunAndEarth();
    const Planet& earth = globals.CurrentSystem->Item(2);
    QString savedY;
    main.StepFinished = [&](std::int64_t steps) {
        if (steps == 10) {
            savedY = SciFormat(earth.Position.YComp);
            Button("butPause")->click();
            QTimer::singleShot(0, [&] { Button("butStop")->click(); });
        }
    };
    EXPECT_EQ(RunUntilStopped(), 11);
    QFile current(folder.filePath("Current.kmx"));
    ASSERT_TRUE(current.open(QIODevice::ReadOnly));
    const QString saved = QString::fromUtf8(current.readAll());
    EXPECT_TRUE(saved.contains("Y=" + savedY)) << saved.toStdString();
    EXPECT_FALSE(saved.contains("Y=" + SciFormat(earth.Position.YComp)));
    EXPECT_EQ(Button("butPause")->text(), "Pause");
}

TEST_F(RunControlTest, StartAgainAsksWhetherToReload)
{
    OpenSunAndEarth();
    StopAt(1);
    RunUntilStopped();
    const double movedY = globals.CurrentSystem->Item(2).Position.YComp;
    ASSERT_NE(movedY, 0.0);

    dialogs.YesNoAnswers.push_back(DialogService::Button::No);
    StopAt(1);
    RunUntilStopped();
    const auto questions = dialogs.CallsOf(Kind::Message);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, "Simulation has altered initial settings, reload?");
    EXPECT_EQ(questions[0].title, "Reload?");
    EXPECT_EQ(questions[0].buttons, DialogService::Buttons::YesNo);
    // No: the run went on from where the last one left the bodies.
    EXPECT_GT(globals.CurrentSystem->Item(2).Position.YComp, movedY);
}

TEST_F(RunControlTest, StartWithoutASystemAsksForOneAndCancelEndsIt)
{
    Open();
    dialogs.FileAnswers.push_back(ScriptedDialogService::FileAnswer::Cancel());
    EXPECT_EQ(RunUntilStopped(), 0);
    EXPECT_EQ(dialogs.CallsOf(Kind::Open).size(), 1u);
    EXPECT_TRUE(Button("butSimulate")->isEnabled());
    EXPECT_FALSE(Button("butPause")->isEnabled());
}

TEST_F(RunControlTest, ClosingEndsARunAtItsNextCheck)
{
    frmMain& main = OpenSunAndEarth();
    main.StepFinished = [&](std::int64_t steps) {
        if (steps == 5)
            main.close();
    };
    EXPECT_EQ(RunUntilStopped(), 5);
    EXPECT_TRUE(globals.StopRequested);
    // Nothing is saved and nobody is asked.
    EXPECT_FALSE(QFile::exists(folder.filePath("Current.kmx")));
    EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(RunControlTest, ClosingEndsAPausedRunWithoutAnotherStep)
{
    frmMain& main = OpenSunAndEarth();
    main.StepFinished = [&](std::int64_t steps) {
        if (steps == 3) {
            Button("butPause")->click();
            QTimer::singleShot(0, [&] { main.close(); });
        }
    };
    EXPECT_EQ(RunUntilStopped(), 3);
    EXPECT_FALSE(main.Running());
}

TEST_F(RunControlTest, TouchingBodiesMergeWithOneMessage)
{
    Open(WriteSystem("Touch.kmx", {{"Small", 1, 1, {}, {4, 0, 0}},
                                   {"Big", 3, 2, {1, 0, 0}, {}}}));
    StopAt(1);
    RunUntilStopped();
    const auto messages = dialogs.CallsOf(Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Small collided with Big!");
    EXPECT_EQ(messages[0].title, "Worlds Collide!");
    EXPECT_EQ(messages[0].icon, DialogService::Icon::Exclamation);
    ASSERT_EQ(globals.CurrentSystem->Count(), 1);
    EXPECT_EQ(globals.CurrentSystem->Item(1).PlanetName, "Big & Small");
}

TEST_F(RunControlTest, ABodyThatStopsBeingFiniteEndsTheRun)
{
    Open(WriteSystem("Overflow.kmx", {{"Heavy", 1e308, 0, {}, {}},
                                      {"Victim", 1, 0, {1e-100, 0, 0}, {}}}));
    // Nothing stops this run but the failing body.
    EXPECT_EQ(RunUntilStopped(), 1);
    const QStringList messages = dialogs.MessageTexts();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Victim ")) << messages[0].toStdString();
    EXPECT_TRUE(Button("butSimulate")->isEnabled());
    EXPECT_FALSE(Button("butStop")->isEnabled());
}

}  // namespace
}  // namespace kosmolux::testing

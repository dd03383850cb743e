#include <QImage>

#include "ui/main/mainwindowtest.h"

namespace kosmolux::testing {
namespace {

using RunControlTest = MainWindowTest;

TEST_F(RunControlTest, ButtonsThroughPauseResumeLabelsAndStopWhilePaused)
{
    frmMain& main = Open(SunAndEarth());
    const Planet& earth = globals.CurrentSystem->Item(2);
    QImage unlabelled;
    QString savedY;
    const std::int64_t steps = Run([&](std::int64_t step) {
        if (step == 1) {
            EXPECT_TRUE(main.Running());
            EXPECT_EQ(EnabledRunButtons(), QStringList({"butPause", "butStop"}));
            EXPECT_EQ(Button("butPause")->text(), "Pause");
            Button("butPause")->click();
            EXPECT_EQ(Button("butPause")->text(), "Resume");
            // Answered while the loop waits in the paused state.
            QTimer::singleShot(0, [&] { Button("butPause")->click(); });
        } else if (step == 2) {
            EXPECT_EQ(Button("butPause")->text(), "Pause");
            // Labels pause the run; Resume takes them away.
            unlabelled = Plane("XYPlane")->Image();
            Button("butLabel")->click();
            EXPECT_NE(Plane("XYPlane")->Image(), unlabelled);
            QTimer::singleShot(0, [&] { Button("butPause")->click(); });
        } else if (step == 3) {
            EXPECT_FALSE(main.LabelsShown());
            EXPECT_EQ(Plane("XYPlane")->Image(), unlabelled);
            // Stop while paused: one more step, and the state before it saved.
            savedY = SciFormat(earth.Position.YComp);
            Button("butPause")->click();
            QTimer::singleShot(0, [&] {
                Button("butStop")->click();
                EXPECT_EQ(EnabledRunButtons(), QStringList({"butSimulate"}));
                EXPECT_EQ(Button("butPause")->text(), "Pause");
            });
        }
    });
    EXPECT_EQ(steps, 4);
    EXPECT_FALSE(main.Running());
    EXPECT_TRUE(globals.SystemAltered);
    const QByteArray saved = Bytes(folder.filePath("Current.kmx"));
    EXPECT_TRUE(saved.contains(("Y=" + savedY).toUtf8()));
    EXPECT_FALSE(saved.contains(("Y=" + SciFormat(earth.Position.YComp)).toUtf8()));
}

TEST_F(RunControlTest, SpeedAndPlotLabelsFollowTheButtonsWithinTheirRange)
{
    Open();
    auto click = [this](const char* name, int times) {
        for (int count = 0; count < times; ++count)
            Button(name)->click();
    };
    click("butSpeedMinus", 8);
    EXPECT_EQ(Text("labInterval") + " / " + Text("labAccuracy"), "Speed: 0 / Accuracy: 15");
    click("butSpeedPlus", 7);
    EXPECT_EQ(Text("labInterval") + " / " + Text("labAccuracy"), "Speed: 7 / Accuracy: 8");
    click("butSpeedPlus", 9);
    EXPECT_EQ(Text("labInterval") + " / " + Text("labAccuracy"), "Speed: Max / Accuracy: 0");
    EXPECT_EQ(globals.TimeStep, 32768);
    click("butPlotPlus", 5);
    EXPECT_EQ(Text("labPlot"), "weekly");
    click("butPlotMinus", 8);
    EXPECT_EQ(Text("labPlot"), "quarter hour");
    EXPECT_EQ(globals.PlotInterval, 900);
}

TEST_F(RunControlTest, PlotsFirstAtStep170AndEvery169StepsAfter)
{
    frmMain& main = Open(SunAndEarth());
    const Planet& earth = globals.CurrentSystem->Item(2);
    const std::int64_t steps = Run([&](std::int64_t step) {
        if (step == 169) {
            EXPECT_EQ(earth.History.Count(), 1);
            EXPECT_EQ(Text("labDays"), "Day: 0");
        } else if (step == 170) {
            EXPECT_EQ(earth.History.Count(), 2);
            // A quarter of a day rounds to 0, which the pattern shows as nothing.
            EXPECT_EQ(Text("labDays"), "Day: ");
            EXPECT_EQ(Text("labDate"), text::FormatLongDate(globals.StartDate));
            // The first plotted step turns the pixel at (0, 0) into trail colour.
            EXPECT_EQ(Plane("XYPlane")->Image().pixel(0, 0), Rgb(LightGrey));
            EXPECT_EQ(earth.LastX, main.Plot().PlotX());
        } else if (step == 338) {
            EXPECT_EQ(earth.History.Count(), 2);
        } else if (step == 339) {
            EXPECT_EQ(earth.History.Count(), 3);
            Button("butStop")->click();
        }
    });
    EXPECT_EQ(steps, 339);
}

TEST_F(RunControlTest, AFarBodyLeavesNoMarkOnThePlanesOfItsFarAxis)
{
    // Far out along X only, in green with a blue trail: the Z-Y plane shows it at
    // the centre, where the red Sun is on the planes with X.
    const Colour red = 255, green = 256 * 255, blue = 65536 * 255;
    Open(WriteSystem("Far.kmx", {{"Sun", 2e30, 1.4e9, {}, {}, red, red}, {"Far", 1, 1, {1e20, 0, 0}, {}, green, blue}}))
        .SetViewWidth(1e12);
    // The second plotted step: the trail pixel would go where the last mark left another point's X.
    EXPECT_EQ(RunAndStopAfter(339), 339);
    EXPECT_EQ(Plane("XYPlane")->Image().pixel(128, 128), Rgb(red));
    EXPECT_EQ(Plane("XZPlane")->Image().pixel(128, 128), Rgb(red));
    EXPECT_EQ(Plane("ZYPlane")->Image().pixel(128, 128), Rgb(green));
}

TEST_F(RunControlTest, DayLabelRoundsHalfDaysToEven)
{
    Open(SunAndEarth());
    // 64 seconds a step, plotted when more than 900 seconds passed: every
    // 15th step, 960 seconds apart.
    Button("butSpeedMinus")->click();
    for (int click = 0; click < 3; ++click)
        Button("butPlotMinus")->click();
    const std::int64_t steps = Run([&](std::int64_t step) {
        if (step == 2026) {
            EXPECT_EQ(Text("labDays"), "Day: 2");  // 1.5 days
            EXPECT_EQ(Text("labDate"), text::FormatLongDate(globals.StartDate.addDays(2)));
            // A new start date (Set Start Date, a load) shows at the next plotted step.
            globals.StartDate = globals.StartDate.addYears(1);
        } else if (step == 2041) {
            EXPECT_EQ(Text("labDate"), text::FormatLongDate(globals.StartDate.addDays(2)));
        } else if (step == 3376) {
            EXPECT_EQ(Text("labDays"), "Day: 2");  // 2.5 days
            Button("butStop")->click();
        }
    });
    EXPECT_EQ(steps, 3376);
}

TEST_F(RunControlTest, StartAsksForASystemOrWhetherToReloadTheAlteredOne)
{
    Open();
    dialogs.FileAnswers.push_back(FileAnswer::Cancel());
    EXPECT_EQ(RunAndStopAfter(1), 0);
    EXPECT_EQ(EnabledRunButtons(), QStringList({"butSimulate"}));

    Load(SunAndEarth());
    RunAndStopAfter(1);
    const double movedY = globals.CurrentSystem->Item(2).Position.YComp;
    ASSERT_NE(movedY, 0.0);
    dialogs.YesNoAnswers.push_back(DialogService::Button::No);
    RunAndStopAfter(1);
    const auto questions = dialogs.CallsOf(Kind::Message);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, "Simulation has altered initial settings, reload?");
    // No: the run went on from where the last one left the bodies.
    EXPECT_GT(globals.CurrentSystem->Item(2).Position.YComp, movedY);
}

TEST_F(RunControlTest, ClosingEndsARunWithoutAQuestion)
{
    frmMain& main = Open(SunAndEarth());
    const std::int64_t steps = Run([&](std::int64_t step) {
        if (step == 5)
            main.close();
    });
    EXPECT_EQ(steps, 5);
    // Nothing is saved and nobody is asked.
    EXPECT_FALSE(QFile::exists(folder.filePath("Current.kmx")));
    EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(RunControlTest, ClosingEndsAPausedRunWithoutAnotherStep)
{
    frmMain& main = Open(SunAndEarth());
    const std::int64_t steps = Run([&](std::int64_t step) {
        if (step == 3) {
            Button("butPause")->click();
            QTimer::singleShot(0, [&] { main.close(); });
        }
    });
    EXPECT_EQ(steps, 3);
    EXPECT_FALSE(main.Running());
    EXPECT_FALSE(QFile::exists(folder.filePath("Current.kmx")));
}

TEST_F(RunControlTest, BodiesThatStopBeingFiniteEndTheRunInOneMessage)
{
    Open(WriteSystem("Overflow.kmx", {{"Heavy", 1e308, 0, {}, {}},
                                      {"Victim", 1, 0, {1e-100, 0, 0}, {}},
                                      {"Other", 1, 0, {-1e-100, 0, 0}, {}}}));
    // Nothing stops this run but the failing bodies.
    EXPECT_EQ(Run([](std::int64_t) {}), 1);
    const QStringList messages = dialogs.MessageTexts();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Victim and Other can no longer be computed: their ")) << messages[0].toStdString();
    EXPECT_EQ(EnabledRunButtons(), QStringList({"butSimulate"}));
}

}  // namespace
}  // namespace kosmolux::testing

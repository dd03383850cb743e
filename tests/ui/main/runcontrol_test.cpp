#include <algorithm>
#include <iterator>
#include <vector>

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
            EXPECT_EQ(EnabledRunButtons(), QStringList({"butPause", "butStop"}));
            Button("butPause")->click();
            EXPECT_EQ(Button("butPause")->text(), "Resume");
            // Answered while the loop waits in the paused state.
            QTimer::singleShot(0, [&] { Button("butPause")->click(); });
        } else if (step == 2) {
            EXPECT_EQ(Button("butPause")->text(), "Pause");
            // Labels pause the run; Resume takes them away.
            unlabelled = Plane("XYPlane")->Image();
            Button("butLabel")->click();
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

TEST_F(RunControlTest, EverySpeedAndPlotLevelWithItsTextsAndPlottedSteps)
{
    const struct {
        std::int32_t timeStep;  // seconds
        const char* interval;
        const char* accuracy;
    } speeds[] = {
        {1, "Speed: 0", "Accuracy: 15"},       {2, "Speed: 1", "Accuracy: 14"},
        {4, "Speed: 2", "Accuracy: 13"},       {8, "Speed: 3", "Accuracy: 12"},
        {16, "Speed: 4", "Accuracy: 11"},      {32, "Speed: 5", "Accuracy: 10"},
        {64, "Speed: 6", "Accuracy: 9"},       {128, "Speed: 7", "Accuracy: 8"},
        {256, "Speed: 8", "Accuracy: 7"},      {512, "Speed: 9", "Accuracy: 6"},
        {1024, "Speed: 10", "Accuracy: 5"},    {2048, "Speed: 11", "Accuracy: 4"},
        {4096, "Speed: 12", "Accuracy: 3"},    {8192, "Speed: 13", "Accuracy: 2"},
        {16384, "Speed: 14", "Accuracy: 1"},   {32768, "Speed: Max", "Accuracy: 0"},
    };
    const struct {
        const char* caption;
        std::int32_t interval;  // seconds
    } plots[] = {
        {"quarter hour", 900}, {"half hour", 1800}, {"hourly", 3600},  {"quarter day", 21600},
        {"half day", 43200},   {"daily", 86400},    {"two day", 172800}, {"weekly", 604800},
    };
    // The first two plotted steps of a run: the steps after the counter has
    // exceeded the interval. Where the step divides the interval, the counter
    // meets it exactly first, and that step is not plotted yet.
    const struct {
        int speed, plot;
        std::int64_t first, second;
    } schedules[] = {
        {0, 0, 902, 1803}, {1, 0, 452, 903},   {2, 1, 452, 903},   {3, 2, 452, 903},
        {4, 2, 227, 453},  {5, 3, 677, 1353},  {6, 4, 677, 1353},  {7, 3, 170, 339},
        {7, 7, 4727, 9453}, {8, 6, 677, 1353}, {9, 5, 170, 339},   {10, 7, 592, 1183},
        {11, 1, 2, 3},     {12, 4, 12, 23},    {13, 5, 12, 23},    {14, 6, 12, 23},
        {15, 0, 2, 3},     {15, 7, 20, 39},
    };
    auto click = [this](const char* name, int times) {
        for (int count = 0; count < times; ++count)
            Button(name)->click();
    };
    frmMain& main = Open(SunAndEarth());
    // Down past the lowest level, then up through every level and past the highest.
    click("butSpeedMinus", 8);
    for (std::size_t level = 0; level <= std::size(speeds); ++level) {
        const auto& row = speeds[std::min(level, std::size(speeds) - 1)];
        SCOPED_TRACE(row.interval);
        EXPECT_EQ(Text("labInterval"), row.interval);
        EXPECT_EQ(Text("labAccuracy"), row.accuracy);
        EXPECT_EQ(globals.TimeStep, row.timeStep);
        click("butSpeedPlus", 1);
    }
    click("butPlotMinus", 4);
    for (std::size_t level = 0; level <= std::size(plots); ++level) {
        const auto& row = plots[std::min(level, std::size(plots) - 1)];
        SCOPED_TRACE(row.caption);
        EXPECT_EQ(Text("labPlot"), row.caption);
        EXPECT_EQ(globals.PlotInterval, row.interval);
        click("butPlotPlus", 1);
    }
    globals.SpeedLevel = 16;
    main.ShowSpeed();
    EXPECT_EQ(Text("labInterval"), "Speed: Max");
    globals.PlotLevel = -1;
    main.ShowPlotFrequency();
    EXPECT_EQ(Text("labPlot"), "weekly");

    const Planet& earth = globals.CurrentSystem->Item(2);
    for (const auto& row : schedules) {
        SCOPED_TRACE(::testing::Message() << "speed " << row.speed << ", plot " << row.plot);
        globals.SpeedLevel = row.speed;
        main.ShowSpeed();
        globals.PlotLevel = row.plot;
        main.ShowPlotFrequency();
        if (globals.SystemAltered)
            dialogs.YesNoAnswers.push_back(DialogService::Button::No);
        std::vector<std::int64_t> plotted;
        int recorded = earth.History.Count();
        Run([&](std::int64_t step) {
            if (earth.History.Count() > recorded)
                plotted.push_back(step);
            recorded = earth.History.Count();
            if (plotted.size() == 2 || step == row.second)
                Button("butStop")->click();
        });
        EXPECT_EQ(plotted, (std::vector<std::int64_t>{row.first, row.second}));
    }
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
        if (step == 16) {
            EXPECT_EQ(Text("labDays"), "Day: ");  // day 0 shows no number
        } else if (step == 2026) {
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

TEST_F(RunControlTest, ClosingEndsARunningOrPausedRunWithoutAQuestionOrAnotherStep)
{
    for (const bool paused : {false, true}) {
        globals.SystemAltered = false;  // as at a fresh start
        frmMain& main = Open(SunAndEarth());
        const std::int64_t steps = Run([&](std::int64_t step) {
            if (step == 3 && paused) {
                Button("butPause")->click();
                QTimer::singleShot(0, [&] { main.close(); });
            } else if (step == 3) {
                main.close();
            }
        });
        EXPECT_EQ(steps, 3) << paused;
        EXPECT_FALSE(main.Running());
        // Nothing is saved and nobody is asked.
        EXPECT_FALSE(QFile::exists(folder.filePath("Current.kmx")));
        EXPECT_TRUE(dialogs.Calls.empty());
    }
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

#include <gtest/gtest.h>

#include "engine/runsettings.h"

namespace kosmolux {
namespace {

TEST(RunSettingsTest, SpeedLevelsGiveStepsAndLabels)
{
    const SpeedSetting slowest = SpeedFor(0);
    EXPECT_EQ(slowest.TimeStep, 1);
    EXPECT_EQ(slowest.IntervalText, "Speed: 0");
    EXPECT_EQ(slowest.AccuracyText, "Accuracy: 15");

    const SpeedSetting start = SpeedFor(DefaultSpeedLevel);
    EXPECT_EQ(start.TimeStep, 128);
    EXPECT_EQ(start.IntervalText, "Speed: 7");
    EXPECT_EQ(start.AccuracyText, "Accuracy: 8");

    const SpeedSetting fastest = SpeedFor(15);
    EXPECT_EQ(fastest.TimeStep, 32768);
    EXPECT_EQ(fastest.IntervalText, "Speed: Max");
    EXPECT_EQ(fastest.AccuracyText, "Accuracy: 0");

    EXPECT_EQ(SpeedFor(16).TimeStep, 32768);
    EXPECT_EQ(SpeedFor(-1).TimeStep, 1);
}

TEST(RunSettingsTest, PlotLevelsGiveIntervalsAndCaptions)
{
    EXPECT_EQ(PlotFrequencyFor(0).PlotInterval, 900);
    EXPECT_EQ(PlotFrequencyFor(0).Caption, "quarter hour");
    EXPECT_EQ(PlotFrequencyFor(DefaultPlotLevel).PlotInterval, 21600);
    EXPECT_EQ(PlotFrequencyFor(DefaultPlotLevel).Caption, "quarter day");
    EXPECT_EQ(PlotFrequencyFor(6).Caption, "two day");
    EXPECT_EQ(PlotFrequencyFor(7).PlotInterval, 604800);
    EXPECT_EQ(PlotFrequencyFor(8).Caption, "weekly");
    EXPECT_EQ(PlotFrequencyFor(-1).PlotInterval, 604800);
}

}  // namespace
}  // namespace kosmolux

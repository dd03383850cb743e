#include <QChart>
#include <QLineSeries>

#include "ui/main/energyplot.h"
#include "mainwindowtest.h"

namespace kosmolux::testing {
namespace {

class MethodsTest : public MainWindowTest {
protected:
    QString TickedMethod() const
    {
        QString ticked;
        for (const char* item : {"mnuEditMethodClassic", "mnuEditMethodLeapfrog", "mnuEditMethodYoshida"})
            if (Child<QAction>(item)->isChecked())
                ticked += QString::fromLatin1(item);
        return ticked;
    }
};

TEST_F(MethodsTest, TheTickFollowsChoiceAndFileAndEachRunKeepsAnEnergyCurve)
{
    Open();
    EXPECT_EQ(TickedMethod(), "mnuEditMethodClassic");
    Trigger("mnuEditMethodYoshida");
    EXPECT_EQ(TickedMethod(), "mnuEditMethodYoshida");
    EXPECT_EQ(globals.Method, StepMethod::Yoshida);
    // A file without a method loads as Classic.
    Load(SunAndEarth());
    EXPECT_EQ(TickedMethod(), "mnuEditMethodClassic");

    Trigger("mnuReportsConservation");
    EXPECT_TRUE(Info().startsWith("Conservation at Day: 0\n"));
    EXPECT_TRUE(Info().contains("\nRelative change of total energy: 0\n"));
    EXPECT_TRUE(Info().endsWith("\nRelative change of angular momentum: 0"));

    // The plotted steps of a run at speed 7 and a quarter day: 170 and 339.
    // Leapfrog keeps the energy of an orbit to 1e-15, Classic to 1e-7.
    Trigger("mnuEditMethodLeapfrog");
    RunAndStopAfter(400);
    Trigger("mnuEditMethodClassic");
    dialogs.YesNoAnswers.push_back(DialogService::Button::No);
    RunAndStopAfter(200);
    const std::deque<EnergyCurves::Curve>& curves = window->EnergyRecord().Curves();
    ASSERT_EQ(curves.size(), 2u);
    EXPECT_EQ(curves[0].Label, "Leapfrog, speed 7");
    ASSERT_EQ(curves[0].Points.size(), 2u);
    EXPECT_EQ(curves[0].Points[1].Day, 338.0 * 128 / 86400);
    EXPECT_EQ(curves[1].Label, "Classic, speed 7");
    ASSERT_EQ(curves[1].Points.size(), 1u);
    EXPECT_LT(curves[0].Points[0].Change, 1e-12);
    EXPECT_GT(curves[1].Points[0].Change, 1e-9);

    // One window however often it is asked for, with a line per run.
    Trigger("mnuReportsEnergyPlot");
    Trigger("mnuReportsEnergyPlot");
    const QList<EnergyPlot*> plots = window->findChildren<EnergyPlot*>();
    ASSERT_EQ(plots.size(), 1);
    EXPECT_TRUE(plots[0]->isVisible());
    const QList<QAbstractSeries*> series = plots[0]->Chart()->series();
    ASSERT_EQ(series.size(), 2);
    EXPECT_EQ(series[1]->name(), "Classic, speed 7");
    EXPECT_EQ(static_cast<QLineSeries*>(series[0])->count(), 2);
}

TEST(EnergyCurvesTest, ALongRunIsHalvedKeepingTheLargerChangesAndOldRunsGo)
{
    EnergyCurves curves;
    curves.BeginRun("first");
    for (std::size_t i = 0; i < EnergyCurves::MaxPoints; ++i)
        curves.Add(static_cast<double>(i), i % 2 == 0 ? 1e-10 : -2e-10);
    const std::vector<EnergyCurves::Point>& points = curves.Curves().back().Points;
    ASSERT_EQ(points.size(), EnergyCurves::MaxPoints / 2);
    EXPECT_EQ(points[3].Day, 7.0);
    EXPECT_EQ(points[3].Change, 2e-10);
    // From now on two plotted steps make one point; no change is drawn at the floor.
    curves.Add(5000.0, 0.0);
    curves.Add(5001.0, 0.0);
    EXPECT_EQ(points.back().Change, EnergyCurves::Floor);

    for (std::size_t run = 0; run < EnergyCurves::MaxCurves; ++run)
        curves.BeginRun("later");
    EXPECT_EQ(curves.Curves().size(), EnergyCurves::MaxCurves);
    EXPECT_EQ(curves.Curves().front().Run, 1);
}

}  // namespace
}  // namespace kosmolux::testing

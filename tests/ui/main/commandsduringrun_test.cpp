#include <QDir>

#include "ui/main/mainwindowtest.h"

namespace kosmolux::testing {
namespace {

// Commands chosen while a run goes on: each runs between two steps, and the
// run goes on with the system as the command left it.
using CommandsDuringRunTest = MainWindowTest;

TEST_F(CommandsDuringRunTest, AddNewSystemLoadAndAnEmptiedSystemUnderARunningLoop)
{
    frmMain& main = Open();
    Load(SunAndEarth());
    const QString single =
        WriteSystem("Single.kmx", {{"Drifter", 1e20, 1e5, {1e9, 0, 0}, {0, 0, 1000}}});
    const std::int64_t steps = Run([&](std::int64_t step) {
        if (step == 3) {
            // Add New Body leaves the run paused until resumed.
            Generate("mnuEditAdd", {{"Probe", 1000, 10, {0, 2e11, 0}, {-20000, 0, 0}}});
            EXPECT_TRUE(main.Paused());
            EXPECT_EQ(Info(),
                      "System SunEarth.kmx contains these bodies: \n\n* Sun\n* Earth\n* Probe\n");
            QTimer::singleShot(0, [&] { Button("butPause")->click(); });
        } else if (step == 10) {
            // The probe took part in the seven steps after it was added.
            EXPECT_LT(globals.CurrentSystem->Item(3).Position.XComp, -7 * 128 * 20000 + 1.0);
        } else if (step == 20) {
            // The body in the centre goes with the old system.
            CentreOn(2);
            Generate("mnuFileNewSystem", {{"Star", 2e30, 1.4e9, {}, {}},
                                          {"Rock", 1e20, 1e5, {1e11, 0, 0}, {0, 36000, 0}}});
            // Not paused: the next step already moves the new bodies.
            EXPECT_FALSE(main.Paused());
            EXPECT_FALSE(globals.SystemAltered);
        } else if (step == 21) {
            EXPECT_EQ(globals.CurrentSystem->Count(), 2);
            EXPECT_GT(globals.CurrentSystem->Item(2).Position.YComp, 0.0);
        } else if (step == 200) {
            CentreOn(2);
            Load(single);
        } else if (step == 400) {
            // Alone in its system it moved 200 steps of 128 seconds at 1000 m/s.
            const Planet& drifter = globals.CurrentSystem->Item(1);
            EXPECT_EQ(drifter.Position.ZComp, 200 * 128 * 1000.0);
            EXPECT_EQ(drifter.History.Count(), 2);
            EXPECT_EQ(Child<QComboBox>("cboCentre")->currentIndex(), 0);
            Generate("mnuFileNewSystem", {});
        } else if (step == 450) {
            Button("butStop")->click();
        }
    });
    // The emptied system steps on with nothing until Stop.
    EXPECT_EQ(steps, 450);
    EXPECT_EQ(globals.CurrentSystem->Count(), 0);
    EXPECT_EQ(dialogs.MessageTexts(), QStringList({"Probe added to system", "Star added to system",
                                                   "Rock added to system"}));
}

TEST_F(CommandsDuringRunTest, BodyReportPausesAndTellsOfABodyLostInAMerge)
{
    frmMain& main = Open(WriteSystem("Touch.kmx", {{"Small", 1, 1, {}, {4, 0, 0}},
                                                   {"Big", 3, 2, {1, 0, 0}, {}}}));
    const std::int64_t steps = Run([&](std::int64_t step) {
        if (step == 1) {
            Trigger("mnuReportsBody0");
            EXPECT_TRUE(main.Paused());
            EXPECT_TRUE(Info().endsWith("\nBody is no longer in the system"));
            Trigger("mnuReportsBody1");
            EXPECT_TRUE(Info().startsWith("Report on Big & Small at Day: 0\n"));
            QTimer::singleShot(0, [&] { Button("butStop")->click(); });
        }
    });
    EXPECT_EQ(steps, 2);
    const auto messages = dialogs.CallsOf(Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Small collided with Big!");
    EXPECT_EQ(messages[0].title, "Worlds Collide!");
    const QStringList centres = CentreNames();
    Trigger("mnuReportsSystem");
    // Stop saved the automatic copy, which named the system.
    EXPECT_EQ(Info(), "System 'Current.kmx' contains these bodies: \n\n* Big & Small\n");
    EXPECT_EQ(CentreNames(), centres);
}

TEST_F(CommandsDuringRunTest, EveryExampleLoadsFromTheMenuAndRuns)
{
    const QDir examples(QStringLiteral(KOSMOLUX_EXAMPLES_DIR));
    const QStringList names = examples.entryList({"*.kmx"}, QDir::Files);
    ASSERT_GE(names.size(), 4);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        Open();
        Load(examples.filePath(name));
        ASSERT_TRUE(globals.SystemLoaded);
        const int bodies = globals.CurrentSystem->Count();
        const Vector start = globals.CurrentSystem->Item(2).Position;
        EXPECT_EQ(RunAndStopAfter(400), 400);
        EXPECT_EQ(globals.CurrentSystem->Count(), bodies);
        EXPECT_NE(globals.CurrentSystem->Item(2).Position, start);
        // Only the open dialog: no merge, no failure.
        EXPECT_EQ(dialogs.Calls.size(), 1u) << dialogs.MessageTexts().join('|').toStdString();
        dialogs.Calls.clear();
    }
}

}  // namespace
}  // namespace kosmolux::testing

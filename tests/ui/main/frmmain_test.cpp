#include <cfloat>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "ui/main/mainwindowtest.h"

namespace kosmolux::testing {
namespace {

using FrmMainTest = MainWindowTest;

const Colour Red = 255;
const Colour Green = 256 * 255;
const Colour Blue = 65536 * 255;

TEST_F(FrmMainTest, StartsWithNoSystemAndTheDefaultSettings)
{
    frmMain& main = Open();
    EXPECT_EQ(main.windowTitle(), "Kosmolux 0.3.2");
    EXPECT_EQ(main.HelpFile(), folder.path() + "/Kosmolux.chm");
    EXPECT_EQ(Child<QPlainTextEdit>("txtInfo")->toPlainText(), "No system loaded");
    auto* centres = Child<QComboBox>("cboCentre");
    ASSERT_EQ(centres->count(), 1);
    EXPECT_EQ(centres->itemText(0), "Grid Origin");
    EXPECT_EQ(centres->itemData(0).toInt(), -1);
    EXPECT_EQ(centres->currentIndex(), 0);
    EXPECT_EQ(Child<QLabel>("labScale")->text(), "View width = 1,000 million km");
    EXPECT_TRUE(Child<QPushButton>("butSimulate")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>("butPause")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>("butStop")->isEnabled());
    EXPECT_TRUE(Child<QCheckBox>("chkTrails")->isChecked());
    EXPECT_EQ(Child<QLabel>("labDays")->text(), "Day: 0");
    EXPECT_EQ(Child<QLabel>("labInterval")->text(), "Speed: 7");
    EXPECT_EQ(Child<QLabel>("labAccuracy")->text(), "Accuracy: 8");
    EXPECT_EQ(Child<QLabel>("labPlot")->text(), "quarter day");
    EXPECT_FALSE(globals.SystemLoaded);
    EXPECT_EQ(globals.TimeStep, 128);
    EXPECT_EQ(globals.PlotInterval, 21600);
    EXPECT_EQ(globals.ViewWidth, 1e12);
    EXPECT_EQ(globals.StartDate, text::Today());
    EXPECT_FALSE(main.OnePlane());
    EXPECT_EQ(main.Plot().PlotSize(), 256);

    QAction* firstBody = Child<QAction>("mnuReportsBody0");
    EXPECT_EQ(firstBody->text(), "Body1");
    EXPECT_FALSE(firstBody->isEnabled());
    EXPECT_EQ(Child<QMenu>("mnuReportsBodies")->title(), "&Bodies");
    EXPECT_EQ(Child<QAction>("mnuFileSaveAs")->text(), "Save System &As");
    EXPECT_EQ(Child<QAction>("mnuHelpAbout")->text(), "&About Kosmolux");
}

TEST_F(FrmMainTest, ControlsSitWhereTheLayoutPutsThem)
{
    Open();
    EXPECT_EQ(Child<QWidget>("client")->size(), QSize(613, 533));
    const struct {
        const char* name;
        QRect geometry;
    } expected[] = {
        {"XYPlane", {0, 0, 256, 256}},       {"ZYPlane", {256, 0, 256, 256}},
        {"XZPlane", {0, 256, 256, 256}},     {"txtInfo", {260, 260, 253, 249}},
        {"labScale", {0, 512, 265, 17}},     {"butSimulate", {528, 4, 77, 17}},
        {"butStop", {528, 52, 77, 17}},      {"labDate", {532, 96, 69, 17}},
        {"butZoomMinus", {564, 136, 29, 16}}, {"butRedraw", {532, 288, 61, 16}},
        {"chkTrails", {524, 308, 85, 21}},   {"cboCentre", {528, 352, 81, 22}},
        {"Label1_1", {536, 444, 65, 17}},    {"labAccuracy", {524, 500, 90, 21}},
    };
    for (const auto& control : expected)
        EXPECT_EQ(Child<QWidget>(control.name)->geometry(), control.geometry) << control.name;
    for (const char* backup : {"Backup0", "Backup1", "Backup2"})
        EXPECT_TRUE(Plane(backup)->isHidden()) << backup;
}

TEST_F(FrmMainTest, StartsWithTheFileNamedOnTheCommandLine)
{
    const QString path = WriteSystem("Pair.kmx", {{"Sun", 2e30, 1.4e9, {}, {}, Red, Green},
                                                  {"Earth", 6e24, 1.3e7, {1.5e11, -2e10, 0}, {},
                                                   Blue, Green}});
    Open(path);
    ASSERT_TRUE(globals.SystemLoaded);
    // The file dialog has not been used: no file name in the header.
    EXPECT_EQ(Child<QPlainTextEdit>("txtInfo")->toPlainText(),
              "System  contains these bodies: \n\n* Sun\n* Earth\n");
    auto* centres = Child<QComboBox>("cboCentre");
    ASSERT_EQ(centres->count(), 3);
    EXPECT_EQ(centres->itemText(2), "Earth");
    EXPECT_EQ(centres->itemData(2).toInt(), globals.CurrentSystem->Item(2).Id());
    EXPECT_EQ(globals.ViewWidth, 3e11);
    EXPECT_EQ(Child<QLabel>("labScale")->text(), "View width = 300 million km");
    // Earth halfway out along X; the trails' first entry (0, 0, 0) is drawn
    // after the bodies and covers the Sun.
    EXPECT_EQ(Plane("XYPlane")->Image().pixel(192, 119), Rgb(Blue));
    EXPECT_EQ(Plane("XYPlane")->Image().pixel(128, 128), Rgb(Green));
    EXPECT_EQ(Child<QAction>("mnuReportsBody0")->text(), "Sun");
    QAction* earthItem = Child<QAction>("mnuReportsBody1");
    EXPECT_EQ(earthItem->text(), "Earth");
    EXPECT_TRUE(earthItem->isEnabled());
    EXPECT_EQ(earthItem->data().toString(), QString::fromStdString(globals.CurrentSystem->Item(2).GetKey()));
}

TEST_F(FrmMainTest, StartsWithAMissingFileListingNothing)
{
    Open(folder.filePath("Missing.kmx"));
    EXPECT_FALSE(globals.SystemLoaded);
    EXPECT_EQ(globals.CurrentSystem, nullptr);
    EXPECT_EQ(Child<QPlainTextEdit>("txtInfo")->toPlainText(), "System  contains these bodies: \n\n");
    EXPECT_EQ(Child<QComboBox>("cboCentre")->count(), 1);
    EXPECT_EQ(globals.ViewWidth, 1e12);
    EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(FrmMainTest, DrawsTheProjectionExamplesOnThePlanes)
{
    const QString path = WriteSystem("One.kmx", {{"Probe", 1, 1, {5e11, -5e11, 0}, {}, Red, Blue}});
    frmMain& main = Open(path);
    Child<QCheckBox>("chkTrails")->setChecked(false);
    main.SetViewWidth(1e12);
    EXPECT_EQ(Plane("XYPlane")->Image().pixel(192, 64), Rgb(Red));
    EXPECT_EQ(Plane("XZPlane")->Image().pixel(192, 128), Rgb(Red));
    EXPECT_EQ(Plane("ZYPlane")->Image().pixel(128, 64), Rgb(Red));
    EXPECT_EQ(Plane("XYPlane")->Image().pixel(128, 128), qRgb(0, 0, 0));

    // Enlarged: 512 pixels a side, all three planes on the X-Y plane's place.
    Child<QPushButton>("butZY")->click();
    EXPECT_TRUE(main.OnePlane());
    for (const char* name : {"XYPlane", "XZPlane", "ZYPlane"}) {
        EXPECT_EQ(Plane(name)->geometry(), QRect(0, 0, 512, 512)) << name;
        EXPECT_EQ(Plane(name)->Image().size(), QSize(512, 512)) << name;
    }
    EXPECT_EQ(Plane("ZYPlane")->Image().pixel(256, 128), Rgb(Red));
    // The plane asked for is in front of the others.
    EXPECT_EQ(Child<QWidget>("client")->childAt(300, 300), Plane("ZYPlane"));
    Child<QPushButton>("butXZ")->click();
    EXPECT_EQ(Child<QWidget>("client")->childAt(300, 300), Plane("XZPlane"));

    Child<QPushButton>("butAll")->click();
    EXPECT_FALSE(main.OnePlane());
    EXPECT_EQ(Plane("ZYPlane")->geometry(), QRect(256, 0, 256, 256));
    EXPECT_EQ(Plane("XYPlane")->Image().pixel(192, 64), Rgb(Red));
}

TEST_F(FrmMainTest, ZoomStopsWhereTheWidthWouldStopBeingANumber)
{
    frmMain& main = Open();
    Child<QPushButton>("butZoomPlus")->click();
    EXPECT_EQ(globals.ViewWidth, 5e11);
    EXPECT_EQ(globals.ViewScale, 1.0 / 5e11);
    Child<QPushButton>("butZoomMinus")->click();
    Child<QPushButton>("butZoomMinus")->click();
    EXPECT_EQ(Child<QLabel>("labScale")->text(), "View width = 2,000 million km");

    main.SetViewWidth(DBL_MIN);
    Child<QPushButton>("butZoomPlus")->click();
    EXPECT_EQ(globals.ViewWidth, DBL_MIN);
    main.SetViewWidth(DBL_MAX);
    Child<QPushButton>("butZoomMinus")->click();
    EXPECT_EQ(globals.ViewWidth, DBL_MAX);
    main.SetViewWidth(0.0);
    main.SetViewWidth(-1.0);
    EXPECT_EQ(globals.ViewWidth, DBL_MAX);
}

TEST_F(FrmMainTest, RecentresOnTheChosenBody)
{
    const QString path = WriteSystem("Pair.kmx", {{"Sun", 2e30, 1.4e9, {}, {}, Red, Green},
                                                  {"Earth", 6e24, 1.3e7, {1.5e11, 0, 0}, {},
                                                   Blue, Green}});
    frmMain& main = Open(path);
    auto* centres = Child<QComboBox>("cboCentre");
    centres->setCurrentIndex(2);
    emit centres->activated(2);
    // Bodies are drawn after the trails when recentring: Earth at the centre,
    // the Sun half a view width to its left.
    EXPECT_EQ(Plane("XYPlane")->Image().pixel(128, 128), Rgb(Blue));
    EXPECT_EQ(Plane("XYPlane")->Image().pixel(64, 128), Rgb(Red));

    // When the centre body is gone, the grid origin is the centre again.
    globals.CurrentSystem->Remove(2);
    const Vector centre = main.CentrePosition();
    EXPECT_EQ(centre, Vector{});
}

TEST_F(FrmMainTest, CentredTrailsSkipEntriesTheCentreBodyLacks)
{
    const QString path = WriteSystem("Pair.kmx", {{"Sun", 2e30, 1.4e9, {}, {}, Red, Green},
                                                  {"Comet", 1, 1, {}, {}, Blue, Blue}});
    Open(path);
    Planet& comet = globals.CurrentSystem->Item(2);
    for (double x : {1e11, 2e11}) {
        comet.Position.XComp = x;
        comet.AddToHistory();
    }
    globals.CurrentSystem->Item(1).Position.YComp = 5e10;
    auto* centres = Child<QComboBox>("cboCentre");
    centres->setCurrentIndex(1);
    emit centres->activated(1);
    // Only the comet's first entry has a Sun entry to be drawn against.
    const QImage xy = Plane("XYPlane")->Image();
    EXPECT_EQ(xy.pixel(128, 128), Rgb(Red));
    int cometMarks = 0;
    for (int x = 0; x < xy.width(); ++x) {
        for (int y = 0; y < xy.height(); ++y)
            cometMarks += xy.pixel(x, y) == Rgb(Blue) ? 1 : 0;
    }
    // Its first trail entry lies under the Sun's: only the current position
    // shows; drawn against a wrong centre, entries 2 and 3 would show too.
    EXPECT_EQ(cometMarks, 1);
    EXPECT_EQ(xy.pixel(154, 122), Rgb(Blue));
}

TEST_F(FrmMainTest, TwoLabelClicksLeaveThePlanesAsTheyWere)
{
    const QString path = WriteSystem("Pair.kmx", {{"Sun", 2e30, 1.4e9, {}, {}, Red, Green},
                                                  {"Earth", 6e24, 1.3e7, {1.5e11, 0, 0}, {},
                                                   Blue, Green}});
    frmMain& main = Open(path);
    globals.CurrentSystem->Item(2).SaveDisplayInfo(100, 100, 100);
    const QImage before[] = {Plane("XYPlane")->Image(), Plane("XZPlane")->Image(),
                             Plane("ZYPlane")->Image()};
    auto* label = Child<QPushButton>("butLabel");
    label->click();
    EXPECT_TRUE(main.LabelsShown());
    EXPECT_TRUE(main.Paused());
    EXPECT_EQ(Child<QPushButton>("butPause")->text(), "Resume");
    EXPECT_NE(Plane("XYPlane")->Image(), before[0]);
    EXPECT_EQ(Plane("Backup1")->Background(), before[1]);
    label->click();
    EXPECT_FALSE(main.LabelsShown());
    EXPECT_FALSE(main.Paused());
    EXPECT_EQ(Child<QPushButton>("butPause")->text(), "Pause");
    EXPECT_EQ(Plane("XYPlane")->Image(), before[0]);
    EXPECT_EQ(Plane("XZPlane")->Image(), before[1]);
    EXPECT_EQ(Plane("ZYPlane")->Image(), before[2]);
}

TEST_F(FrmMainTest, CentredRedrawStopsWhenTheSystemIsReplacedUnderIt)
{
    const QString path = WriteSystem("Pair.kmx", {{"Sun", 2e30, 1.4e9, {}, {}, Red, Green},
                                                  {"Earth", 6e24, 1.3e7, {1.5e11, 0, 0}, {},
                                                   Blue, Green}});
    frmMain& main = Open(path);
    Child<QComboBox>("cboCentre")->setCurrentIndex(1);
    // Histories long enough that the redraw lets events through on the way.
    Planets& system = *globals.CurrentSystem;
    for (int extra = 0; extra < 60; ++extra)
        system.Add("Extra", 1, 1, 1e9 * extra, 0, 0, 0, 0, 0);
    for (Planet& body : system) {
        for (int entry = 1; entry < MaxHistory; ++entry)
            body.AddToHistory();
    }
    // A command replaces the system while the redraw waits for events.
    bool replaced = false;
    QTimer::singleShot(0, [&] {
        while (system.Count() > 0)
            system.Remove(system.Count());
        for (int index = 0; index < 70; ++index)
            system.Add("New", 1, 1, 0, 0, 0, 0, 0, 0).LoColor = Red;
        replaced = true;
    });
    main.DrawTrails();
    ASSERT_TRUE(replaced);
    // Going on would have drawn the new bodies' first entries at the centre.
    EXPECT_NE(Plane("XYPlane")->Image().pixel(128, 128), Rgb(Red));
}

TEST_F(FrmMainTest, LoadCommandAsksForAKmxFileAndRefreshes)
{
    const QString path = WriteSystem("Pair.kmx", {{"Sun", 2e30, 1.4e9, {}, {}, Red, Green},
                                                  {"Earth", 6e24, 1.3e7, {1.5e11, 0, 0}, {},
                                                   Blue, Green}});
    Open();
    globals.SystemAltered = true;
    dialogs.FileAnswers.push_back(ScriptedDialogService::FileAnswer::Cancel());
    Child<QAction>("mnuFileLoad")->trigger();
    EXPECT_TRUE(globals.SystemAltered);
    EXPECT_EQ(Child<QPlainTextEdit>("txtInfo")->toPlainText(), "No system loaded");

    dialogs.FileAnswers.push_back(ScriptedDialogService::FileAnswer::Choose(path));
    Child<QAction>("mnuFileLoad")->trigger();
    const auto opens = dialogs.CallsOf(ScriptedDialogService::Kind::Open);
    ASSERT_EQ(opens.size(), 2u);
    EXPECT_EQ(opens[1].text, "Kosmolux Files|*.kmx|All Files|*.*");
    EXPECT_EQ(opens[1].flags, FileDialog::FileMustExist);
    EXPECT_EQ(window->CommonDialog1().DefaultExt, "kmx");
    EXPECT_FALSE(globals.SystemAltered);
    EXPECT_EQ(Child<QPlainTextEdit>("txtInfo")->toPlainText(),
              "System 'Pair.kmx' contains these bodies: \n\n* Sun\n* Earth\n");
    EXPECT_EQ(Child<QComboBox>("cboCentre")->count(), 3);

    dialogs.FileAnswers.push_back({FileDialogOutcome::Failed, {}, "Device unavailable", 68});
    Child<QAction>("mnuFileLoad")->trigger();
    const auto messages = dialogs.CallsOf(ScriptedDialogService::Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Device unavailable: 68");
    EXPECT_EQ(messages[0].title, "File Load");
}

}  // namespace
}  // namespace kosmolux::testing

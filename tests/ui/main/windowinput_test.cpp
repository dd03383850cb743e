#include <QDir>
#include <QDropEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTest>
#include <QTextBrowser>
#include <QToolTip>
#include <QUrl>
#include <QWheelEvent>

#include "ui/dialogs/frmpickdate.h"
#include "ui/main/mainwindowtest.h"
#include "ui/main/usersettings.h"

namespace kosmolux::testing {
namespace {

// With SunAndEarth fitted, the view width is 2.992e11 m: the Sun is drawn at
// the centre of a plane and the Earth halfway to its right edge.
class WindowInputTest : public MainWindowTest {
protected:
    WindowInputTest() { QSettings(QStringLiteral("Kosmolux"), QStringLiteral("Kosmolux")).clear(); }

    frmMain& OpenShown(const QString& commandLine = {})
    {
        frmMain& main = Open(commandLine);
        main.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
        return main;
    }

    bool Lit(int x, int y) const { return Plane("XYPlane")->Image().pixel(x, y) == Rgb(White); }

    // Lets the window system's events and the redraws they ask for run.
    static void Settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    QString TipAt(const QPoint& point) const
    {
        PlotPlane* plane = Plane("XYPlane");
        QHelpEvent help(QEvent::ToolTip, point, plane->mapToGlobal(point));
        QCoreApplication::sendEvent(plane, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    // Drags a file over the window and drops it when the window takes it.
    bool Drop(const QString& path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window.get(), &drop);
        Settle();
        return true;
    }
};

TEST_F(WindowInputTest, GrowsShrinksAndRemembersItsSizeAlsoDuringARun)
{
    frmMain& main = OpenShown(SunAndEarth());
    const QSize design = main.size();
    // Planes of 356 and their centre at 178.
    main.resize(design + QSize(400, 200));
    Settle();
    EXPECT_TRUE(Lit(178, 178));
    EXPECT_TRUE(Lit(267, 178));

    // Shrunk during a run to the smallest size, the design's: redrawn at
    // once, and the run goes on.
    const std::int64_t steps = Run([&](std::int64_t step) {
        if (step == 1) {
            main.resize(1, 1);
            Settle();
        }
        if (step == 2)
            Button("butStop")->click();
    });
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(main.size(), design);
    EXPECT_TRUE(Lit(128, 128));
    EXPECT_FALSE(Lit(178, 178));

    main.resize(design + QSize(50, 0));
    Settle();
    main.close();
    frmMain next(globals, dialogs);
    RestoreWindowGeometry(next);
    EXPECT_EQ(next.size(), design + QSize(50, 0));
}

// Run a second time with QT_SCALE_FACTOR=2: the planes hold the device's
// pixels, and the pointer still finds the bodies.
TEST_F(WindowInputTest, WheelClickAndTipOnThePlanesAtAnyScale)
{
    OpenShown(SunAndEarth());
    const qreal scale = Plane("XYPlane")->devicePixelRatio();
    EXPECT_EQ(Plane("XYPlane")->Image().width(), qRound(256 * scale));
    EXPECT_TRUE(Lit(qRound(192 * scale), qRound(128 * scale)));

    EXPECT_EQ(TipAt(QPoint(192, 131)), "Earth: 149,600,000 km from Grid Origin");
    // Five pixels off the Sun, or the wrong button: no new centre.
    QTest::mouseClick(Plane("XYPlane"), Qt::LeftButton, {}, QPoint(128, 133));
    QTest::mouseClick(Plane("XYPlane"), Qt::RightButton, {}, QPoint(192, 131));
    EXPECT_EQ(Child<QComboBox>("cboCentre")->currentText(), "Grid Origin");
    QTest::mouseClick(Plane("XYPlane"), Qt::LeftButton, {}, QPoint(192, 131));
    EXPECT_EQ(Child<QComboBox>("cboCentre")->currentText(), "Earth");
    EXPECT_TRUE(Lit(qRound(128 * scale), qRound(128 * scale)));
    EXPECT_EQ(TipAt(QPoint(64, 128)), "Sun: 149,600,000 km from Earth");

    // A notch forward halves the width, back doubles it; half notches add up.
    const std::pair<int, double> turns[] = {{120, 1.496e11}, {-240, 5.984e11}, {60, 5.984e11},
                                            {60, 2.992e11}};
    for (const auto& [angle, width] : turns) {
        QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), {}, QPoint(0, angle), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Plane("XYPlane"), &wheel);
        EXPECT_EQ(globals.ViewWidth, width) << angle;
    }
}

TEST_F(WindowInputTest, KeysDriveTheRunTheZoomAndTheFileMenu)
{
    frmMain& main = OpenShown(SunAndEarth());
    QTest::keyClick(&main, Qt::Key_Plus);
    EXPECT_EQ(globals.ViewWidth, 1.496e11);
    QTest::keyClick(&main, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(globals.ViewWidth, 2.992e11);
    dialogs.FileAnswers = {FileAnswer::Cancel(), FileAnswer::Cancel()};
    QTest::keyClick(&main, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&main, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dialogs.CallsOf(Kind::Open).size(), 1u);
    EXPECT_EQ(dialogs.CallsOf(Kind::Save).size(), 1u);
    // The keys whose commands would open a real dialog here or end the test.
    for (const auto& [item, keys] : {std::pair{"mnuFileNewSystem", "Ctrl+N"}, std::pair{"mnuFileSave", "Ctrl+S"},
                                     std::pair{"mnuFileExit", "Ctrl+Q"}})
        EXPECT_EQ(Child<QAction>(item)->shortcut(), QKeySequence(QString::fromLatin1(keys))) << item;

    // Space starts, pauses and resumes.
    bool resumed = false;
    main.StepFinished = [&](std::int64_t step) {
        if (step == 1) {
            QTimer::singleShot(0, &main, [&] {
                resumed = true;
                QTest::keyClick(&main, Qt::Key_Space);
            });
            QTest::keyClick(&main, Qt::Key_Space);
        } else if (step == 2) {
            EXPECT_TRUE(resumed);
            Button("butStop")->click();
        }
    };
    QTest::keyClick(&main, Qt::Key_Space);
    EXPECT_TRUE(resumed);
    EXPECT_EQ(EnabledRunButtons(), QStringList({"butSimulate"}));
}

TEST_F(WindowInputTest, DroppedAndRecentSystemsLoadAsLoadDoes)
{
    const QString sunAndEarth = SunAndEarth();
    const QString vega = WriteSystem("Vega.kmx", {{"Vega", 4e30, 2e9, {}, {}}});
    Open();
    EXPECT_FALSE(Drop(folder.filePath("Notes.txt")));
    Load(sunAndEarth);
    ASSERT_TRUE(Drop(vega));
    EXPECT_EQ(CentreNames(), QStringList({"Grid Origin", "Vega"}));

    // What a run did to the system is not dropped without asking.
    globals.SystemAltered = true;
    dialogs.YesNoAnswers.push_back(DialogService::Button::No);
    Drop(sunAndEarth);
    EXPECT_EQ(dialogs.MessageTexts().last(),
              "The simulation has changed the current system. Load SunEarth.kmx in its place?");
    EXPECT_EQ(CentreNames(), QStringList({"Grid Origin", "Vega"}));

    emit Child<QMenu>("mnuFile")->aboutToShow();
    const QList<QAction*> recent = Child<QMenu>("mnuFileRecent")->actions();
    ASSERT_EQ(recent.size(), 2);
    EXPECT_EQ(recent[0]->text(), "&1 " + QDir::toNativeSeparators(vega));
    recent[1]->trigger();
    EXPECT_EQ(CentreNames(), QStringList({"Grid Origin", "Sun", "Earth"}));

    // Saved files join the list; the oldest beyond eight leave it.
    dialogs.FileAnswers.push_back(FileAnswer::Choose(folder.filePath("Saved.kmx")));
    Trigger("mnuFileSaveAs");
    for (int index = 0; index < 7; ++index)
        AddRecentSystem(folder.filePath(QStringLiteral("Other%1.kmx").arg(index)));
    const QStringList kept = RecentSystems();
    ASSERT_EQ(kept.size(), 8);
    EXPECT_EQ(kept.last(), folder.filePath("Saved.kmx"));
}

TEST_F(WindowInputTest, F1OpensAGuideThatStaysUsableBesideAModalDialog)
{
    for (const char* page : {"index", "next"})
        WriteFile(QStringLiteral("help/%1.html").arg(page), QStringLiteral("<html><head><title>%1</title></head></html>").arg(page).toUtf8());
    frmMain& main = OpenShown();
    bool checked = false;
    WhenOpen<frmPickDate>([&](frmPickDate& picker) {
        QTest::keyClick(&picker, Qt::Key_F1);
        HelpWindow* guide = OpenGuide();
        ASSERT_NE(guide, nullptr);
        auto* pages = guide->findChild<QTextBrowser*>("txtGuide");
        pages->setSource(QUrl(QStringLiteral("next.html")));
        // Clicks as the window system delivers them, which a modal dialog
        // filters: the guide takes them, the main window does not.
        auto clickOn = [](QWidget* window, QWidget* button) {
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                              button->mapTo(window, button->rect().center()));
        };
        clickOn(guide, guide->findChild<QPushButton*>("butContents"));
        EXPECT_EQ(pages->documentTitle(), "index");
        clickOn(&main, Button("butZoomPlus"));
        EXPECT_EQ(globals.ViewWidth, 1e12);
        checked = picker.isVisible();
    });
    Trigger("mnuEditDate");
    EXPECT_TRUE(checked);
}

}  // namespace
}  // namespace kosmolux::testing

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QApplication>
#include <QPointer>
#include <QTest>

#include "ui/dialogs/frmabout.h"
#include "ui/dialogs/frmpickdate.h"
#include "ui/dialogs/helpwindow.h"
#include "ui/editor/frmedit.h"
#include "ui/generator/colourswatch.h"
#include "ui/generator/frmnewbody.h"
#include "ui/main/mainwindowtest.h"

namespace kosmolux::testing {
namespace {

using Kind = ScriptedDialogService::Kind;
using FileAnswer = ScriptedDialogService::FileAnswer;

const char* const SolarFile = KOSMOLUX_EXAMPLES_DIR "/Solar.kmx";

class EditCommandsTest : public MainWindowTest {
protected:
    const Planet* BodyNamed(const std::string& name) const
    {
        for (const Planet& body : *globals.CurrentSystem) {
            if (body.PlanetName == name)
                return &body;
        }
        return nullptr;
    }

    static void SelectBody(frmEdit& editor, const QString& name)
    {
        auto* bodies = editor.findChild<QComboBox*>(QStringLiteral("cboBodies"));
        const int index = bodies->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        bodies->setCurrentIndex(index);
    }

    void WriteHelpGuide()
    {
        ASSERT_TRUE(QDir(folder.path()).mkpath("help"));
        QFile index(folder.filePath("help/index.html"));
        ASSERT_TRUE(index.open(QIODevice::WriteOnly));
        index.write("<html><head><title>Kosmolux</title></head><body>Guide</body></html>");
    }
};

TEST_F(EditCommandsTest, AddNewBodyPausesOffersSaveAsAndListsUnderTheFileName)
{
    frmMain& main = Open();
    Load(WriteSystem("Pair.kmx", {{"Sun", 2e30, 1.4e9, {}, {}},
                                  {"Earth", 6e24, 1.3e7, {1.5e11, 0, 0}, {0, 29780, 0}}}));
    WhenOpen<frmNewBody>([](frmNewBody& generator) {
        AcceptBody(generator, {"Comet", 1e13, 1e4, {0, -4e11, 0}, {100, 0, 0}});
        Click(generator, "butDone");
    });
    dialogs.FileAnswers.push_back(FileAnswer::Cancel());
    Trigger("mnuEditAdd");

    EXPECT_TRUE(main.Paused());
    EXPECT_EQ(Child<QPushButton>("butPause")->text(), "Resume");
    const auto saves = dialogs.CallsOf(Kind::Save);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].flags, FileDialog::OverwritePrompt | FileDialog::PathMustExist);
    EXPECT_EQ(Info(), "System Pair.kmx contains these bodies: \n\n* Sun\n* Earth\n* Comet\n");
    EXPECT_EQ(Child<QComboBox>("cboCentre")->count(), 4);
    EXPECT_EQ(globals.ViewWidth, 8e11);
    EXPECT_EQ(Child<QAction>("mnuReportsBody2")->text(), "Comet");
}

TEST_F(EditCommandsTest, EditorChangesSurviveSaveAsAndTheNextLoad)
{
    Open();
    Load(SolarFile);
    ASSERT_EQ(globals.CurrentSystem->Count(), 11);
    ASSERT_NE(BodyNamed("Moon"), nullptr);
    const Colour red = 255;
    dialogs.InputAnswers.push_back("Ares");
    dialogs.ColourAnswers.push_back(red);
    dialogs.YesNoAnswers.push_back(DialogService::Button::Yes);
    WhenOpen<frmEdit>([](frmEdit& editor) {
        SelectBody(editor, "Mars");
        Click(editor, "butRename");
        SelectBody(editor, "Ares");
        QTest::mouseClick(editor.findChild<ColourSwatch*>(QStringLiteral("picHiColor")),
                          Qt::LeftButton);
        SelectBody(editor, "Moon");
        Click(editor, "butDelete");
        Click(editor, "butOK");
    });
    const QString saved = folder.filePath("MySolar.kmx");
    dialogs.FileAnswers.push_back(FileAnswer::Choose(saved));
    Trigger("mnuEditBodies");
    EXPECT_EQ(dialogs.CallsOf(Kind::Message)[0].text, "Are you sure you want to delete 'Moon'?");
    EXPECT_TRUE(Info().startsWith("System MySolar.kmx contains these bodies: \n\n* Sun\n"));

    // Another system in between, then the saved one again.
    Load(SolarFile);
    Load(saved);
    EXPECT_EQ(globals.CurrentSystem->SystemName, "MySolar.kmx");
    EXPECT_EQ(globals.CurrentSystem->Count(), 10);
    EXPECT_EQ(BodyNamed("Moon"), nullptr);
    EXPECT_EQ(BodyNamed("Mars"), nullptr);
    const Planet* ares = BodyNamed("Ares");
    ASSERT_NE(ares, nullptr);
    EXPECT_EQ(ares->HiColor, red);
    EXPECT_EQ(ares->Parent, BodyNamed("Sun")->Id());
    EXPECT_EQ(Info().count("\n* "), 10);
    EXPECT_TRUE(dialogs.ColourAnswers.empty());
}

TEST_F(EditCommandsTest, StartDateAndAboutOpenTheirDialogs)
{
    Open();
    WhenOpen<frmPickDate>([](frmPickDate& picker) {
        picker.findChild<QLineEdit*>(QStringLiteral("txtDate"))->setText("7/4/2021");
        Click(picker, "butOK");
    });
    Trigger("mnuEditDate");
    EXPECT_EQ(globals.StartDate, QDate(2021, 7, 4));

    QString title;
    WhenOpen<frmAbout>([&title](frmAbout& about) {
        title = about.windowTitle();
        Click(about, "cmdOK");
    });
    Trigger("mnuHelpAbout");
    EXPECT_EQ(title, "About Kosmolux");
}

TEST_F(EditCommandsTest, ContentsAndF1OpenTheGuide)
{
    frmMain& main = Open();
    Trigger("mnuHelpContents");
    const auto missing = dialogs.CallsOf(Kind::Message);
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0].title, "Help");

    WriteHelpGuide();
    main.show();
    QApplication::setActiveWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_F1);
    auto* guide = main.findChild<HelpWindow*>();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_EQ(dialogs.CallsOf(Kind::Message).size(), 1u);
}

TEST_F(EditCommandsTest, ClosingTheWindowClosesEveryDialogWithoutAQuestion)
{
    frmMain& main = Open();
    Load(WriteSystem("Pair.kmx", {{"Sun", 2e30, 1.4e9, {}, {}},
                                  {"Earth", 6e24, 1.3e7, {1.5e11, 0, 0}, {0, 29780, 0}}}));
    WriteHelpGuide();
    Trigger("mnuHelpContents");
    QPointer<HelpWindow> guide = main.findChild<HelpWindow*>();
    ASSERT_TRUE(guide && guide->isVisible());

    // The generator opened from the editor, two dialogs deep.
    bool generatorOpen = false;
    bool generatorClosed = false;
    WhenOpen<frmEdit>([&](frmEdit& editor) {
        QTimer::singleShot(0, [&] {
            frmNewBody* generator = editor.findChild<frmNewBody*>();
            generatorOpen = generator != nullptr;
            main.close();
            generatorClosed = generator && !generator->isVisible();
            if (generator && generator->isVisible())
                generator->reject();
        });
        Click(editor, "butAdd");
    });
    dialogs.FileAnswers.push_back(FileAnswer::Cancel());
    Trigger("mnuEditBodies");
    EXPECT_TRUE(generatorOpen);
    EXPECT_TRUE(generatorClosed);
    EXPECT_TRUE(globals.StopRequested);
    EXPECT_TRUE(guide.isNull() || !guide->isVisible());
    // No Save As, no question, no automatic copy.
    EXPECT_TRUE(dialogs.CallsOf(Kind::Save).empty());
    EXPECT_TRUE(dialogs.CallsOf(Kind::Message).empty());
    EXPECT_FALSE(QFile::exists(folder.filePath("Current.kmx")));
    EXPECT_EQ(globals.CurrentSystem->Count(), 2);
}

TEST_F(EditCommandsTest, ClosingTheWindowClosesTheSmallDialogsToo)
{
    for (const char* command : {"mnuEditDate", "mnuHelpAbout", "mnuFileNewSystem"}) {
        frmMain& main = Open();
        int leftOpen = 0;
        QTimer::singleShot(0, [&] {
            main.close();
            for (QDialog* dialog : main.findChildren<QDialog*>()) {
                if (dialog->isVisible()) {
                    ++leftOpen;
                    dialog->reject();
                }
            }
        });
        dialogs.FileAnswers.push_back(FileAnswer::Cancel());
        Trigger(command);
        EXPECT_EQ(leftOpen, 0) << command;
        EXPECT_TRUE(dialogs.Calls.empty()) << command;
        dialogs.FileAnswers.clear();
    }
}

}  // namespace
}  // namespace kosmolux::testing

#include <QDir>
#include <QPointer>
#include <QTest>

#include "ui/dialogs/helpwindow.h"
#include "ui/editor/frmedit.h"
#include "ui/generator/colourswatch.h"
#include "ui/main/mainwindowtest.h"

namespace kosmolux::testing {
namespace {

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
        bodies->setCurrentIndex(bodies->findText(name));
        ASSERT_EQ(bodies->currentText(), name);
    }
};

TEST_F(EditCommandsTest, EditorChangesSurviveSaveAsAndTheNextLoad)
{
    Open();
    Load(SolarFile);
    ASSERT_EQ(globals.CurrentSystem->Count(), 11);
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
    EXPECT_TRUE(Info().startsWith("System MySolar.kmx contains these bodies: \n\n* Sun\n"));

    Load(saved);
    EXPECT_EQ(globals.CurrentSystem->Count(), 10);
    EXPECT_EQ(BodyNamed("Moon"), nullptr);
    EXPECT_EQ(BodyNamed("Mars"), nullptr);
    const Planet* ares = BodyNamed("Ares");
    ASSERT_NE(ares, nullptr);
    EXPECT_EQ(ares->HiColor, red);
    EXPECT_EQ(ares->Parent, BodyNamed("Sun")->Id());
}

TEST_F(EditCommandsTest, ClosingDuringARunClosesEveryDialogWithoutAQuestion)
{
    frmMain& main = Open(SunAndEarth());
    WriteFile("help/index.html", "<html><head><title>Kosmolux</title></head><body>Guide</body></html>");
    QPointer<HelpWindow> guide;
    bool generatorClosed = false;
    const std::int64_t steps = Run([&](std::int64_t step) {
        if (step != 3)
            return;
        Trigger("mnuHelpContents");
        guide = OpenGuide();
        ASSERT_NE(guide, nullptr);
        // The generator opened from the editor, two dialogs deep.
        WhenOpen<frmEdit>([&](frmEdit& editor) {
            QTimer::singleShot(0, [&] {
                frmNewBody* generator = editor.findChild<frmNewBody*>();
                ASSERT_NE(generator, nullptr);
                main.close();
                generatorClosed = !generator->isVisible();
                if (!generatorClosed)
                    generator->reject();
            });
            Click(editor, "butAdd");
        });
        dialogs.FileAnswers.push_back(FileAnswer::Cancel());
        Trigger("mnuEditBodies");
    });
    EXPECT_EQ(steps, 3);
    EXPECT_FALSE(main.Running());
    EXPECT_TRUE(generatorClosed);
    EXPECT_TRUE(guide.isNull() || !guide->isVisible());
    // No Save As, no question, no automatic copy.
    EXPECT_TRUE(dialogs.Calls.empty());
    EXPECT_FALSE(QFile::exists(folder.filePath("Current.kmx")));
    EXPECT_EQ(globals.CurrentSystem->Count(), 2);
}

TEST_F(EditCommandsTest, ClosingTheWindowClosesTheGeneratorOfNewSystemWithoutASaveAs)
{
    frmMain& main = Open();
    WhenOpen<frmNewBody>([&](frmNewBody& generator) {
        main.close();
        EXPECT_FALSE(generator.isVisible());
    });
    Trigger("mnuFileNewSystem");
    EXPECT_TRUE(dialogs.Calls.empty());
}

}  // namespace
}  // namespace kosmolux::testing

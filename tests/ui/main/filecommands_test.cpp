#include <QDir>
#include <QMenu>

#include "ui/main/mainwindowtest.h"

namespace kosmolux::testing {
namespace {

class FileCommandsTest : public MainWindowTest {
protected:
    QString ThreeBodies()
    {
        return WriteSystem("Three.kmx", {{"Sun", 2e30, 1.4e9, {}, {}},
                                         {"Earth & Moon", 6e24, 1.3e7, {1.5e11, 0, 0}, {0, 29780, 0}},
                                         {"Mars", 6.4e23, 6.8e6, {2.3e11, 0, 0}, {0, 24000, 0}}});
    }

    QList<QAction*> BodyItems() const { return Child<QMenu>("mnuReportsBodies")->actions(); }
};

TEST_F(FileCommandsTest, LoadListsEverySystemInFileOrderAfterACancel)
{
    Open();
    globals.SystemAltered = true;
    dialogs.FileAnswers.push_back(FileAnswer::Cancel());
    Trigger("mnuFileLoad");
    EXPECT_TRUE(globals.SystemAltered);
    EXPECT_EQ(Info(), "No system loaded");

    // Loaded twice: the items kept from the first load stand for the new bodies.
    const QString three = ThreeBodies();
    Load(three);
    Load(three);
    EXPECT_FALSE(globals.SystemAltered);
    EXPECT_EQ(Info(), "System 'Three.kmx' contains these bodies: \n\n* Sun\n* Earth & Moon\n* Mars\n");
    EXPECT_EQ(CentreNames(), QStringList({"Grid Origin", "Sun", "Earth & Moon", "Mars"}));
    EXPECT_EQ(globals.ViewWidth, 4.6e11);
    QList<QAction*> items = BodyItems();
    ASSERT_EQ(items.size(), 3);
    for (int index = 0; index < 3; ++index) {
        const Planet& body = globals.CurrentSystem->Item(index + 1);
        // As the menu shows it: "&" would otherwise mark an access key.
        EXPECT_EQ(items[index]->iconText(), QString::fromStdString(body.PlanetName));
        EXPECT_EQ(items[index]->data().toString(), QString::fromStdString(body.GetKey()));
    }

    Load(WriteSystem("One.kmx", {{"Vulcan", 1e24, 1e7, {1e10, 0, 0}, {}}}));
    items = BodyItems();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->text(), "Vulcan");
    EXPECT_TRUE(items[0]->isEnabled());
    // A new system left without bodies: one disabled item, its caption kept.
    Generate("mnuFileNewSystem", {});
    EXPECT_EQ(Info(), "System 'Current.kmx' contains these bodies: \n\n");
    items = BodyItems();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->text(), "Vulcan");
    EXPECT_FALSE(items[0]->isEnabled());
}

TEST_F(FileCommandsTest, FilesWithoutASystemChangeNothingAndAfterProblemsSaveAsksForAName)
{
    Open();
    const QString three = ThreeBodies();
    Load(three);
    globals.SystemAltered = true;
    const QString info = Info();
    const std::uint64_t revision = globals.CurrentSystem->Revision();
    const QByteArray png =
        QByteArray::fromHex("89504e470d0a1a0a0000000d494844520000001000fffe5b785d3d80");
    const std::pair<const char*, QByteArray> notSystems[] = {
        {"Picture.png", png}, {"Empty.kmx", {}}, {"Notes.txt", "shopping=milk\nno sections\n"}};
    for (const auto& [name, bytes] : notSystems) {
        Load(WriteFile(name, bytes));
        EXPECT_EQ(window->CommonDialog1().FileName, three) << name;
        EXPECT_EQ(globals.CurrentSystem->Revision(), revision);
        EXPECT_TRUE(globals.SystemAltered);
        EXPECT_EQ(Info(), info);
    }
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());

    // Save goes on writing the system's own file, never over the picture.
    Trigger("mnuFileSave");
    EXPECT_EQ(Bytes(folder.filePath("Picture.png")), png);
    EXPECT_TRUE(Bytes(three).contains("[Mars]"));

    // A load that told of problems: Save asks, as Save As does.
    const QByteArray misread = "[System]\r\n1=Mercury\r\n[General]\r\nTotalBodies=1\r\n[Mercury]\r\nMass=3.30E+23kg\r\n";
    const QString misreadFile = WriteFile("Misread.kmx", misread);
    Load(misreadFile);
    ASSERT_EQ(dialogs.CallsOf(Kind::Message).size(), 1u);
    // A cancel writes nothing, a name chosen is Save's file from then on.
    dialogs.FileAnswers = {FileAnswer::Cancel(), FileAnswer::Choose(folder.filePath("Fixed.kmx"))};
    for (int save = 0; save < 3; ++save)
        Trigger("mnuFileSave");
    EXPECT_EQ(dialogs.CallsOf(Kind::Save).size(), 2u);
    EXPECT_EQ(Bytes(misreadFile), misread);
    EXPECT_TRUE(Bytes(folder.filePath("Fixed.kmx")).contains("[Mercury]"));
}

TEST_F(FileCommandsTest, SaveWritesOnlyTheFileChosenInSaveAsAlsoAfterANewSystem)
{
    // Right after start-up, even with a system from the command line, Save
    // does nothing.
    const QString three = ThreeBodies();
    const QByteArray before = Bytes(three);
    Open(three);
    globals.CurrentSystem->Item(1).Mass = 3e30;
    Trigger("mnuFileSave");
    EXPECT_TRUE(dialogs.Calls.empty());
    EXPECT_EQ(Bytes(three), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"Three.kmx"}));

    const QString copy = folder.filePath("Copy.kmx");
    dialogs.FileAnswers.push_back(FileAnswer::Choose(copy));
    Trigger("mnuFileSaveAs");
    EXPECT_EQ(globals.CurrentSystem->SystemName, "Copy.kmx");
    EXPECT_TRUE(Bytes(copy).contains("Mass=3.0E+30"));
    globals.CurrentSystem->Item(1).Mass = 4e30;
    Trigger("mnuFileSave");
    EXPECT_TRUE(Bytes(copy).contains("Mass=4.0E+30"));

    // A cancel ends silently; another failure is shown and saves nothing.
    dialogs.FileAnswers.push_back(FileAnswer::Cancel());
    Trigger("mnuFileSaveAs");
    dialogs.FileAnswers.push_back({FileDialogOutcome::Failed, {}, "Path not found", 76});
    Trigger("mnuFileSaveAs");
    const auto messages = dialogs.CallsOf(Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Path not found: 76");
    EXPECT_EQ(messages[0].title, "Save As");
    EXPECT_EQ(window->CommonDialog1().FileName, copy);

    // A first star at the origin keeps the view width, to zoom from.
    Generate("mnuFileNewSystem", {{"Star", 2e30, 1.4e9, {}, {}}});
    EXPECT_EQ(globals.ViewWidth, 4.6e11);
    Button("butZoomPlus")->click();
    EXPECT_EQ(globals.ViewWidth, 2.3e11);

    globals.SystemAltered = true;
    Generate("mnuFileNewSystem", {{"Star", 2e30, 1.4e9, {}, {}},
                                  {"Rock", 1e20, 1e5, {1e11, 0, 0}, {0, 36000, 0}}});
    ASSERT_EQ(globals.CurrentSystem->Count(), 2);
    EXPECT_FALSE(globals.SystemAltered);
    // Done saved the automatic copy, which named the system.
    EXPECT_EQ(Info(), "System 'Current.kmx' contains these bodies: \n\n* Star\n* Rock\n");
    EXPECT_EQ(CentreNames(), QStringList({"Grid Origin", "Star", "Rock"}));
    EXPECT_EQ(BodyItems().size(), 2);
    EXPECT_EQ(globals.ViewWidth, 2e11);

    // Save writes them to the file last chosen.
    Trigger("mnuFileSave");
    EXPECT_TRUE(Bytes(copy).contains("[Rock]"));
    EXPECT_FALSE(Bytes(copy).contains("[Mars]"));
}

// A big system's items go into the menu when it opens, in order; they
// leave it as the system shrinks, whether the menu was opened or not.
TEST_F(FileCommandsTest, ABigSystemsBodyItemsComeInWhenTheMenuOpens)
{
    frmMain& main = Open();
    Planets& system = globals.EnsureSystem();
    for (int i = 0; i < 1500; ++i)
        system.Add(QStringLiteral("B%1").arg(i).toStdString(), 1.0, 1.0, i, 0, 0, 0, 0, 0);
    main.BuildBodyReportMenu();
    emit Child<QMenu>("mnuReportsBodies")->aboutToShow();
    ASSERT_EQ(BodyItems().size(), 1500);
    EXPECT_EQ(BodyItems()[1499]->text(), "B1499");

    for (const int count : {3000, 2}) {
        system.Clear();
        for (int i = 0; i < count; ++i)
            system.Add(QStringLiteral("C%1").arg(i).toStdString(), 1.0, 1.0, i, 0, 0, 0, 0, 0);
        main.BuildBodyReportMenu();
    }
    ASSERT_EQ(BodyItems().size(), 2);
    EXPECT_EQ(BodyItems()[1]->text(), "C1");
}

}  // namespace
}  // namespace kosmolux::testing

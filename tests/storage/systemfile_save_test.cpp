#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/scripteddialogservice.h"
#include "platform/textformats.h"
#include "storage/bodyname.h"
#include "storage/currentfile.h"
#include "storage/filebytes.h"
#include "storage/recordingcentrelist.h"
#include "storage/systemfile.h"

namespace kosmolux {
namespace {

class SaveSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        globals_.StartDate = QDate(2000, 3, 5);
        globals_.ProgramFolder = folder_.path();
    }

    // A star named Sun and a planet named Earth in orbit around it.
    void MakeSunAndEarth()
    {
        Planets& system = globals_.EnsureSystem();
        Planet& sun = system.Add("Sun", 1.989e30, 1.392e9, 4.5e5, -2.25e5, 1.5e4, 1.2e-2, -8.9e-2, 3.0e-3);
        sun.HiColor = 65535;
        sun.LoColor = 255;
        sun.Parent = -1;
        Planet& earth = system.Add("Earth", 5.976e24, 1.2756e7, 1.496e11, 1.5e3, 2.5e2, -1.25e-1, 2.978e4, 1.5e1);
        earth.HiColor = 16777215;
        earth.LoColor = 65535;
        earth.Parent = sun.Id();
    }

    QString PathOf(const QString& name) const { return folder_.filePath(name); }

    QTemporaryDir folder_;
    Globals globals_;
    ScriptedDialogService dialogs_;
};

TEST_F(SaveSystemTest, SunAndEarthGiveTheFixedLayout)
{
    MakeSunAndEarth();
    const QString path = PathOf("Solar.kmx");
    ASSERT_TRUE(SaveSystem(globals_, dialogs_, path));
    const QStringList expected = {
        "[System]", "1=Sun", "2=Earth",
        "[General]", "TotalBodies=2", "StartDate=" + text::FormatShortDate(QDate(2000, 3, 5)),
        "[Sun]", "Mass=1.989E+30", "Diameter=1.392E+9", "X=4.5E+5", "Y=-2.25E+5", "Z=1.5E+4",
        "VX=1.2E-2", "VY=-8.9E-2", "VZ=3.0E-3", "HiColor=65535", "LoColor=255",
        "Lightweight=N", "Locked=N", "Parent=(none)",
        "[Earth]", "Mass=5.976E+24", "Diameter=1.2756E+7", "X=1.496E+11", "Y=1.5E+3", "Z=2.5E+2",
        "VX=-1.25E-1", "VY=2.978E+4", "VZ=1.5E+1", "HiColor=16777215", "LoColor=65535",
        "Lightweight=N", "Locked=N", "Parent=Sun",
    };
    const QByteArray bytes = ReadBytes(path);
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QStringList lines = QString::fromUtf8(bytes.chopped(2)).split("\r\n");
    ASSERT_EQ(lines.size(), 34);
    for (int i = 0; i < 34; ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(lines[5], "StartDate=3/5/2000");
    EXPECT_EQ(globals_.CurrentSystem->SystemName, "Solar.kmx");
    EXPECT_EQ(SystemFileContents(globals_), bytes);
    EXPECT_TRUE(dialogs_.Calls.empty());
    EXPECT_EQ(FolderEntries(folder_.path()), QStringList{"Solar.kmx"});

    ASSERT_TRUE(SaveSystem(globals_, dialogs_, CurrentFilePath(globals_)));
    EXPECT_EQ(globals_.CurrentSystem->SystemName, "Current.kmx");
    EXPECT_EQ(ReadBytes(PathOf("Current.kmx")), bytes);

    // A body whose parent is gone is saved without one.
    globals_.CurrentSystem->Remove(1);
    EXPECT_TRUE(SystemFileContents(globals_).endsWith("Locked=N\r\nParent=(none)\r\n"));
}

TEST_F(SaveSystemTest, AnEmptySystemSavesOnlyTheStartDateAndLoadingItChangesNothing)
{
    const QByteArray onlyDate = "[General]\r\nStartDate=3/5/2000\r\n";
    EXPECT_EQ(SystemFileContents(globals_), onlyDate);
    globals_.EnsureSystem();
    ASSERT_TRUE(SaveSystem(globals_, dialogs_, PathOf("Empty.kmx")));
    EXPECT_EQ(ReadBytes(PathOf("Empty.kmx")), onlyDate);

    MakeSunAndEarth();
    globals_.CurrentSystem->SystemName = "Solar.kmx";
    globals_.StartDate = QDate(1999, 1, 1);
    RecordingCentreList centres;
    LoadSystem(globals_, dialogs_, centres, PathOf("Empty.kmx"));
    EXPECT_EQ(globals_.CurrentSystem->Count(), 2);
    EXPECT_EQ(globals_.CurrentSystem->SystemName, "Solar.kmx");
    EXPECT_EQ(globals_.StartDate, QDate(1999, 1, 1));
    EXPECT_FALSE(globals_.SystemLoaded);
    EXPECT_EQ(centres.FirstSelections, 0);
    EXPECT_TRUE(dialogs_.Calls.empty());
}

TEST_F(SaveSystemTest, ANameThatWouldNotLoadBackStopsTheSave)
{
    MakeSunAndEarth();
    globals_.CurrentSystem->Add("Bad]", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    globals_.CurrentSystem->Add("general", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    const QByteArray previous = "[General]\r\nStartDate=1/1/1999\r\n";
    ASSERT_TRUE(WriteBytes(PathOf("Solar.kmx"), previous));
    EXPECT_FALSE(SaveSystem(globals_, dialogs_, PathOf("Solar.kmx")));
    EXPECT_EQ(dialogs_.MessageTexts(),
              QStringList{"The body \"Bad]\" cannot be saved. " + BodyNameProblem("Bad]") + ": 5"});
    EXPECT_EQ(dialogs_.Calls[0].title, "SaveSystem");
    EXPECT_EQ(ReadBytes(PathOf("Solar.kmx")), previous);
}

TEST(BodyNameTest, RefusesNamesTheFileCannotCarry)
{
    const QString refused[] = {
        "", "Line\nbreak", "Carriage\rreturn", QString("Nul") + QChar(u'\0'), "Moon]", " Leading",
        "Trailing ", "\"Quoted\"", "'Quoted'", QString(256, u'x'), "System", "GENERAL", "(none)",
    };
    for (const QString& name : refused)
        EXPECT_FALSE(BodyNameProblem(name).isEmpty()) << name.toStdString();
}

// Names the generator and the editor accept come back from a file unchanged.
TEST_F(SaveSystemTest, StorableNamesSurviveASaveAndLoad)
{
    const QStringList names = {
        "Sun", "Alpha Centauri A", QString::fromUtf8("\xC3\x96lmond \xE2\x98\x89"), "a=b", ";semicolon",
        "[bracket", "it's", "\"half", "Systems", "(None)", "x", QString(255, u'y'),
    };
    Planets& system = globals_.EnsureSystem();
    for (const QString& name : names) {
        EXPECT_TRUE(BodyNameProblem(name).isEmpty()) << name.toStdString();
        system.Add(name.toStdString(), 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0).Parent = -1;
    }
    ASSERT_TRUE(SaveSystem(globals_, dialogs_, PathOf("Names.kmx")));
    RecordingCentreList centres;
    LoadSystem(globals_, dialogs_, centres, PathOf("Names.kmx"));
    ASSERT_EQ(system.Count(), names.size());
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(QString::fromStdString(system.Item(i + 1).PlanetName), names[i]);
    EXPECT_TRUE(dialogs_.Calls.empty());
}

TEST(FileNameFromPathTest, TakesTheTextAfterTheLastSeparator)
{
    EXPECT_EQ(FileNameFromPath("/home/u/Solar.kmx"), "Solar.kmx");
    EXPECT_EQ(FileNameFromPath("C:\\Systems\\Solar.kmx"), "Solar.kmx");
    EXPECT_EQ(FileNameFromPath("/home/u/"), "");
    EXPECT_EQ(FileNameFromPath("Solar.kmx"), "Solar.kmx");
}

}  // namespace
}  // namespace kosmolux

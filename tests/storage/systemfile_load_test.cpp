#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/scripteddialogservice.h"
#include "platform/textformats.h"
#include "storage/filebytes.h"
#include "storage/recordingcentrelist.h"
#include "storage/systemfile.h"

namespace kosmolux {
namespace {

class LoadSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        globals_.StartDate = QDate(1999, 1, 1);
        Planets& system = globals_.EnsureSystem();
        system.Add("Before", 7.0, 7.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
        system.SystemName = "Before.kmx";
    }

    // Writes the lines with CRLF ends and loads the file.
    void Load(const QByteArray& lines, const QString& name = "Test.kmx")
    {
        const QString path = folder_.filePath(name);
        ASSERT_TRUE(WriteBytes(path, QByteArray(lines).replace("\n", "\r\n")));
        LoadSystem(globals_, dialogs_, centres_, path);
    }

    void ExpectUnchanged()
    {
        ASSERT_EQ(globals_.CurrentSystem->Count(), 1);
        EXPECT_EQ(globals_.CurrentSystem->Item(1).PlanetName, "Before");
        EXPECT_EQ(globals_.CurrentSystem->SystemName, "Before.kmx");
        EXPECT_EQ(globals_.StartDate, QDate(1999, 1, 1));
        EXPECT_TRUE(centres_.Entries.empty());
        EXPECT_EQ(centres_.FirstSelections, 0);
    }

    Planet& Body(int position) { return globals_.CurrentSystem->Item(position); }

    QTemporaryDir folder_;
    Globals globals_;
    ScriptedDialogService dialogs_;
    RecordingCentreList centres_;
};

TEST_F(LoadSystemTest, AFileWithoutACountChangesNothing)
{
    for (const QByteArray& general : {QByteArray(""), QByteArray("[General]\nStartDate=3/5/2000\n"),
                                      QByteArray("[General]\nTotalBodies=0\nStartDate=3/5/2000\n"),
                                      QByteArray("[General]\nTotalBodies=two\nStartDate=3/5/2000\n"),
                                      QByteArray("[General]\nTotalBodies=0.4\nStartDate=3/5/2000\n")}) {
        Load("[System]\n1=Sun\n" + general + "[Sun]\nMass=1.0E+0\n");
        ExpectUnchanged();
        EXPECT_FALSE(globals_.SystemLoaded);
    }
    globals_.SystemLoaded = true;
    LoadSystem(globals_, dialogs_, centres_, folder_.filePath("Missing.kmx"));
    ExpectUnchanged();
    EXPECT_TRUE(globals_.SystemLoaded);
    EXPECT_TRUE(dialogs_.Calls.empty());
}

TEST_F(LoadSystemTest, ANegativeCountEmptiesTheSystem)
{
    Load("[General]\nTotalBodies=-3\nStartDate=3/5/2000\n", "Nothing.kmx");
    EXPECT_EQ(globals_.CurrentSystem->Count(), 0);
    EXPECT_EQ(globals_.CurrentSystem->SystemName, "Nothing.kmx");
    EXPECT_EQ(globals_.StartDate, QDate(2000, 3, 5));
    EXPECT_TRUE(globals_.SystemLoaded);
    ASSERT_EQ(centres_.Entries.size(), 1u);
    EXPECT_EQ(centres_.Entries[0], std::make_pair(QString("Grid Origin"), -1));
    EXPECT_EQ(centres_.FirstSelections, 1);
}

TEST_F(LoadSystemTest, ACountTooLargeForSixteenBitsIsAnOverflow)
{
    globals_.SystemLoaded = true;
    Load("[General]\nTotalBodies=99999\n");
    ExpectUnchanged();
    EXPECT_FALSE(globals_.SystemLoaded);
    ASSERT_EQ(dialogs_.Calls.size(), 1u);
    EXPECT_EQ(dialogs_.Calls[0].text, "Overflow: 6");
    EXPECT_EQ(dialogs_.Calls[0].title, "LoadSystem");
    EXPECT_EQ(dialogs_.Calls[0].icon, DialogService::Icon::None);
    EXPECT_EQ(dialogs_.Calls[0].buttons, DialogService::Buttons::Ok);
}

TEST_F(LoadSystemTest, MissingBodiesAndGarbledNumbers)
{
    // Halves round to the even neighbour: a count of 3.5 is 4, a colour of 2.5 is 2.
    Load("[System]\n1=First\n2=Second\n[General]\nTotalBodies=3.5\nStartDate=not a date\n"
         "[First]\nMass=5.0E+0\nDiameter=2.0E+0\nX=1.0E+0\nY=2.0E+0\nZ=3.0E+0\nVX=4.0E+0\nVY=5.0E+0\nVZ=6.0E+0\n"
         "HiColor=2.5\nLoColor=-7\n"
         "[Second]\nMass=abc\nDiameter=1,5\nX=\nY=nan\nZ=1e999x\nVX=9.0E+0\nHiColor=red\nLoColor=3.5\n"
         "[Unnamed3]\nX=garbled\n");
    EXPECT_EQ(globals_.StartDate, QDate(1999, 1, 1));
    ASSERT_EQ(globals_.CurrentSystem->Count(), 4);
    const Planet& first = Body(1);
    EXPECT_EQ(first.Mass, 5.0);
    EXPECT_EQ(first.Position, (Vector{1.0, 2.0, 3.0}));
    EXPECT_EQ(first.Velocity, (Vector{4.0, 5.0, 6.0}));
    EXPECT_EQ(first.HiColor, 2);
    EXPECT_EQ(first.LoColor, -7);

    // Every garbled value is the one of the body before.
    const Planet& second = Body(2);
    EXPECT_EQ(second.Mass, 5.0);
    EXPECT_EQ(second.Diameter, 2.0);
    EXPECT_EQ(second.Position, (Vector{1.0, 2.0, 3.0}));
    EXPECT_EQ(second.Velocity, (Vector{9.0, 0.0, 0.0}));
    EXPECT_EQ(second.HiColor, 2);
    EXPECT_EQ(second.LoColor, 4);

    // A body without an entry is named after its number and takes the defaults,
    // except where a value is there but garbled.
    const Planet& third = Body(3);
    EXPECT_EQ(third.PlanetName, "Unnamed3");
    EXPECT_EQ(third.Mass, 1.0);
    EXPECT_EQ(third.Diameter, 1.0);
    EXPECT_EQ(third.Position, (Vector{1.0, 0.0, 0.0}));
    EXPECT_EQ(third.HiColor, 0);
    EXPECT_EQ(Body(4).PlanetName, "Unnamed4");
    EXPECT_EQ(Body(4).Parent, -1);
    EXPECT_TRUE(globals_.SystemLoaded);
}

TEST_F(LoadSystemTest, FlagsParentsIdsAndTheCentreList)
{
    const QByteArray file =
        "[System]\n1=Sun\n2=Earth\n3=Sun\n4=Loner\n5=Lost\n[General]\nTotalBodies=5\n"
        "[Sun]\nLightweight=Y\nLocked=y\nParent=(none)\n"
        "[Earth]\nLightweight= Y \nLocked=Yes\nParent=Sun\n"
        "[Loner]\nLocked=Y\nParent=Loner\n"
        "[Lost]\nParent=sun\n";
    Load(file);
    ASSERT_EQ(globals_.CurrentSystem->Count(), 5);
    EXPECT_TRUE(Body(1).Lightweight);
    EXPECT_FALSE(Body(1).Locked);
    EXPECT_TRUE(Body(2).Lightweight);
    EXPECT_FALSE(Body(2).Locked);
    EXPECT_TRUE(Body(4).Locked);
    EXPECT_EQ(Body(1).Parent, -1);
    EXPECT_EQ(Body(2).Parent, Body(3).Id());  // the last Sun wins
    EXPECT_EQ(Body(4).Parent, Body(4).Id());
    EXPECT_EQ(Body(5).Parent, -1);  // names match in their exact case
    EXPECT_EQ(globals_.StartDate, text::Today());  // the file names none

    ASSERT_EQ(centres_.Entries.size(), 6u);
    EXPECT_EQ(centres_.Entries[0], std::make_pair(QString("Grid Origin"), -1));
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(centres_.Entries[i], std::make_pair(QString::fromStdString(Body(i).PlanetName), Body(i).Id()));
    EXPECT_EQ(centres_.FirstSelections, 1);

    // Every load gives fresh Ids.
    const std::int32_t firstId = Body(1).Id();
    Load(file);
    EXPECT_EQ(Body(1).Id(), firstId + 5);
    EXPECT_EQ(Body(2).Parent, Body(3).Id());
    EXPECT_EQ(centres_.Entries.size(), 6u);
}

TEST_F(LoadSystemTest, AnErrorStopsTheLoadWhereItHappened)
{
    globals_.SystemLoaded = true;
    Load("[System]\n1=Kept\n2=Broken\n[General]\nTotalBodies=2\n[Kept]\nParent=Kept\n[Broken]\nMass=1.0E+999\n",
         "Broken.kmx");
    EXPECT_FALSE(globals_.SystemLoaded);
    EXPECT_EQ(dialogs_.MessageTexts(), QStringList{"Overflow: 6"});
    ASSERT_EQ(globals_.CurrentSystem->Count(), 1);
    EXPECT_EQ(Body(1).PlanetName, "Kept");
    EXPECT_EQ(globals_.CurrentSystem->SystemName, "Broken.kmx");
    EXPECT_EQ(centres_.Entries.size(), 2u);
    EXPECT_EQ(centres_.FirstSelections, 0);
}

TEST_F(LoadSystemTest, AFileThatCannotBeReadIsReportedAndChangesNothing)
{
    globals_.SystemLoaded = true;
    LoadSystem(globals_, dialogs_, centres_, folder_.path());
    EXPECT_EQ(dialogs_.MessageTexts(), QStringList{"Is a directory: 21"});
    EXPECT_EQ(dialogs_.Calls[0].title, "LoadSystem");
    ExpectUnchanged();
    EXPECT_TRUE(globals_.SystemLoaded);

    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop the superuser";
    const QString locked = folder_.filePath("Locked.kmx");
    ASSERT_TRUE(WriteBytes(locked, "[General]\r\nTotalBodies=1\r\n"));
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::WriteOwner));
    LoadSystem(globals_, dialogs_, centres_, locked);
    EXPECT_EQ(dialogs_.MessageTexts().last(), "Permission denied: 13");
    ExpectUnchanged();
}

TEST_F(LoadSystemTest, ReadsLfAndLatin1Files)
{
    const QString path = folder_.filePath("Hand.kmx");
    ASSERT_TRUE(WriteBytes(path, "[System]\n1=\xC9toile\n[General]\nTotalBodies=1\n[\xC9TOILE]\nMass=2.0E+0\n"));
    LoadSystem(globals_, dialogs_, centres_, path);
    ASSERT_EQ(globals_.CurrentSystem->Count(), 1);
    EXPECT_EQ(Body(1).PlanetName, "\xC3\x89toile");
    EXPECT_EQ(Body(1).Mass, 2.0);
}

TEST_F(LoadSystemTest, ASavedFileLoadsAndSavesToTheSameBytes)
{
    const QByteArray file =
        "[System]\n1=Sun\n2=Earth\n3=Moon\n[General]\nTotalBodies=3\nStartDate=3/5/2000\n"
        "[Sun]\nMass=1.989E+30\nDiameter=1.392E+9\nX=0.0E+0\nY=0.0E+0\nZ=0.0E+0\nVX=0.0E+0\nVY=0.0E+0\n"
        "VZ=0.0E+0\nHiColor=65535\nLoColor=255\nLightweight=N\nLocked=Y\nParent=(none)\n"
        "[Earth]\nMass=5.976E+24\nDiameter=1.2756E+7\nX=1.496E+11\nY=-1.5E+3\nZ=2.5E+2\nVX=-1.25E-1\n"
        "VY=2.978E+4\nVZ=1.5E+1\nHiColor=-16777216\nLoColor=65535\nLightweight=N\nLocked=N\nParent=Sun\n"
        "[Moon]\nMass=7.35E+22\nDiameter=3.476E+6\nX=1.49984E+11\nY=3.33333333333333E-1\nZ=5.0E+0\n"
        "VX=1.0E-3\nVY=3.1001E+4\nVZ=-9.99999999999999E+307\nHiColor=12632256\nLoColor=8421504\n"
        "Lightweight=Y\nLocked=N\nParent=Earth\n";
    Load(file, "Solar.kmx");
    ASSERT_TRUE(dialogs_.Calls.empty());
    EXPECT_EQ(SystemFileContents(globals_), QByteArray(file).replace("\n", "\r\n"));

    // A value of more than 15 digits is stored rounded and loads as the rounded value.
    Body(3).Position.YComp = 1.0 / 3.0;
    const QString copy = folder_.filePath("Copy.kmx");
    ASSERT_TRUE(SaveSystem(globals_, dialogs_, copy));
    LoadSystem(globals_, dialogs_, centres_, copy);
    EXPECT_EQ(Body(3).Position.YComp, 0.333333333333333);
    EXPECT_EQ(ReadBytes(copy), QByteArray(file).replace("\n", "\r\n"));
    EXPECT_EQ(globals_.CurrentSystem->SystemName, "Copy.kmx");
}

}  // namespace
}  // namespace kosmolux

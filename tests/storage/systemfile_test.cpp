#include <charconv>
#include <limits>
#include <string>
#include <utility>

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

#include "platform/textformats.h"
#include "storage/bodyname.h"
#include "storage/currentfile.h"
#include "storage/sciformat.h"
#include "storage/systemfiletest.h"
#include "support/localeguard.h"

namespace kosmolux {
namespace {

TEST_F(SystemFileTest, AFileWithoutACountChangesNothingAndANegativeCountEmptiesTheSystem)
{
    for (const QByteArray& count : {QByteArray(""), QByteArray("TotalBodies=0\n"), QByteArray("TotalBodies=two\n"),
                                    QByteArray("TotalBodies=0.4\n")})
        LoadLines("[System]\n1=Sun\n[General]\n" + count + "StartDate=3/5/2000\n[Sun]\nMass=1.0E+0\n");
    Load(PathOf("Missing.kmx"));
    // A count that is no number, and a folder that cannot be read, are said.
    Load(folder_.path());
    ASSERT_EQ(dialogs_.MessageTexts(),
              QStringList({"These values could not be read and were taken as if they were missing:\n"
                           "[General] TotalBodies=two",
                           "Is a directory: 21"}));
    EXPECT_EQ(dialogs_.Calls[1].title, "LoadSystem");
    ExpectUnchanged();
    EXPECT_TRUE(globals_.SystemLoaded);

    LoadLines("[General]\nTotalBodies=-3\nStartDate=3/5/2000\n", "Nothing.kmx");
    EXPECT_EQ(globals_.CurrentSystem->Count(), 0);
    EXPECT_EQ(globals_.CurrentSystem->SystemName, "Nothing.kmx");
    EXPECT_EQ(globals_.StartDate, QDate(2000, 3, 5));
    EXPECT_EQ(centres_.Entries, (std::vector<std::pair<QString, std::int32_t>>{{"Grid Origin", -1}}));
}

TEST_F(SystemFileTest, UnreadableValuesTakeTheDefaultsAndAreListedOnce)
{
    // Halves round to the even neighbour: a count of 3.5 is 4, a colour of 2.5 is 2.
    LoadLines("[System]\n1=First\n2=Second\n[General]\nTotalBodies=3.5\nStartDate=not a date\n"
              "[First]\nMass=5.0E+0\nDiameter=2.0E+0\nX=1.0E+0\nY=2.0E+0\nZ=3.0E+0\nVX=4.0E+0\nVY=5.0E+0\n"
              "VZ=6.0E+0\nHiColor=2.5\nLoColor=-7\n"
              "[Second]\nMass=3.30E+23kg\nDiameter=1,5\nX=\nY=nan\nZ=1e999x\nVX=9.0E+0\nHiColor=red\nLoColor=3.5\n"
              "[Unnamed3]\nX=garbled\n");
    EXPECT_EQ(globals_.StartDate, text::Today());
    ASSERT_EQ(globals_.CurrentSystem->Count(), 4);
    EXPECT_EQ(Body(1).Velocity, (Vector{4.0, 5.0, 6.0}));
    EXPECT_EQ(Body(1).HiColor, 2);
    EXPECT_EQ(Body(1).LoColor, -7);

    // Never the value of the body before: the default of a missing key.
    const Planet& second = Body(2);
    EXPECT_EQ(second.Mass, 1.0);
    EXPECT_EQ(second.Diameter, 1.5);
    EXPECT_EQ(second.Position, (Vector{0.0, 0.0, 0.0}));
    EXPECT_EQ(second.Velocity, (Vector{9.0, 0.0, 0.0}));
    EXPECT_EQ(second.HiColor, 0);
    EXPECT_EQ(second.LoColor, 4);

    // A body without an entry is named after its number and takes the defaults.
    EXPECT_EQ(Body(3).PlanetName, "Unnamed3");
    EXPECT_EQ(Body(3).Mass, 1.0);
    EXPECT_EQ(Body(3).Position, Vector{});
    EXPECT_EQ(Body(4).PlanetName, "Unnamed4");
    EXPECT_EQ(Body(4).Parent, -1);
    EXPECT_TRUE(globals_.SystemLoaded);
    ASSERT_EQ(dialogs_.MessageTexts(),
              QStringList{"These values could not be read and were taken as if they were missing:\n"
                          "[General] StartDate=not a date\n[Second] Mass=3.30E+23kg\n[Second] X=\n"
                          "[Second] Y=nan\n[Second] Z=1e999x\n[Second] HiColor=red\n[Unnamed3] X=garbled"});
    EXPECT_EQ(dialogs_.Calls[0].title, "LoadSystem");

    // Ten are listed, then how many more; a section of two bodies is listed once.
    LoadLines("[System]\n1=A\n2=B\n3=A\n[General]\nTotalBodies=3\n[A]\nMass=a\nX=a\nY=a\nZ=a\nVX=a\nVY=a\n"
              "[B]\nMass=b\nX=b\nY=b\nZ=b\nVX=b\nVY=b\n");
    EXPECT_TRUE(dialogs_.MessageTexts().last().endsWith("\n[B] Y=b\n[B] Z=b\nand 2 more."));
    EXPECT_EQ(dialogs_.MessageTexts().last().count('\n'), 11);
}

TEST_F(SystemFileTest, FlagsParentsIdsAndTheCentreList)
{
    const QByteArray file =
        "[System]\n1=Sun\n2=Earth\n3=Sun\n4=Loner\n5=Lost\n[General]\nTotalBodies=5\n"
        "[Sun]\nLightweight=Y\nLocked=y\nParent=(none)\n"
        "[Earth]\nLightweight= Y \nLocked=Yes\nParent=Sun\n"
        "[Loner]\nLocked=Y\nParent=Loner\n"
        "[Lost]\nParent=sun\n";
    LoadLines(file);
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
    LoadLines(file);
    EXPECT_EQ(Body(1).Id(), firstId + 5);
    EXPECT_EQ(Body(2).Parent, Body(3).Id());
    EXPECT_EQ(centres_.Entries.size(), 6u);
}

TEST_F(SystemFileTest, ReadsOlderFilesLineEndsAndWindowsCharacters)
{
    // Lines end in LF, CR CR LF and a lone CR; the names are Windows-1252.
    ASSERT_TRUE(WriteBytes(PathOf("Hand.kmx"), "[System]\n1=\xC9toile\r\r\n2=Caf\x80 \x85 \x92s\r[General]\r"
                                               "TotalBodies=2\r\r\n[\xC9TOILE]\nMass=2.0E+0\r\r\n"));
    Load(PathOf("Hand.kmx"));
    ASSERT_EQ(globals_.CurrentSystem->Count(), 2);
    EXPECT_EQ(Body(1).PlanetName, "\xC3\x89toile");
    EXPECT_EQ(Body(1).Mass, 2.0);
    EXPECT_EQ(QString::fromStdString(Body(2).PlanetName), QString::fromUtf8("Caf\u20AC \u2026 \u2019s"));
    EXPECT_TRUE(dialogs_.Calls.empty());
    EXPECT_TRUE(SaveSystem(globals_, dialogs_, PathOf("Hand.kmx")));
}

// The fixed layout: sections and keys in this order, CR LF line ends.
TEST_F(SystemFileTest, ASavedFileLoadsAndSavesToTheSameBytes)
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
    LoadLines(file, "Solar.kmx");
    ASSERT_TRUE(dialogs_.Calls.empty());
    EXPECT_EQ(SystemFileContents(globals_), QByteArray(file).replace("\n", "\r\n"));

    // A value of more than 15 digits is stored rounded and loads as the rounded value.
    Body(3).Position.YComp = 1.0 / 3.0;
    ASSERT_TRUE(SaveSystem(globals_, dialogs_, PathOf("Copy.kmx")));
    EXPECT_EQ(FolderEntries(folder_.path()), QStringList({"Copy.kmx", "Solar.kmx"}));
    Load(PathOf("Copy.kmx"));
    EXPECT_EQ(Body(3).Position.YComp, 0.333333333333333);
    EXPECT_EQ(ReadBytes(PathOf("Copy.kmx")), QByteArray(file).replace("\n", "\r\n"));
    EXPECT_EQ(globals_.CurrentSystem->SystemName, "Copy.kmx");

    // A body whose parent is gone is saved without one; an empty system keeps only its date.
    globals_.CurrentSystem->Remove(2);
    EXPECT_TRUE(SystemFileContents(globals_).endsWith("Lightweight=Y\r\nLocked=N\r\nParent=(none)\r\n"));
    globals_.CurrentSystem->Remove(2);
    globals_.CurrentSystem->Remove(1);
    EXPECT_EQ(SystemFileContents(globals_), "[General]\r\nStartDate=3/5/2000\r\n");
}

// Written after the start date when it is not Classic (the runner's tests
// see it written); read in any case, and any other text is unreadable.
TEST_F(SystemFileTest, TheMethodIsReadFromTheFile)
{
    const std::pair<QByteArray, StepMethod> rows[] = {
        {"Method=Yoshida\n", StepMethod::Yoshida},
        {"Method=leapfrog\n", StepMethod::Leapfrog},
        {"", StepMethod::Classic},
        {"Method=Classic\n", StepMethod::Classic},
        {"Method=Euler\n", StepMethod::Classic},  // unreadable: the default of a missing key
    };
    for (const auto& [line, method] : rows) {
        globals_.Method = method == StepMethod::Classic ? StepMethod::Yoshida : StepMethod::Classic;
        LoadLines("[System]\n1=Sun\n[General]\nTotalBodies=1\n" + line + "[Sun]\nMass=1.0E+0\n");
        EXPECT_EQ(globals_.Method, method) << line.toStdString();
    }
    EXPECT_EQ(dialogs_.MessageTexts(),
              QStringList{"These values could not be read and were taken as if they were missing:\n"
                          "[General] Method=Euler"});
}

// Names the file cannot carry are refused; the others, which the generator and
// the editor accept, come back from a file unchanged.
TEST_F(SystemFileTest, BodyNamesAreRefusedOrComeBackUnchanged)
{
    const QChar mark(0xFEFF);  // a byte-order mark is a blank wherever it stands
    const QString refused[] = {
        "", "Line\nbreak", "Carriage\rreturn", QString("Nul") + QChar(u'\0'), "Moon]", " Leading", "Trailing ",
        "\"Quoted\"", "'Quoted'", QString(256, u'x'), "System", "GENERAL", "(none)", mark + QString("Sun"),
        QString("Sun") + mark,
    };
    for (const QString& name : refused)
        EXPECT_FALSE(BodyNameProblem(name).isEmpty()) << name.toStdString();

    const QStringList names = {
        "Sun", "Alpha Centauri A", QString::fromUtf8("\xC3\x96lmond \xE2\x98\x89"), "a=b", ";semicolon",
        "[bracket", "it's", "\"half", "Systems", "(None)", "x", QString(255, u'y'), QString("S") + mark + "un",
    };
    Planets& system = *globals_.CurrentSystem;
    system.Remove(1);
    for (const QString& name : names) {
        EXPECT_TRUE(BodyNameProblem(name).isEmpty()) << name.toStdString();
        system.Add(name.toStdString(), 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    }
    ASSERT_TRUE(SaveSystem(globals_, dialogs_, PathOf("Names.kmx")));
    Load(PathOf("Names.kmx"));
    ASSERT_EQ(system.Count(), names.size());
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(QString::fromStdString(Body(i + 1).PlanetName), names[i]);
    EXPECT_TRUE(dialogs_.Calls.empty());
}

// Points the user's data folder somewhere else for one scope.
class DataHome {
public:
    explicit DataHome(const QString& folder) { Set(folder); }
    ~DataHome()
    {
        if (hadOne_)
            qputenv("XDG_DATA_HOME", previous_);
        else
            qunsetenv("XDG_DATA_HOME");
    }
    static void Set(const QString& folder) { qputenv("XDG_DATA_HOME", QFile::encodeName(folder)); }

private:
    const bool hadOne_ = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    const QByteArray previous_ = qgetenv("XDG_DATA_HOME");
};

// "Current.kmx" stays in the program's folder when that can be written and is
// not an installed program's; else it goes to the user's data folder.
TEST_F(SystemFileTest, CurrentFileStaysInAWritableProgramFolderOrGoesToTheUserDataFolder)
{
    const DataHome dataHome(PathOf("home"));
    const QString userCopy = PathOf("home/" + QCoreApplication::applicationName() + "/Current.kmx");
    globals_.ProgramFolder = folder_.path();
    EXPECT_EQ(CurrentFilePath(globals_), PathOf("Current.kmx"));
    if (geteuid() != 0) {
        const QFile::Permissions before = QFile::permissions(folder_.path());
        ASSERT_TRUE(QFile::setPermissions(folder_.path(), QFile::ReadOwner | QFile::ExeOwner));
        const QString path = CurrentFilePath(globals_);
        QFile::setPermissions(folder_.path(), before);
        EXPECT_EQ(path, userCopy);
    }

    // A folder below a plain file can be written by nobody, not even root.
    ASSERT_TRUE(WriteBytes(PathOf("plain"), "x"));
    globals_.ProgramFolder = PathOf("plain/bin");
    const QString path = CurrentFilePath(globals_);
    EXPECT_EQ(path, userCopy);
    ASSERT_TRUE(SaveSystem(globals_, dialogs_, path));
    EXPECT_TRUE(ReadBytes(userCopy).startsWith("[System]\r\n1=Before\r\n"));

    // PREFIX/bin beside PREFIX/share/kosmolux, as under ~/.local: written to
    // by the user, and still left alone.
    ASSERT_TRUE(QDir(folder_.path()).mkpath("bin") && QDir(folder_.path()).mkpath("share/kosmolux"));
    globals_.ProgramFolder = PathOf("bin");
    EXPECT_EQ(CurrentFilePath(globals_), userCopy);

    // A data folder that cannot be made either: the save says so.
    DataHome::Set(PathOf("plain/share"));
    EXPECT_FALSE(SaveSystem(globals_, dialogs_, CurrentFilePath(globals_)));
    EXPECT_EQ(dialogs_.Calls.size(), 1u);
}

TEST(FileNameFromPathTest, TakesTheTextAfterTheLastSeparator)
{
    EXPECT_EQ(FileNameFromPath("/home/u/Solar.kmx"), "Solar.kmx");
    EXPECT_EQ(FileNameFromPath("C:\\Systems\\Solar.kmx"), "Solar.kmx");
    EXPECT_EQ(FileNameFromPath("/home/u/"), "");
    EXPECT_EQ(FileNameFromPath("Solar.kmx"), "Solar.kmx");
}

// Each value's text in English; German has a decimal comma. In either locale
// the text reads back as the number it stands for, which is written as the
// same text again.
TEST(SciFormatTest, WritesTheFixedPatternThatReadsBack)
{
    const std::pair<double, std::string> rows[] = {
        {1.989e30, "1.989E+30"}, {6378140.0, "6.37814E+6"}, {-29780.0, "-2.978E+4"}, {0.001, "1.0E-3"},
        {1.0 / 3.0, "3.33333333333333E-1"}, {-2.0 / 3.0, "-6.66666666666667E-1"}, {-9.5, "-9.5E+0"},
        {0.0, "0.0E+0"}, {-0.0, "0.0E+0"}, {std::numeric_limits<double>::quiet_NaN(), "0.0E+0"},
        {-std::numeric_limits<double>::infinity(), "0.0E+0"},
        // 15 significant digits, the last one rounded, even when that carries into the exponent.
        {1.23456789012345678e-5, "1.23456789012346E-5"}, {1e15 + 1.0, "1.0E+15"}, {9.999999999999999, "1.0E+1"},
        {std::numeric_limits<double>::max(), "1.79769313486231E+308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
    };
    for (const QLocale& locale :
         {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany)}) {
        const LocaleGuard guard(locale);
        for (const auto& [value, english] : rows) {
            const QString text = QString::fromStdString(english).replace(u'.', locale.decimalPoint());
            double standsFor = 0.0;
            std::from_chars(english.data(), english.data() + english.size(), standsFor);
            EXPECT_EQ(SciFormat(value), text);
            EXPECT_EQ(text::ToDouble(text), standsFor) << english;
            EXPECT_EQ(SciFormat(text::ToDouble(text)), text);
        }
    }
}

}  // namespace
}  // namespace kosmolux

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "storage/diskfile.h"
#include "storage/inifile.h"
#include "storage/systemfiletest.h"

namespace kosmolux {
namespace {

// Files at the edges of what the program takes: each ends in a clear message
// or in the rule the format states, quickly and without a crash.
using LimitsTest = SystemFileTest;

// A file larger than any save writes is refused before it is read, so that a
// film picked by mistake neither fills the memory nor keeps the user waiting.
TEST_F(LimitsTest, AFileOf100MegabytesIsRefusedAtOnce)
{
    const QString path = PathOf("Huge.kmx");
    ASSERT_TRUE(WriteBytes(path, "[General]\r\nTotalBodies=1\r\n;"));
    // Sparse: 100 MB without writing them.
    ASSERT_TRUE(QFile::resize(path, 100'000'000));
    Load(path);
    ASSERT_EQ(dialogs_.MessageTexts(), QStringList{"File too large: 27"});
    EXPECT_EQ(dialogs_.Calls[0].title, "LoadSystem");
    ExpectUnchanged();

    INIFile ini;
    ini.filename = path;
    EXPECT_EQ(ini.GetValue("General", "TotalBodies", "none"), "none");
    ini.SetValue("General", "TotalBodies", "2");
    EXPECT_EQ(QFileInfo(path).size(), 100'000'000);

    // A source without end stops at the limit.
    Load("/dev/zero");
    EXPECT_EQ(dialogs_.MessageTexts().last(), "File too large: 27");
    ExpectUnchanged();
}

// The count is 16 bits: 32767 bodies load and save within the size limit; one
// more is an overflow, on loading before any body is touched. Every system
// that could be saved loads again: a save beyond the count or the size limit
// is refused the same way, before the previous file is touched.
TEST_F(LimitsTest, TheLargestCountOfBodiesAndTheLargestFile)
{
    ASSERT_TRUE(WriteBytes(PathOf("Most.kmx"), "[General]\r\nTotalBodies=32767\r\n"));
    Load(PathOf("Most.kmx"));
    ASSERT_EQ(globals_.CurrentSystem->Count(), 32767);
    EXPECT_EQ(centres_.Entries.size(), 32768u);
    ASSERT_TRUE(SaveSystem(globals_, dialogs_, PathOf("Most.kmx")));
    const QByteArray most = ReadBytes(PathOf("Most.kmx"));
    EXPECT_LT(most.size(), LargestFile);
    EXPECT_TRUE(dialogs_.Calls.empty());

    ASSERT_TRUE(WriteBytes(PathOf("TooMany.kmx"), "[General]\r\nTotalBodies=32768\r\n"));
    Load(PathOf("TooMany.kmx"));
    ASSERT_EQ(dialogs_.MessageTexts(), QStringList{"Overflow: 6"});
    EXPECT_EQ(dialogs_.Calls[0].icon, DialogService::Icon::None);
    EXPECT_EQ(dialogs_.Calls[0].buttons, DialogService::Buttons::Ok);
    EXPECT_EQ(globals_.CurrentSystem->Count(), 32767);
    EXPECT_FALSE(globals_.SystemLoaded);

    Planets& system = *globals_.CurrentSystem;
    system.Add("Body", 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    EXPECT_FALSE(SaveSystem(globals_, dialogs_, PathOf("Crowded.kmx")));
    EXPECT_EQ(dialogs_.MessageTexts().last(), "Overflow: 6");

    // Names of 255 characters, most of three bytes, written three times as
    // each body is its own parent: about 2.4 kB of file for each of 7200 bodies.
    while (system.Count() > 7200)
        system.Remove(system.Count());
    for (int i = 1; i <= 7200; ++i) {
        Body(i).PlanetName = (QString::number(10000 + i) + QString(250, QChar(0x661F))).toStdString();
        Body(i).Parent = Body(i).Id();
    }
    ASSERT_GT(SystemFileContents(globals_).size(), LargestFile);
    EXPECT_FALSE(SaveSystem(globals_, dialogs_, PathOf("Most.kmx")));
    EXPECT_EQ(dialogs_.MessageTexts().last(), "File too large: 27");
    EXPECT_EQ(ReadBytes(PathOf("Most.kmx")), most);
    EXPECT_EQ(FolderEntries(folder_.path()), QStringList({"Most.kmx", "TooMany.kmx"}));
}

// A name of 10,000 characters: a file's is cut to 255 on reading, so its
// section is not found and the body takes the defaults; one in memory stops
// the save with a message that quotes only the start of it.
TEST_F(LimitsTest, ANameOf10000Characters)
{
    const QByteArray name(10000, 'N');
    const QByteArray file = "[System]\r\n1=" + name + "\r\n[General]\r\nTotalBodies=1\r\n[" + name + "]\r\nMass=5.0E+0\r\n";
    ASSERT_TRUE(WriteBytes(PathOf("Long.kmx"), file));
    Load(PathOf("Long.kmx"));
    ASSERT_EQ(globals_.CurrentSystem->Count(), 1);
    EXPECT_EQ(Body(1).PlanetName, std::string(255, 'N'));
    EXPECT_EQ(Body(1).Mass, 1.0);

    Body(1).PlanetName = name.toStdString();
    EXPECT_FALSE(SaveSystem(globals_, dialogs_, PathOf("Long.kmx")));
    ASSERT_EQ(dialogs_.Calls.size(), 1u);
    const QString message = dialogs_.Calls[0].text;
    EXPECT_LT(message.size(), 200) << message.toStdString();
    EXPECT_TRUE(message.startsWith("The body \"NNNN")) << message.toStdString();
    EXPECT_TRUE(message.contains("255 characters")) << message.toStdString();
    EXPECT_EQ(ReadBytes(PathOf("Long.kmx")), file);
}

}  // namespace
}  // namespace kosmolux

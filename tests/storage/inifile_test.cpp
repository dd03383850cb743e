#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "storage/filebytes.h"
#include "storage/inifile.h"

namespace kosmolux {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        ini_.filename = folder_.filePath(QStringLiteral("test.ini"));
    }

    QTemporaryDir folder_;
    INIFile ini_;
};

TEST_F(IniFileTest, NewSectionsAndKeysGoLastAndReplacedKeysKeepTheirPlace)
{
    ini_.SetValue("One", "A", "1");
    ini_.SetValue("Two", "B", "2");
    ini_.SetValue("One", "C", "3");
    ini_.SetValue("one", "a", "changed");
    EXPECT_EQ(ReadBytes(ini_.filename), "[One]\r\nA=changed\r\nC=3\r\n[Two]\r\nB=2\r\n");
    // The name as first written stays; a read in any case finds it.
    ini_.SetValue("Body", "HiColor", "65535");
    EXPECT_EQ(ini_.GetValue("BODY", "Hicolor", "0"), "65535");
    EXPECT_EQ(ini_.GetValue("Body", "Missing", "fallback"), "fallback");
    EXPECT_EQ(ini_.GetValue("Missing", "A", "fallback"), "fallback");
}

TEST_F(IniFileTest, ReadingStripsBlanksAndOnePairOfEnclosingQuotes)
{
    ini_.SetValue("S", "Padded", "  value \t");
    ini_.SetValue("S", "Double", "\"quoted\"");
    ini_.SetValue("S", "Twice", "\"\"inner\"\"");
    ini_.SetValue("S", "Unmatched", "\"open'");
    ini_.SetValue("S", "Empty", "");
    EXPECT_EQ(ini_.GetValue("S", "Padded", ""), "value");
    EXPECT_EQ(ini_.GetValue("S", "Double", ""), "quoted");
    EXPECT_EQ(ini_.GetValue("S", "Twice", ""), "\"inner\"");
    EXPECT_EQ(ini_.GetValue("S", "Unmatched", ""), "\"open'");
    EXPECT_EQ(ini_.GetValue("S", "Empty", "default"), "");
}

TEST_F(IniFileTest, ValuesAreCutTo255CharactersAndAtANul)
{
    const QString longValue = QString(250, u'a') + QString(50, u'b');
    ini_.SetValue("S", "Long", longValue);
    EXPECT_EQ(ini_.GetValue("S", "Long", ""), longValue.left(255));
    EXPECT_EQ(ini_.GetValue("S", "Missing", longValue), longValue.left(255));
    // A character outside the basic plane is never cut in half.
    const QString wide = QString(254, u'a') + QString::fromUtf8("\xF0\x9F\x8C\x8D");
    ini_.SetValue("S", "Wide", wide);
    EXPECT_EQ(ini_.GetValue("S", "Wide", ""), QString(254, u'a'));
    ini_.SetValue("S", "Nul", QStringLiteral("before") + QChar(u'\0') + QStringLiteral("after"));
    EXPECT_EQ(ini_.GetValue("S", "Nul", ""), "before");
}

TEST_F(IniFileTest, GetSectionListsKeyNamesInTheFixedBufferForm)
{
    ini_.SetValue("S", "A", "1");
    ini_.SetValue("S", "B", "2");
    const QString names = ini_.GetSection("s");
    ASSERT_EQ(names.size(), 32000);
    EXPECT_EQ(names.left(5), QStringLiteral("A") + QChar(u'\0') + QStringLiteral("B") + QChar(u'\0') + QChar(u'\0'));
    EXPECT_EQ(names.mid(5), QString(32000 - 5, u' '));
    EXPECT_EQ(ini_.GetSection("Missing"), QChar(u'\0') + QString(31999, u' '));

    // A list longer than the buffer loses its end and still ends with two NULs.
    IniDocument crowded;
    for (int i = 0; i < 4000; ++i)
        crowded.SetValue("S", QStringLiteral("Key%1").arg(i, 5, 10, QChar(u'0')), "v");
    const QString cut = crowded.GetSection("S");
    ASSERT_EQ(cut.size(), 32000);
    EXPECT_EQ(cut.left(18), QStringLiteral("Key00000") + QChar(u'\0') + QStringLiteral("Key00001") + QChar(u'\0'));
    EXPECT_EQ(cut.right(5), QStringLiteral("Key") + QChar(u'\0') + QChar(u'\0'));
}

TEST_F(IniFileTest, DeletingValuesAndSections)
{
    ini_.SetValue("One", "A", "1");
    ini_.SetValue("One", "B", "2");
    ini_.SetValue("Two", "C", "3");
    const QByteArray before = ReadBytes(ini_.filename);
    ini_.DeleteSection("Missing");
    ini_.DeleteValue("One", "Missing");
    ini_.DeleteValue("Missing", "A");
    EXPECT_EQ(ReadBytes(ini_.filename), before);

    ini_.DeleteValue("ONE", "a");
    EXPECT_EQ(ini_.GetValue("One", "A", "gone"), "gone");
    ini_.DeleteSection("one");
    EXPECT_EQ(ReadBytes(ini_.filename), "[Two]\r\nC=3\r\n");
    // A key deleted and written again goes last.
    ini_.SetValue("Two", "D", "4");
    ini_.DeleteValue("Two", "C");
    ini_.SetValue("Two", "C", "5");
    EXPECT_EQ(ReadBytes(ini_.filename), "[Two]\r\nD=4\r\nC=5\r\n");
}

TEST_F(IniFileTest, ReadsLfAndLatin1FilesAndKeepsComments)
{
    ASSERT_TRUE(WriteBytes(ini_.filename, "; made by hand\n[Bodies]\nName = \xC9toile \n;note\nstray line\n\n[Next]\nK=v\n"));
    EXPECT_EQ(ini_.GetValue("bodies", "name", ""), QString::fromUtf8("\xC3\x89toile"));
    EXPECT_EQ(ini_.GetSection("Bodies").left(7), QStringLiteral("Name") + QChar(u'\0') + QChar(u'\0') + QChar(u' '));
    ini_.SetValue("Bodies", "Mass", "1");
    EXPECT_EQ(ReadBytes(ini_.filename),
              "; made by hand\r\n[Bodies]\r\nName= \xC3\x89toile \r\n;note\r\nstray line\r\nMass=1\r\n"
              "[Next]\r\nK=v\r\n");
}

TEST_F(IniFileTest, MissingAndUnwritableFiles)
{
    EXPECT_EQ(ini_.GetValue("S", "K", "default"), "default");
    // A write that cannot be done changes nothing and does not fail; a folder
    // is not a file, reads as empty and is left alone.
    for (const QString& path : {folder_.filePath(QStringLiteral("missing/test.ini")), folder_.path()}) {
        ini_.filename = path;
        ini_.SetValue("S", "K", "v");
        EXPECT_EQ(ini_.GetValue("S", "K", "default"), "default");
    }
    EXPECT_EQ(FolderEntries(folder_.path()), QStringList());
}

}  // namespace
}  // namespace kosmolux

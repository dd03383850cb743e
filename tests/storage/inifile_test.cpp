#include <utility>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "storage/filebytes.h"
#include "storage/inidocument.h"
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

TEST_F(IniFileTest, NewSectionsAndKeysGoLastAndKnownKeysKeepTheirPlace)
{
    ini_.SetValue("One", "A", "1");
    ini_.SetValue("Two", "B", "2");
    ini_.SetValue("One", "C", "3");
    ini_.SetValue("one", "a", "changed");
    EXPECT_EQ(ReadBytes(ini_.filename), "[One]\r\nA=changed\r\nC=3\r\n[Two]\r\nB=2\r\n");
    EXPECT_EQ(ini_.GetValue("ONE", "c", "0"), "3");
    EXPECT_EQ(ini_.GetValue("One", "Missing", "fallback"), "fallback");
    EXPECT_EQ(ini_.GetValue("Missing", "A", "fallback"), "fallback");

    // Deleting what is not there changes nothing; a key deleted and written again goes last.
    ini_.DeleteSection("Missing");
    ini_.DeleteValue("One", "Missing");
    ini_.DeleteValue("Missing", "A");
    ini_.DeleteValue("ONE", "a");
    EXPECT_EQ(ini_.GetValue("One", "A", "gone"), "gone");
    ini_.SetValue("One", "A", "4");
    ini_.DeleteSection("two");
    EXPECT_EQ(ReadBytes(ini_.filename), "[One]\r\nC=3\r\nA=4\r\n");
}

TEST_F(IniFileTest, ValuesReadWithoutBlanksAndEnclosingQuotesCutAtANulAndTo255Characters)
{
    const std::pair<QString, QString> values[] = {
        {"  value \t", "value"}, {"\"quoted\"", "quoted"}, {"\"\"inner\"\"", "\"inner\""}, {"\"open'", "\"open'"},
        {"", ""}, {QString(250, u'a') + QString(50, u'b'), QString(250, u'a') + QString(5, u'b')},
        // A character outside the basic plane is never cut in half.
        {QString(254, u'a') + QString::fromUtf8("\xF0\x9F\x8C\x8D"), QString(254, u'a')},
        {QStringLiteral("before") + QChar(u'\0') + QStringLiteral("after"), "before"},
    };
    for (const auto& [written, read] : values) {
        ini_.SetValue("S", "K", written);
        EXPECT_EQ(ini_.GetValue("S", "K", "default"), read) << written.toStdString();
    }
    EXPECT_EQ(ini_.GetValue("S", "Missing", QString(300, u'd')), QString(255, u'd'));
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

// A byte-order mark counts as a blank wherever it stands. A file that starts
// with two (each of two editors added one) still starts with its first
// section, and rewriting a file never changes what it says.
TEST(IniDocumentTest, ByteOrderMarksAreBlanks)
{
    const IniDocument twice = IniDocument::Parse("\xEF\xBB\xBF\xEF\xBB\xBF[System]\r\n1=Sun\r\n");
    EXPECT_EQ(twice.GetValue("System", "1", ""), "Sun");
    const IniDocument afterEmptyLine = IniDocument::Parse("\r\n\xEF\xBB\xBF[General]\r\nTotalBodies=1\r\n");
    EXPECT_EQ(afterEmptyLine.GetValue("General", "TotalBodies", "0"), "1");

    // The first is the input the fuzzer found: a stray line behind two marks
    // turned into a section once the file was written.
    const QByteArray files[] = {
        QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF[\xEF\x87\x9E\x00``\x00\x00\r\n", 17),
        "\xEF\xBB\xBF;note\r\n[S]\r\nK=\xEF\xBB\xBFV\xEF\xBB\xBF\r\n",
        "\n\xEF\xBB\xBFstray\n",
    };
    for (const QByteArray& file : files) {
        const QByteArray written = IniDocument::Parse(file).Serialize();
        EXPECT_EQ(IniDocument::Parse(written).Serialize(), written) << file.toHex().toStdString();
    }
}

}  // namespace
}  // namespace kosmolux

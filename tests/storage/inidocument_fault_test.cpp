#include <gtest/gtest.h>

#include "storage/bodyname.h"
#include "storage/inidocument.h"

namespace kosmolux {
namespace {

QByteArray WrittenAgain(const QByteArray& bytes)
{
    return IniDocument::Parse(bytes).Serialize();
}

// A byte-order mark counts as a blank wherever it stands. A file that starts
// with two (each of two editors added one) still starts with its first
// section, and rewriting a file never changes what it says.
TEST(IniDocumentFaultTest, ByteOrderMarksAreBlanks)
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
        const QByteArray written = WrittenAgain(file);
        EXPECT_EQ(WrittenAgain(written), written) << file.toHex().toStdString();
    }
}

TEST(IniDocumentFaultTest, NamesWithAByteOrderMarkAroundThemAreRefused)
{
    const QChar mark(0xFEFF);
    EXPECT_FALSE(BodyNameProblem(mark + QStringLiteral("Sun")).isEmpty());
    EXPECT_FALSE(BodyNameProblem(QStringLiteral("Sun") + mark).isEmpty());
    EXPECT_TRUE(BodyNameProblem(QStringLiteral("S") + mark + QStringLiteral("un")).isEmpty());
}

}  // namespace
}  // namespace kosmolux

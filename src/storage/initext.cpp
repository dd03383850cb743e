#include "storage/initext.h"

#include <QStringDecoder>

namespace kosmolux {

namespace {

// Windows-1252, the code page of older files: Latin-1 but for the printable
// characters it puts in 0x80 to 0x9F (the euro sign, curly quotes, the
// ellipsis). The five bytes it leaves undefined keep their Latin-1 meaning.
QString FromWindows1252(const QByteArray& bytes)
{
    static constexpr char16_t High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QString text = QString::fromLatin1(bytes);
    for (QChar& character : text) {
        if (character.unicode() >= 0x80 && character.unicode() <= 0x9F)
            character = QChar(High[character.unicode() - 0x80]);
    }
    return text;
}

}  // namespace

QString DecodeIniText(const QByteArray& bytes)
{
    // A mark at the start stays in the text like any other, as a blank: a
    // second mark behind it, or one on a later line, is then read alike.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return FromWindows1252(bytes);
    return text;
}

}  // namespace kosmolux

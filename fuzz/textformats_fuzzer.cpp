// Number and date parsing on arbitrary text in several locales: a text is a
// number exactly when it converts, conversions round as stated, every
// SciFormat text of a finite double reads back as the number it stands for,
// and every date read is written and read back as the same date.
//
// Input: one byte choosing the locale, then the text (UTF-8); the first eight
// bytes of the text are also taken as the bits of a double.

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <optional>
#include <string>

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QString>

#include "fuzzcheck.h"
#include "platform/numberreader.h"
#include "platform/programerror.h"
#include "platform/textformats.h"
#include "storage/sciformat.h"

namespace kosmolux {
namespace {

// Decimal commas, other digits, other minus signs and exponent words.
const char* const LocaleNames[] = {"en_US", "de_DE", "fr_FR", "sv_SE", "fa_IR", "ar_EG", "de_CH", "ja_JP"};

// The number the text stands for, read by the standard library after the
// locale's decimal separator is turned into a point: the reference reading.
double ReferenceReading(const QString& sciText)
{
    const std::string plain = QString(sciText).replace(QLocale().decimalPoint(), QStringLiteral(".")).toStdString();
    double value = 0.0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    Require(result.ec == std::errc() && result.ptr == plain.data() + plain.size(),
            "a SciFormat text is a plain number apart from its separator");
    return value;
}

void CheckSciFormat(double value)
{
    const QString text = SciFormat(value);
    Require(text::IsNumeric(text), "a SciFormat text is a number");
    const double back = text::ToDouble(text);
    Require(back == ReferenceReading(text), "a SciFormat text reads as the number it stands for");
    Require(SciFormat(back) == text, "a SciFormat text read back formats to the same text");
    Require(std::fabs(back - value) <= 6e-15 * std::fabs(value), "SciFormat keeps 15 significant digits");
}

enum class Outcome { Value, TypeMismatch, Overflow };

template <typename Convert>
Outcome OutcomeOf(Convert convert)
{
    try {
        convert();
        return Outcome::Value;
    } catch (const ProgramError& error) {
        Require(error.Number() == ProgramError::TypeMismatch || error.Number() == ProgramError::Overflow,
                "a conversion fails with a type mismatch or an overflow");
        return error.Number() == ProgramError::Overflow ? Outcome::Overflow : Outcome::TypeMismatch;
    }
}

template <typename Integer, typename Convert>
void CheckInteger(const QString& text, Outcome asDouble, Convert convert)
{
    Integer integer = 0;
    const Outcome outcome = OutcomeOf([&] { integer = convert(text); });
    if (asDouble != Outcome::Value) {
        Require(outcome == asDouble, "an integer conversion fails as the double conversion does");
        return;
    }
    // nearbyint rounds a half to the even neighbour in the default rounding mode.
    const double rounded = std::nearbyint(text::ToDouble(text));
    const bool inRange = rounded >= std::numeric_limits<Integer>::min() &&
                         rounded <= std::numeric_limits<Integer>::max();
    Require(outcome == (inRange ? Outcome::Value : Outcome::Overflow), "only an integer out of range overflows");
    Require(!inRange || integer == rounded, "an integer is rounded half to even");
}

bool SameReading(const text::NumberReader::Reading& one, const text::NumberReader::Reading& other)
{
    return one.kind == other.kind && std::memcmp(&one.value, &other.value, sizeof one.value) == 0;
}

// A text in the program's own form reads as Qt reads it in the C locale with
// "." for ",": the quick reading of a load must not change a single bit.
void CheckQuickReading(const QString& text)
{
    using Reading = text::NumberReader::Reading;
    const text::NumberReader reader;
    const Reading reading = reader.Read(QStringView(text));
    const QByteArray utf8 = text.toUtf8();
    Require(SameReading(reader.Read(QByteArrayView(utf8)), reading), "UTF-8 and UTF-16 texts read alike");

    static const QRegularExpression programForm(QStringLiteral("^[+-]?[0-9]+([.,][0-9]+)?([eE][+-]?[0-9]+)?$"));
    const QString trimmed = text.trimmed();
    if (!programForm.match(trimmed).hasMatch())
        return;
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    QString number = QString(trimmed).replace(u',', u'.');
    const double qt = c.toDouble(number, &ok);
    // Qt refuses a number too small for a double: it reads as a zero of its sign.
    for (QChar& character : number)
        character = character >= u'1' && character <= u'9' ? QChar(u'0') : character;
    Reading expected{Reading::Kind::Number, ok ? qt : c.toDouble(number)};
    if (!std::isfinite(qt))
        expected = ok ? Reading{} : Reading{Reading::Kind::TooLarge, 0.0};
    Require(SameReading(reading, expected), "a number in the program's form reads as Qt reads it");
}

void CheckNumber(const QString& text)
{
    CheckQuickReading(text);
    const bool numeric = text::IsNumeric(text);
    double value = 0.0;
    const Outcome asDouble = OutcomeOf([&] { value = text::ToDouble(text); });
    Require(numeric == (asDouble != Outcome::TypeMismatch), "a text is a number exactly when it converts");
    if (asDouble == Outcome::Value) {
        Require(std::isfinite(value), "a number read is finite");
        CheckSciFormat(value);
    }
    CheckInteger<std::int16_t>(text, asDouble, text::ToInt16);
    CheckInteger<std::int32_t>(text, asDouble, text::ToInt32);
}

void CheckDate(const QString& text)
{
    const std::optional<QDate> date = text::ParseDate(text);
    if (!date)
        return;
    Require(date->isValid(), "a date read exists");
    Require(text::ParseDate(text::FormatShortDate(*date)) == date, "a short date reads back as itself");
    Require(text::ParseDate(text::FormatLongDate(*date)) == date, "a long date reads back as itself");
}

void CheckBits(const std::uint8_t* data, std::size_t size)
{
    double value = 0.0;
    if (size < sizeof value)
        return;
    std::memcpy(&value, data, sizeof value);
    Require(text::FormatGrouped(value).isEmpty() == (std::nearbyint(value) == 0.0),
            "only a value that rounds to 0 shows nothing");
    Require(!text::FormatGroupedOrZero(value).isEmpty(), "a value with at least one digit shows something");
    if (std::isfinite(value))
        CheckSciFormat(value);
}

}  // namespace
}  // namespace kosmolux

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kosmolux;
    if (size == 0)
        return 0;
    constexpr std::size_t localeCount = std::size(LocaleNames);
    QLocale::setDefault(QLocale(QString::fromLatin1(LocaleNames[data[0] % localeCount])));
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    CheckNumber(text);
    CheckDate(text);
    CheckBits(data + 1, size - 1);
    return 0;
}

#include "platform/numberreader.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

#include <QStringDecoder>

#include "platform/programerror.h"

namespace kosmolux::text {

namespace {

using Kind = NumberReader::Reading::Kind;

// Whether the text is in the form the program writes numbers: an optional
// sign, digits, one decimal separator ("." or ",") with digits, and an
// optional exponent.
bool IsProgramForm(QStringView text)
{
    qsizetype i = 0;
    const auto at = [&text, &i](char16_t one, char16_t other) {
        return i < text.size() && (text[i] == one || text[i] == other);
    };
    const auto skipDigits = [&text, &i] {
        const qsizetype start = i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        return i > start;
    };
    if (at(u'+', u'-'))
        ++i;
    if (!skipDigits())
        return false;
    if (at(u'.', u',')) {
        ++i;
        if (!skipDigits())
            return false;
    }
    if (at(u'E', u'e')) {
        ++i;
        if (at(u'+', u'-'))
            ++i;
        if (!skipDigits())
            return false;
    }
    return i == text.size();
}

// Room for any value of a file (at most 255 characters) and more.
constexpr std::ptrdiff_t LongestQuickText = 256;

bool IsAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The digits from `from` on, copied to `to`: where each copy ended.
struct Copied {
    const char* from;
    char* to;
};

Copied CopyDigits(const char* from, const char* end, char* to)
{
    while (from < end && IsDigit(*from))
        *to++ = *from++;
    return {from, to};
}

// The number of an ASCII text in the program's form, with ASCII blanks
// around it, read by the standard library: it rounds exactly as Qt does
// (correctly), at a fraction of the cost. Nothing for any other text, a value
// out of range or a very long text: Qt's reading decides those.
std::optional<double> QuickReading(const char* p, const char* end)
{
    while (p < end && IsAsciiSpace(*p))
        ++p;
    while (end > p && IsAsciiSpace(end[-1]))
        --end;
    // Most texts are already as the standard library reads them: "-", digits,
    // ".", digits and an exponent. It reads a little more ("5.", ".5", "inf"),
    // so a digit must start the number and follow the point.
    double value = 0.0;
    const auto [last, error] = std::from_chars(p, end, value);
    if (error == std::errc() && last == end) {
        const char* const first = *p == '-' ? p + 1 : p;
        const char* const point = static_cast<const char*>(std::memchr(first, '.', static_cast<std::size_t>(end - first)));
        if (first < end && IsDigit(*first) && (!point || (point + 1 < end && IsDigit(point[1]))))
            return value;
    }
    if (end - p > LongestQuickText)
        return std::nullopt;
    // The text with "." as its separator and without a plus sign in front,
    // as the standard library reads it.
    char form[LongestQuickText];
    char* out = form;
    if (p < end && (*p == '+' || *p == '-')) {
        if (*p == '-')
            *out++ = '-';
        ++p;
    }
    Copied digits = CopyDigits(p, end, out);
    if (digits.from == p)
        return std::nullopt;
    p = digits.from;
    out = digits.to;
    if (p < end && (*p == '.' || *p == ',')) {
        *out++ = '.';
        digits = CopyDigits(++p, end, out);
        if (digits.from == p)
            return std::nullopt;
        p = digits.from;
        out = digits.to;
    }
    if (p < end && (*p == 'E' || *p == 'e')) {
        *out++ = *p++;
        if (p < end && (*p == '+' || *p == '-'))
            *out++ = *p++;
        digits = CopyDigits(p, end, out);
        if (digits.from == p)
            return std::nullopt;
        p = digits.from;
        out = digits.to;
    }
    if (p != end)
        return std::nullopt;
    const auto [formEnd, formError] = std::from_chars(form, out, value);
    if (formError != std::errc() || formEnd != out)
        return std::nullopt;
    return value;
}

// The same text with every decimal digit replaced by the zero of its script.
QString WithDigitsZeroed(const QString& text)
{
    QString zeroed = text;
    for (QChar& character : zeroed)
        if (character.category() == QChar::Number_DecimalDigit)
            character = QChar(character.unicode() - character.digitValue());
    return zeroed;
}

template <typename Integer>
Integer ToInteger(const NumberReader::Reading& reading)
{
    const double rounded = RoundHalfToEven(NumberReader::ToDouble(reading));
    if (rounded < std::numeric_limits<Integer>::min() || rounded > std::numeric_limits<Integer>::max())
        throw ProgramError(QStringLiteral("Overflow"), ProgramError::Overflow);
    return static_cast<Integer>(rounded);
}

}  // namespace

double RoundHalfToEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

NumberReader::NumberReader() : user_(QLocale())
{
    // Without this "1,989,000" would silently read as 1989000 in English.
    c_.setNumberOptions(QLocale::RejectGroupSeparator);
    user_.setNumberOptions(QLocale::RejectGroupSeparator);
}

NumberReader::Reading NumberReader::Read(QStringView text) const
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    // Files travel between locales: the program's own form reads alike with
    // either separator, so "1.5" means 1.5 in German too.
    if (IsProgramForm(trimmed)) {
        // All ASCII, so its Latin-1 bytes are its characters.
        const QByteArray ascii = trimmed.toLatin1();
        if (const std::optional<double> value = QuickReading(ascii.begin(), ascii.end()))
            return {Kind::Number, *value};
        return ReadWithQt(trimmed.toString().replace(u',', u'.'), c_);
    }
    return ReadWithQt(trimmed.toString(), user_);
}

NumberReader::Reading NumberReader::Read(QByteArrayView utf8) const
{
    // Most values of a file: plain ASCII in the program's form, read without
    // making a QString of them. ASCII blanks are blanks to QString too, and
    // other text is left to the full reading.
    if (const std::optional<double> value = QuickReading(utf8.begin(), utf8.end()))
        return {Kind::Number, *value};
    // A byte-order mark at the start is part of the text, not dropped.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const QString text = decoder.decode(utf8);
    return Read(QStringView(text));
}

NumberReader::Reading NumberReader::ReadWithQt(const QString& number, const QLocale& locale) const
{
    bool ok = false;
    const double value = locale.toDouble(number, &ok);
    if (ok)
        return std::isfinite(value) ? Reading{Kind::Number, value} : Reading{};
    // Qt refuses a well-formed number whose value is out of range: an infinity
    // tells a number too large, a zero may be one too small for a double.
    if (std::isinf(value))
        return {Kind::TooLarge, 0.0};
    // A tiny number underflows to zero; with its digits zeroed it is well formed
    // and Qt accepts it, while text that is no number stays refused.
    const double zero = locale.toDouble(WithDigitsZeroed(number), &ok);
    if (ok)
        return {Kind::Number, zero};
    return {};
}

double NumberReader::ToDouble(const Reading& reading)
{
    switch (reading.kind) {
    case Kind::Number:
        return reading.value;
    case Kind::TooLarge:
        throw ProgramError(QStringLiteral("Overflow"), ProgramError::Overflow);
    case Kind::NotANumber:
        break;
    }
    throw ProgramError(QStringLiteral("Type mismatch"), ProgramError::TypeMismatch);
}

std::int16_t NumberReader::ToInt16(const Reading& reading)
{
    return ToInteger<std::int16_t>(reading);
}

std::int32_t NumberReader::ToInt32(const Reading& reading)
{
    return ToInteger<std::int32_t>(reading);
}

}  // namespace kosmolux::text

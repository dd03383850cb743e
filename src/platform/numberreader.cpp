#include "platform/numberreader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include <QStringDecoder>

#include "platform/programerror.h"

namespace kosmolux::text {

namespace {

using Kind = NumberReader::Reading::Kind;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Whether ASCII text is in the form the program writes numbers: an optional
// sign, digits, one decimal separator ("." or ",") with digits, and an
// optional exponent.
bool IsProgramForm(std::string_view text)
{
    std::size_t i = 0;
    const auto at = [&text, &i](char one, char other) {
        return i < text.size() && (text[i] == one || text[i] == other);
    };
    const auto skipDigits = [&text, &i] {
        const std::size_t start = i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        return i > start;
    };
    if (at('+', '-'))
        ++i;
    if (!skipDigits())
        return false;
    if (at('.', ',')) {
        ++i;
        if (!skipDigits())
            return false;
    }
    if (at('E', 'e')) {
        ++i;
        if (at('+', '-'))
            ++i;
        if (!skipDigits())
            return false;
    }
    return i == text.size();
}

std::string_view WithoutAsciiBlanks(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Room for any value of a file (at most 255 characters) and more.
constexpr std::size_t LongestQuickText = 256;

// A number in the program's form read by the standard library: it rounds
// exactly as Qt does (correctly), at a fraction of the cost. Nothing for a
// value out of range or a very long text: Qt's reading decides those.
std::optional<double> QuickReading(std::string_view form)
{
    // Most texts are already as the standard library reads them; others get
    // "." for "," and lose a plus sign in front.
    std::array<char, LongestQuickText> plain;
    if (form.front() == '+' || form.find(',') != std::string_view::npos) {
        if (form.size() > plain.size())
            return std::nullopt;
        const std::string_view withoutPlus = form.front() == '+' ? form.substr(1) : form;
        std::replace_copy(withoutPlus.begin(), withoutPlus.end(), plain.begin(), ',', '.');
        form = std::string_view(plain.data(), withoutPlus.size());
    }
    double value = 0.0;
    const auto [last, error] = std::from_chars(form.data(), form.data() + form.size(), value);
    if (error != std::errc() || last != form.data() + form.size())
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
    // A character beyond Latin-1 becomes "?", which no number holds.
    const QByteArray latin1 = trimmed.toLatin1();
    const std::string_view ascii(latin1.constData(), static_cast<std::size_t>(latin1.size()));
    if (IsProgramForm(ascii))
        return ReadProgramForm(ascii);
    return ReadWithQt(trimmed.toString(), user_);
}

NumberReader::Reading NumberReader::Read(QByteArrayView utf8) const
{
    // Most values of a file: plain ASCII in the program's form, read without
    // making a QString of them. Other text gets the full reading.
    const std::string_view ascii = WithoutAsciiBlanks(std::string_view(utf8.data(), static_cast<std::size_t>(utf8.size())));
    if (IsProgramForm(ascii))
        return ReadProgramForm(ascii);
    // A byte-order mark at the start is part of the text, not dropped.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const QString text = decoder.decode(utf8);
    return Read(QStringView(text));
}

NumberReader::Reading NumberReader::ReadProgramForm(std::string_view form) const
{
    // Files travel between locales: the program's own form reads alike with
    // either separator, so "1.5" means 1.5 in German too.
    if (const std::optional<double> value = QuickReading(form))
        return {Kind::Number, *value};
    return ReadWithQt(QString::fromLatin1(form.data(), static_cast<qsizetype>(form.size())).replace(u',', u'.'), c_);
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

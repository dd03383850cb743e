#include "platform/textformats.h"

#include <cmath>
#include <limits>

#include <QCalendar>
#include <QLocale>
#include <QStringList>

#include "platform/programerror.h"

namespace kosmolux::text {

namespace {

// ---- Numbers ----

enum class NumberKind { NotANumber, Number, TooLarge };

struct ParsedNumber {
    NumberKind kind = NumberKind::NotANumber;
    double value = 0.0;
};

// The same text with every decimal digit replaced by the zero of its script.
QString WithDigitsZeroed(const QString& text)
{
    QString zeroed = text;
    for (QChar& character : zeroed)
        if (character.category() == QChar::Number_DecimalDigit)
            character = QChar(character.unicode() - character.digitValue());
    return zeroed;
}

// The text in the form the program writes numbers, an optional sign, digits,
// one decimal separator ("." or ",") with digits, and an optional exponent,
// with "." as its separator; nothing for any other text.
std::optional<QString> InProgramForm(const QString& text)
{
    QString form = text;
    qsizetype i = 0;
    const auto skipDigits = [&form, &i] {
        const qsizetype start = i;
        while (i < form.size() && form[i] >= u'0' && form[i] <= u'9')
            ++i;
        return i > start;
    };
    if (i < form.size() && (form[i] == u'+' || form[i] == u'-'))
        ++i;
    if (!skipDigits())
        return std::nullopt;
    if (i < form.size() && (form[i] == u'.' || form[i] == u',')) {
        form[i++] = u'.';
        if (!skipDigits())
            return std::nullopt;
    }
    if (i < form.size() && (form[i] == u'E' || form[i] == u'e')) {
        ++i;
        if (i < form.size() && (form[i] == u'+' || form[i] == u'-'))
            ++i;
        if (!skipDigits())
            return std::nullopt;
    }
    if (i != form.size())
        return std::nullopt;
    return form;
}

ParsedNumber ParseNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    // Files travel between locales: the program's own form reads alike with
    // either separator, so "1.5" means 1.5 in German too.
    const std::optional<QString> programForm = InProgramForm(trimmed);
    QLocale locale = programForm ? QLocale::c() : QLocale();
    // Without this "1,989,000" would silently read as 1989000 in English.
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    const QString& number = programForm ? *programForm : trimmed;
    bool ok = false;
    const double value = locale.toDouble(number, &ok);
    if (ok)
        return std::isfinite(value) ? ParsedNumber{NumberKind::Number, value} : ParsedNumber{};
    // Qt refuses a well-formed number whose value is out of range: an infinity
    // tells a number too large, a zero may be one too small for a double.
    if (std::isinf(value))
        return {NumberKind::TooLarge, 0.0};
    // A tiny number underflows to zero; with its digits zeroed it is well formed
    // and Qt accepts it, while text that is no number stays refused.
    const double zero = locale.toDouble(WithDigitsZeroed(number), &ok);
    if (ok)
        return {NumberKind::Number, zero};
    return {};
}

// Half to even, written out rather than left to the floating-point rounding mode.
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

template <typename Integer>
Integer ToInteger(const QString& text)
{
    const double rounded = RoundHalfToEven(ToDouble(text));
    if (rounded < std::numeric_limits<Integer>::min() || rounded > std::numeric_limits<Integer>::max())
        throw ProgramError(QStringLiteral("Overflow"), ProgramError::Overflow);
    return static_cast<Integer>(rounded);
}

// ---- Dates ----

// Rewrites each unquoted run of one format letter ("yy", "MM", "dddd") with
// rewrite(letter, run); text in single quotes is literal and kept as it is.
template <typename Rewrite>
QString RewriteFormatRuns(const QString& format, Rewrite rewrite)
{
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar letter = format[i];
        if (letter == u'\'')
            quoted = !quoted;
        if (quoted || !letter.isLetter()) {
            result += letter;
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < format.size() && format[end] == letter)
            ++end;
        result += rewrite(letter, format.mid(i, end - i));
        i = end;
    }
    return result;
}

QString WithFourDigitYear(const QString& format)
{
    return RewriteFormatRuns(format, [](QChar letter, const QString& run) {
        return letter == u'y' ? QStringLiteral("yyyy") : run;
    });
}

// Day and month in one or two digits: "d.M.yyyy" reads "5.3.2000" and "05.03.2000".
QString WithFlexibleDayAndMonth(const QString& format)
{
    return RewriteFormatRuns(format, [](QChar letter, const QString& run) {
        return (letter == u'd' || letter == u'M') && run.size() == 2 ? QString(letter) : run;
    });
}

// A two-digit year names the year ending in those digits that lies within the
// 80 years before and the 19 years after the current year.
int FullYear(int twoDigitYear)
{
    const int earliest = Today().year() - 80;
    return earliest + ((twoDigitYear - earliest) % 100 + 100) % 100;
}

// Qt reads a two-digit year as 19yy, and 29 February 1900 does not exist. The
// Julian calendar, where every fourth year is a leap year, lets that day
// through; the real year then decides whether the date exists.
std::optional<QDate> ParseWithTwoDigitYear(const QLocale& locale, const QString& text,
                                           const QString& format)
{
    const QCalendar julian(QCalendar::System::Julian);
    const QDate parsed = locale.toDate(text, format, julian);
    if (!parsed.isValid())
        return std::nullopt;
    const QCalendar::YearMonthDay parts = julian.partsFromDate(parsed);
    const QDate date(FullYear(parts.year % 100), parts.month, parts.day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// The date in any form the locale accepts (see ParseDate).
std::optional<QDate> ParseAnyDateForm(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const QLocale locale;
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    const QString fourDigitShort = WithFourDigitYear(shortFormat);
    // "d" reads one or two digits, so "d MMM yyyy" also reads "05 Mar 2000".
    const QStringList fourDigitFormats = {
        fourDigitShort, WithFlexibleDayAndMonth(fourDigitShort), locale.dateFormat(QLocale::LongFormat),
        QStringLiteral("d MMM yyyy"), QStringLiteral("d MMMM yyyy"),
    };
    for (const QString& format : fourDigitFormats) {
        const QDate date = locale.toDate(trimmed, format);
        if (date.isValid())
            return date;
    }
    if (const QDate iso = QDate::fromString(trimmed, Qt::ISODate); iso.isValid())
        return iso;
    if (shortFormat == fourDigitShort)
        return std::nullopt;
    for (const QString& format : {shortFormat, WithFlexibleDayAndMonth(shortFormat)})
        if (const auto date = ParseWithTwoDigitYear(locale, trimmed, format))
            return date;
    return std::nullopt;
}

// Files travel between locales: the two common numeric forms of other
// locales, tried after every form of the user's own.
std::optional<QDate> ParseOtherLocalesDate(const QString& trimmed)
{
    for (const QString& format : {QStringLiteral("d.M.yyyy"), QStringLiteral("M/d/yyyy")}) {
        if (const QDate date = QDate::fromString(trimmed, format); date.isValid())
            return date;
    }
    return std::nullopt;
}

}  // namespace

QString FormatGrouped(double value)
{
    return RoundHalfToEven(value) == 0.0 ? QString() : FormatGroupedOrZero(value);
}

QString FormatGroupedOrZero(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    const double rounded = RoundHalfToEven(value);
    // A negative value that rounds to zero gives "0", never "-0".
    if (rounded == 0.0)
        return locale.toString(0);
    // Whole doubles of any size print their exact digits; "inf" and "nan" stay words.
    return locale.toString(rounded, 'f', 0);
}

QString FormatLongDate(const QDate& date)
{
    return QLocale().toString(date, QStringLiteral("dd MMM yyyy"));
}

QString FormatShortDate(const QDate& date)
{
    const QLocale locale;
    return locale.toString(date, WithFourDigitYear(locale.dateFormat(QLocale::ShortFormat)));
}

std::optional<QDate> ParseDate(const QString& text)
{
    // Qt reads "-0500" as a year but writes it with a minus sign of the
    // locale that it may not read back: years before 1 are no dates here.
    std::optional<QDate> date = ParseAnyDateForm(text);
    if (!date)
        date = ParseOtherLocalesDate(text.trimmed());
    if (date && date->year() < 1)
        return std::nullopt;
    return date;
}

bool IsNumeric(const QString& text)
{
    return ParseNumber(text).kind != NumberKind::NotANumber;
}

double ToDouble(const QString& text)
{
    const ParsedNumber number = ParseNumber(text);
    switch (number.kind) {
    case NumberKind::Number:
        return number.value;
    case NumberKind::TooLarge:
        throw ProgramError(QStringLiteral("Overflow"), ProgramError::Overflow);
    case NumberKind::NotANumber:
        break;
    }
    throw ProgramError(QStringLiteral("Type mismatch"), ProgramError::TypeMismatch);
}

std::int16_t ToInt16(const QString& text)
{
    return ToInteger<std::int16_t>(text);
}

std::int32_t ToInt32(const QString& text)
{
    return ToInteger<std::int32_t>(text);
}

bool MatchesNewPattern(const QString& text)
{
    return text.startsWith(QStringLiteral("New "), Qt::CaseSensitive);
}

QDate Today()
{
    return QDate::currentDate();
}

QDate AddDays(const QDate& date, std::int64_t days)
{
    return date.addDays(days);
}

}  // namespace kosmolux::text

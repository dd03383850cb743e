#include "platform/textformats.h"

#include <cmath>
#include <limits>

#include <QCalendar>
#include <QLocale>
#include <QStringList>

#include "platform/numberreader.h"

namespace kosmolux::text {

namespace {

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
// locales, tried after every form of the user's own, then the form written
// where no locale is set ("1 Jan 2000").
std::optional<QDate> ParseOtherLocalesDate(const QString& trimmed)
{
    for (const QString& format : {QStringLiteral("d.M.yyyy"), QStringLiteral("M/d/yyyy")}) {
        if (const QDate date = QDate::fromString(trimmed, format); date.isValid())
            return date;
    }
    if (const QDate date = QLocale::c().toDate(trimmed, QStringLiteral("d MMM yyyy")); date.isValid())
        return date;
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
    return NumberReader().Read(text).kind != NumberReader::Reading::Kind::NotANumber;
}

double ToDouble(const QString& text)
{
    return NumberReader::ToDouble(NumberReader().Read(text));
}

std::int16_t ToInt16(const QString& text)
{
    return NumberReader::ToInt16(NumberReader().Read(text));
}

std::int32_t ToInt32(const QString& text)
{
    return NumberReader::ToInt32(NumberReader().Read(text));
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

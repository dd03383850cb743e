#pragma once

#include <cstdint>
#include <optional>

#include <QDate>
#include <QString>

namespace kosmolux::text {

// All patterns use QLocale(): the system locale unless a default was set.

// "#,###": rounded to a whole number, a half to the even neighbour (2.5 gives
// 2), thousands grouped; empty when it rounds to 0. Values of any size show all
// their digits; an infinity or NaN shows Qt's word for it.
QString FormatGrouped(double value);
// "#,##0": the same, but 0 shows "0" (never "-0").
QString FormatGroupedOrZero(double value);

// "dd MMM yyyy": two-digit day, abbreviated month name, four-digit year.
QString FormatLongDate(const QDate& date);
// The locale's short date form with the year always in four digits.
QString FormatShortDate(const QDate& date);
// Any date form the locale accepts, blanks around allowed: the short form with
// a four- or two-digit year and a one- or two-digit day and month, the long
// form, "d MMM yyyy", "d MMMM yyyy" and ISO "yyyy-MM-dd". A two-digit year is
// the year ending in those digits within the 80 years before and the 19 years
// after the current year. Then, for files written under another locale,
// "d.M.yyyy" and "M/d/yyyy". Days that do not exist, and years before 1, give nothing.
std::optional<QDate> ParseDate(const QString& text);
inline bool IsDate(const QString& text) { return ParseDate(text).has_value(); }

// Plain decimals and exponent forms with the locale's decimal separator,
// blanks around allowed; the form the program writes (sign, digits, one
// separator, digits, exponent) reads alike with "." or "," as its separator
// in every locale. No group separators ("1,000,000" and "1.000,5" are no
// numbers), no "nan" or "inf". A number too large for a double still counts
// as a number (its conversion overflows); one too small reads as 0.
bool IsNumeric(const QString& text);
// Throws ProgramError: "Type mismatch" (13) for a text that is not a number,
// "Overflow" (6) for one too large for a double.
double ToDouble(const QString& text);
// A fraction rounds to the nearest whole number, a half to the even neighbour;
// out of range throws ProgramError "Overflow" (6).
std::int16_t ToInt16(const QString& text);
std::int32_t ToInt32(const QString& text);

// True when the text starts with "New " (case-sensitive).
bool MatchesNewPattern(const QString& text);

// Today's date, and a date plus whole days.
QDate Today();
QDate AddDays(const QDate& date, std::int64_t days);

}  // namespace kosmolux::text

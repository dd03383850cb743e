#pragma once

#include <cstdint>
#include <optional>

#include <QDate>
#include <QString>

namespace kosmolux::text {

// All patterns use QLocale(): the system locale unless a default was set.

// "#,###": rounded to a whole number, thousands grouped; empty when it rounds to 0.
QString FormatGrouped(double value);
// "#,##0": the same, but 0 shows "0".
QString FormatGroupedOrZero(double value);

// "dd MMM yyyy": two-digit day, abbreviated month name, four-digit year.
QString FormatLongDate(const QDate& date);
// The locale's short date form with the year always in four digits.
QString FormatShortDate(const QDate& date);
// Any date form the locale accepts (short, long, numeric month, "dd MMM yyyy").
std::optional<QDate> ParseDate(const QString& text);
inline bool IsDate(const QString& text) { return ParseDate(text).has_value(); }

// Plain decimals and exponent forms with the locale's decimal separator,
// blanks around allowed; no group separators, no "nan" or "inf". A number too
// large for a double still counts as a number (its conversion overflows).
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

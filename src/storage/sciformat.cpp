#include "storage/sciformat.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include <QLocale>

namespace kosmolux {

namespace {

// The largest magnitude whose 15-digit form still reads back as a finite
// double: rounding anything above it up would give a text beyond the range.
constexpr double LargestReadableMagnitude = 1.79769313486231e308;

}  // namespace

QString SciFormat(double value)
{
    const QString separator = QLocale().decimalPoint();
    if (value == 0.0 || !std::isfinite(value))
        return QStringLiteral("0") + separator + QStringLiteral("0E+0");
    if (std::fabs(value) > LargestReadableMagnitude)
        value = std::copysign(LargestReadableMagnitude, value);

    // "-d.ddddddddddddddde+dd": correctly rounded to 15 significant digits.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t exponentMark = text.find('e');
    const bool negative = text.front() == '-';
    const std::size_t firstDigit = negative ? 1 : 0;
    const std::string_view digits = text.substr(firstDigit, exponentMark - firstDigit);

    std::string_view fraction = digits.substr(2);  // after "d."
    while (fraction.size() > 1 && fraction.back() == '0')
        fraction.remove_suffix(1);
    int exponent = 0;
    std::from_chars(text.data() + exponentMark + 2, text.data() + text.size(), exponent);
    const bool negativeExponent = text[exponentMark + 1] == '-';

    QString formatted;
    if (negative)
        formatted += u'-';
    formatted += QChar(digits.front());
    formatted += separator;
    formatted += QLatin1StringView(fraction.data(), static_cast<qsizetype>(fraction.size()));
    formatted += negativeExponent ? QStringLiteral("E-") : QStringLiteral("E+");
    formatted += QString::number(exponent);
    return formatted;
}

}  // namespace kosmolux

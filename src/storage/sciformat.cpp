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

SciFormatter::SciFormatter() : separator_(QLocale().decimalPoint().toUtf8()) {}

void SciFormatter::AppendTo(QByteArray& utf8, double value) const
{
    if (value == 0.0 || !std::isfinite(value)) {
        utf8 += '0';
        utf8 += separator_;
        utf8 += "0E+0";
        return;
    }
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
    // The exponent without its leading zeros.
    std::string_view exponent = text.substr(exponentMark + 2);
    while (exponent.size() > 1 && exponent.front() == '0')
        exponent.remove_prefix(1);
    const bool negativeExponent = text[exponentMark + 1] == '-';

    if (negative)
        utf8 += '-';
    utf8 += digits.front();
    utf8 += separator_;
    utf8.append(fraction.data(), static_cast<qsizetype>(fraction.size()));
    utf8 += negativeExponent ? "E-" : "E+";
    utf8.append(exponent.data(), static_cast<qsizetype>(exponent.size()));
}

QString SciFormat(double value)
{
    QByteArray utf8;
    SciFormatter().AppendTo(utf8, value);
    return QString::fromUtf8(utf8);
}

}  // namespace kosmolux

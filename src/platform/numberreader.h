#pragma once

#include <cstdint>
#include <string_view>

#include <QByteArrayView>
#include <QLocale>
#include <QStringView>

namespace kosmolux::text {

// Half to even, written out rather than left to the floating-point rounding mode.
double RoundHalfToEven(double value);

// Reads numbers as IsNumeric and ToDouble (textformats.h) do, for many
// numbers in a row, as a file is loaded: the locale is taken once, when the
// reader is made, and each text is read once.
class NumberReader {
public:
    // What a text reads as.
    struct Reading {
        enum class Kind { NotANumber, Number, TooLarge };
        Kind kind = Kind::NotANumber;
        double value = 0.0;  // of a Number
    };

    NumberReader();

    Reading Read(QStringView text) const;
    // The same for UTF-8 text.
    Reading Read(QByteArrayView utf8) const;

    // The number read. Throws ProgramError: "Type mismatch" (13) for a text
    // that is not a number, "Overflow" (6) for one too large for a double.
    static double ToDouble(const Reading& reading);
    // Rounded to the nearest whole number, a half to the even neighbour;
    // throws as ToDouble, and "Overflow" (6) out of range.
    static std::int16_t ToInt16(const Reading& reading);
    static std::int32_t ToInt32(const Reading& reading);

private:
    // A trimmed ASCII text in the program's own form.
    Reading ReadProgramForm(std::string_view form) const;
    Reading ReadWithQt(const QString& number, const QLocale& locale) const;

    QLocale c_ = QLocale::c();  // for the program's own form
    QLocale user_;
};

}  // namespace kosmolux::text

#pragma once

#include <QByteArray>
#include <QString>

namespace kosmolux {

// The one text form of a double in system files and edit fields, the pattern
// "#.0##############E+##": 15 significant digits, trailing zeros dropped but
// one digit always after the locale's decimal separator, then "E", the sign
// and the exponent without leading zeros. 1.989e30 gives "1.989E+30", 0.001
// gives "1.0E-3", zero "0.0E+0". Every text reads back as the number it
// stands for. A value that is not finite gives "0.0E+0".
QString SciFormat(double value);

// SciFormat for many numbers in a row, as a file is saved: the locale's
// decimal separator is taken once, and the texts go straight into UTF-8.
class SciFormatter {
public:
    SciFormatter();
    void AppendTo(QByteArray& utf8, double value) const;

private:
    QByteArray separator_;
};

}  // namespace kosmolux

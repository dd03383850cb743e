#pragma once

#include <QString>

namespace kosmolux {

// The one text form of a double in system files and edit fields, the pattern
// "#.0##############E+##": 15 significant digits, trailing zeros dropped but
// one digit always after the locale's decimal separator, then "E", the sign
// and the exponent without leading zeros. 1.989e30 gives "1.989E+30", 0.001
// gives "1.0E-3", zero "0.0E+0". Every text reads back as the number it
// stands for. A value that is not finite gives "0.0E+0".
QString SciFormat(double value);

}  // namespace kosmolux

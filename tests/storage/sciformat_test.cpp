#include <charconv>
#include <limits>
#include <string>
#include <utility>

#include <QLocale>

#include <gtest/gtest.h>

#include "platform/textformats.h"
#include "storage/sciformat.h"
#include "support/localeguard.h"

namespace kosmolux {
namespace {

// Each value's text in English; German has a decimal comma. In either locale
// the text reads back as the number it stands for, which is written as the
// same text again.
TEST(SciFormatTest, WritesTheFixedPatternThatReadsBack)
{
    const std::pair<double, std::string> rows[] = {
        {1.989e30, "1.989E+30"}, {6378140.0, "6.37814E+6"}, {-29780.0, "-2.978E+4"}, {0.001, "1.0E-3"},
        {1.0 / 3.0, "3.33333333333333E-1"}, {-2.0 / 3.0, "-6.66666666666667E-1"}, {-9.5, "-9.5E+0"},
        {0.0, "0.0E+0"}, {-0.0, "0.0E+0"}, {std::numeric_limits<double>::quiet_NaN(), "0.0E+0"},
        {-std::numeric_limits<double>::infinity(), "0.0E+0"},
        // 15 significant digits, the last one rounded, even when that carries into the exponent.
        {1.23456789012345678e-5, "1.23456789012346E-5"}, {1e15 + 1.0, "1.0E+15"}, {9.999999999999999, "1.0E+1"},
        {std::numeric_limits<double>::max(), "1.79769313486231E+308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
    };
    for (const QLocale& locale :
         {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany)}) {
        const LocaleGuard guard(locale);
        for (const auto& [value, english] : rows) {
            const QString text = QString::fromStdString(english).replace(u'.', locale.decimalPoint());
            double standsFor = 0.0;
            std::from_chars(english.data(), english.data() + english.size(), standsFor);
            EXPECT_EQ(SciFormat(value), text);
            EXPECT_EQ(text::ToDouble(text), standsFor) << english;
            EXPECT_EQ(SciFormat(text::ToDouble(text)), text);
        }
    }
}

}  // namespace
}  // namespace kosmolux

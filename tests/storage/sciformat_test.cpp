#include <charconv>
#include <string>
#include <limits>

#include <QLocale>

#include <gtest/gtest.h>

#include "platform/textformats.h"
#include "storage/sciformat.h"

namespace kosmolux {
namespace {

// Sets a default locale for one test and puts the previous one back.
class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

// The number a text with a "." stands for, without any locale.
double ReadPlain(const QString& text)
{
    const std::string plain = text.toStdString();
    double value = 0.0;
    std::from_chars(plain.data(), plain.data() + plain.size(), value);
    return value;
}

TEST(SciFormatTest, WritesTheFixedPattern)
{
    EXPECT_EQ(SciFormat(1.989e30), "1.989E+30");
    EXPECT_EQ(SciFormat(6378140.0), "6.37814E+6");
    EXPECT_EQ(SciFormat(-29780.0), "-2.978E+4");
    EXPECT_EQ(SciFormat(0.001), "1.0E-3");
    EXPECT_EQ(SciFormat(1.0 / 3.0), "3.33333333333333E-1");
    EXPECT_EQ(SciFormat(0.0), "0.0E+0");
    EXPECT_EQ(SciFormat(-0.0), "0.0E+0");
    EXPECT_EQ(SciFormat(-9.5), "-9.5E+0");
    // 15 significant digits, the last one rounded, even when that carries into the exponent.
    EXPECT_EQ(SciFormat(9.999999999999999), "1.0E+1");
    EXPECT_EQ(SciFormat(std::numeric_limits<double>::quiet_NaN()), "0.0E+0");
    EXPECT_EQ(SciFormat(-std::numeric_limits<double>::infinity()), "0.0E+0");
}

TEST(SciFormatTest, EveryTextReadsBackAsTheNumberItStandsFor)
{
    const double values[] = {-2.0 / 3.0, 1.23456789012345678e-5, std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::denorm_min(), 1e15 + 1.0};
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany)}) {
        const LocaleGuard guard(locale);
        for (const double value : values) {
            const QString text = SciFormat(value);
            const double expected = ReadPlain(QString(text).replace(locale.decimalPoint(), "."));
            EXPECT_EQ(text::ToDouble(text), expected) << text.toStdString() << " in " << locale.name().toStdString();
            // Written again, the number read back gives the same text.
            EXPECT_EQ(SciFormat(text::ToDouble(text)), text);
        }
    }
    const LocaleGuard german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(SciFormat(-29780.0), "-2,978E+4");
}

}  // namespace
}  // namespace kosmolux

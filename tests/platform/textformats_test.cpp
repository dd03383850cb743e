#include <limits>
#include <optional>

#include <QLocale>

#include <gtest/gtest.h>

#include "platform/programerror.h"
#include "platform/textformats.h"

namespace kosmolux::text {
namespace {

// Sets the default locale for one test and restores the previous one after it.
class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale) : previous_(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(previous_); }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

private:
    const QLocale previous_;
};

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);

// The error a conversion throws, or nothing when it throws none.
template <typename Conversion>
std::optional<ProgramError> ErrorOf(Conversion conversion)
{
    try {
        conversion();
    } catch (const ProgramError& error) {
        return error;
    }
    return std::nullopt;
}

TEST(GroupedFormatTest, RoundsGroupsAndShowsZeroOnlyWhenAsked)
{
    LocaleGuard locale(English);
    EXPECT_EQ(FormatGrouped(0.4), "");
    EXPECT_EQ(FormatGrouped(-0.4), "");
    EXPECT_EQ(FormatGrouped(0.0), "");
    EXPECT_EQ(FormatGrouped(1234567.0), "1,234,567");
    EXPECT_EQ(FormatGrouped(-1234567.6), "-1,234,568");
    EXPECT_EQ(FormatGroupedOrZero(0.0), "0");
    EXPECT_EQ(FormatGroupedOrZero(-0.4), "0");
    EXPECT_EQ(FormatGroupedOrZero(999.7), "1,000");

    // A half goes to the even neighbour.
    EXPECT_EQ(FormatGrouped(0.5), "");
    EXPECT_EQ(FormatGroupedOrZero(0.5), "0");
    EXPECT_EQ(FormatGrouped(1.5), "2");
    EXPECT_EQ(FormatGrouped(2.5), "2");
    EXPECT_EQ(FormatGrouped(-2.5), "-2");

    EXPECT_EQ(FormatGrouped(1e18), "1,000,000,000,000,000,000");
    const QString huge = FormatGroupedOrZero(1e300);
    EXPECT_TRUE(huge.startsWith("1,000,000,000,000,000,052,504,760,255,204,420,248")) << huge.toStdString();
    EXPECT_EQ(huge.size(), 301 + 100);
}

TEST(GroupedFormatTest, UsesTheLocaleSeparator)
{
    LocaleGuard locale(German);
    EXPECT_EQ(FormatGrouped(1234567.0), "1.234.567");
    EXPECT_EQ(FormatGroupedOrZero(-1000.0), "-1.000");
}

TEST(DateFormatTest, LongDateSpellsTheMonthAndShortDateKeepsTheCentury)
{
    const QDate fifthOfMarch(2000, 3, 5);
    {
        LocaleGuard locale(English);
        EXPECT_EQ(FormatLongDate(fifthOfMarch), "05 Mar 2000");
        EXPECT_EQ(FormatShortDate(fifthOfMarch), "3/5/2000");
    }
    LocaleGuard locale(German);
    EXPECT_EQ(FormatLongDate(fifthOfMarch), "05 März 2000");
    EXPECT_EQ(FormatShortDate(fifthOfMarch), "05.03.2000");
}

TEST(DateFormatTest, EveryFormattedDateReadsBack)
{
    for (const QLocale& language : {English, German}) {
        LocaleGuard locale(language);
        // Every month name, and centuries a two-digit year would confuse.
        for (int month = 1; month <= 12; ++month) {
            for (const QDate date : {QDate(2000, month, 5), QDate(1899, month, 28), QDate(2150, month, 1)}) {
                EXPECT_EQ(ParseDate(FormatLongDate(date)), date) << FormatLongDate(date).toStdString();
                EXPECT_EQ(ParseDate(FormatShortDate(date)), date) << FormatShortDate(date).toStdString();
            }
        }
    }
}

TEST(DateParseTest, AcceptsTheEnglishForms)
{
    LocaleGuard locale(English);
    const QDate fifthOfMarch(2000, 3, 5);
    for (const char* text : {"3/5/2000", "03/05/2000", " 3/5/2000 ", "05 Mar 2000", "5 Mar 2000", "5 mar 2000",
                             "5 March 2000", "Sunday, March 5, 2000", "2000-03-05", "3/5/00"})
        EXPECT_EQ(ParseDate(text), fifthOfMarch) << text;
    EXPECT_EQ(ParseDate("2/29/2000"), QDate(2000, 2, 29));
}

TEST(DateParseTest, AcceptsTheGermanForms)
{
    LocaleGuard locale(German);
    const QDate fifthOfMarch(2000, 3, 5);
    for (const char* text : {"05.03.2000", "5.3.2000", "05.03.00", "5.3.00", "05 März 2000", "5 März 2000"})
        EXPECT_EQ(ParseDate(QString::fromUtf8(text)), fifthOfMarch) << text;
    EXPECT_FALSE(IsDate("31.02.2000"));
    EXPECT_FALSE(IsDate("3/5/2000 x"));
}

TEST(DateParseTest, RefusesDaysThatDoNotExistAndText)
{
    LocaleGuard locale(English);
    for (const char* text : {"2/31/2000", "31 Feb 2000", "2/29/2001", "2/29/01", "13/1/2000", "0/1/2000", "", "   ",
                             "garbage", "5 Mar 2000 tomorrow", "Monday, March 5, 2000", "3/5", "3/5/2000/1"})
        EXPECT_FALSE(IsDate(text)) << text;
}

TEST(DateParseTest, TwoDigitYearsFallWithinEightyYearsBeforeAndNineteenAfterToday)
{
    LocaleGuard locale(English);
    const int thisYear = Today().year();
    const auto twoDigitDate = [](int year) { return QStringLiteral("7/1/%1").arg(year % 100, 2, 10, QChar(u'0')); };
    EXPECT_EQ(ParseDate(twoDigitDate(thisYear)), QDate(thisYear, 7, 1));
    EXPECT_EQ(ParseDate(twoDigitDate(thisYear + 19)), QDate(thisYear + 19, 7, 1));
    EXPECT_EQ(ParseDate(twoDigitDate(thisYear + 20)), QDate(thisYear - 80, 7, 1));
    EXPECT_EQ(ParseDate(twoDigitDate(thisYear - 80)), QDate(thisYear - 80, 7, 1));
    // 29 February 1900 does not exist, but "00" means 2000, which has it.
    EXPECT_EQ(ParseDate("2/29/00"), QDate(2000, 2, 29));
}

TEST(NumberParseTest, EnglishDecimalsAndExponents)
{
    LocaleGuard locale(English);
    EXPECT_EQ(ToDouble("1.0E-3"), 0.001);
    EXPECT_EQ(ToDouble("1e30"), 1e30);
    EXPECT_EQ(ToDouble("-2.978E+4"), -29780.0);
    EXPECT_EQ(ToDouble(" 1.989E+30\t"), 1.989e30);
    EXPECT_EQ(ToDouble("6.37814E+6"), 6378140.0);
    EXPECT_EQ(ToDouble("3.33333333333333E-1"), 0.333333333333333);
    EXPECT_EQ(ToDouble("1e-400"), 0.0);
    EXPECT_EQ(ToDouble("4.94065645841247E-324"), std::numeric_limits<double>::denorm_min());

    for (const char* text : {"1,989E+30", "1,5", "1,000", "nan", "NaN", "inf", "-inf", "infinity", "", "  ", "abc",
                             "1e", "e5", "1.2.3", "1 000", "-", "0x10", "1e-400x"})
        EXPECT_FALSE(IsNumeric(text)) << text;
}

TEST(NumberParseTest, GermanUsesTheDecimalCommaAndRefusesThePoint)
{
    LocaleGuard locale(German);
    EXPECT_EQ(ToDouble("1,5"), 1.5);
    EXPECT_EQ(ToDouble("1,989E+30"), 1.989e30);
    EXPECT_EQ(ToDouble("-2,978E+4"), -29780.0);
    // The point is the German group separator: "1.5" is neither 1.5 nor 15.
    for (const char* text : {"1.5", "1.234", "1.234,5", "1.0E-3"})
        EXPECT_FALSE(IsNumeric(text)) << text;
}

TEST(NumberParseTest, TooLargeIsANumberThatOverflows)
{
    LocaleGuard locale(English);
    for (const char* text : {"1e999", "-1e999", "1e99999999999999999999"}) {
        EXPECT_TRUE(IsNumeric(text)) << text;
        const auto error = ErrorOf([&] { ToDouble(text); });
        ASSERT_TRUE(error) << text;
        EXPECT_EQ(error->Description(), "Overflow");
        EXPECT_EQ(error->Number(), 6);
    }
    for (const char* text : {"", "nan", "1,5"}) {
        const auto error = ErrorOf([&] { ToDouble(text); });
        ASSERT_TRUE(error) << text;
        EXPECT_EQ(error->MessageText(), "Type mismatch: 13");
    }
}

TEST(IntegerConversionTest, HalvesGoToTheEvenNeighbourAndOutOfRangeOverflows)
{
    LocaleGuard locale(English);
    EXPECT_EQ(ToInt16("2.5"), 2);
    EXPECT_EQ(ToInt16("3.5"), 4);
    EXPECT_EQ(ToInt16("-2.5"), -2);
    EXPECT_EQ(ToInt16("-3.5"), -4);
    EXPECT_EQ(ToInt16("2.5000001"), 3);
    EXPECT_EQ(ToInt16("1.2E+1"), 12);
    EXPECT_EQ(ToInt32("16777215"), 16777215);

    EXPECT_EQ(ToInt16("32767.4"), 32767);
    EXPECT_EQ(ToInt16("-32768"), -32768);
    EXPECT_EQ(ToInt16("-32768.5"), -32768);
    EXPECT_EQ(ToInt32("2147483647"), 2147483647);
    EXPECT_EQ(ToInt32("-2147483648.5"), -2147483647 - 1);
    for (const char* text : {"32767.5", "32768", "-32769", "1e999"}) {
        const auto error = ErrorOf([&] { ToInt16(text); });
        ASSERT_TRUE(error) << text;
        EXPECT_EQ(error->Number(), ProgramError::Overflow) << text;
    }
    for (const char* text : {"2147483647.5", "-2147483649", "1e10"}) {
        const auto error = ErrorOf([&] { ToInt32(text); });
        ASSERT_TRUE(error) << text;
        EXPECT_EQ(error->Number(), ProgramError::Overflow) << text;
    }
    const auto error = ErrorOf([] { ToInt16("twelve"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), ProgramError::TypeMismatch);
}

TEST(NewPatternTest, NeedsNewAndABlankInThatCase)
{
    EXPECT_TRUE(MatchesNewPattern("New Moon 2"));
    EXPECT_TRUE(MatchesNewPattern("New "));
    for (const char* text : {"Newton", "New", "new moon", "NEW MOON", " New Moon", ""})
        EXPECT_FALSE(MatchesNewPattern(text)) << text;
}

TEST(AddDaysTest, CountsWholeDaysAcrossLeapYears)
{
    EXPECT_EQ(AddDays(QDate(2000, 2, 28), 1), QDate(2000, 2, 29));
    EXPECT_EQ(AddDays(QDate(2000, 2, 29), 366), QDate(2001, 3, 1));
    EXPECT_EQ(AddDays(QDate(2000, 3, 1), -1), QDate(2000, 2, 29));
    EXPECT_EQ(AddDays(QDate(2000, 1, 1), 3652425), QDate(12000, 1, 1));
}

}  // namespace
}  // namespace kosmolux::text

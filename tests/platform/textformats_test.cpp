#include <limits>
#include <string>

#include <QLocale>

#include <gtest/gtest.h>

#include "platform/programerror.h"
#include "platform/textformats.h"

namespace kosmolux::text {
namespace {

// Sets the default locale for one scope and restores the previous one after it.
class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale) : previous_(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(previous_); }

private:
    const QLocale previous_;
};

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);

// "description: number" of the error a conversion throws, or "" when it throws none.
template <typename Conversion>
std::string ErrorOf(Conversion conversion)
{
    try {
        conversion();
    } catch (const ProgramError& error) {
        return error.MessageText().toStdString();
    }
    return {};
}

TEST(GroupedFormatTest, RoundsHalfToEvenGroupsAndShowsZeroOnlyWhenAsked)
{
    LocaleGuard english(English);
    EXPECT_EQ(FormatGrouped(0.4), "");
    EXPECT_EQ(FormatGrouped(2.5), "2");
    EXPECT_EQ(FormatGrouped(1234567.0), "1,234,567");
    EXPECT_EQ(FormatGrouped(-1234567.6), "-1,234,568");
    EXPECT_EQ(FormatGrouped(1e18), "1,000,000,000,000,000,000");
    EXPECT_EQ(FormatGroupedOrZero(0.0), "0");
    EXPECT_EQ(FormatGroupedOrZero(-0.4), "0");
    LocaleGuard german(German);
    EXPECT_EQ(FormatGrouped(1234567.0), "1.234.567");
}

TEST(DateTest, FormsOfEachLocaleAreReadAndDaysThatDoNotExistAreNot)
{
    const QDate fifthOfMarch(2000, 3, 5);
    {
        LocaleGuard english(English);
        EXPECT_EQ(FormatLongDate(fifthOfMarch), "05 Mar 2000");
        EXPECT_EQ(FormatShortDate(fifthOfMarch), "3/5/2000");
        for (const char* text : {"03/05/2000", " 3/5/2000 ", "5 March 2000", "Sunday, March 5, 2000", "2000-03-05"})
            EXPECT_EQ(ParseDate(text), fifthOfMarch) << text;
        for (const char* text : {"2/31/2000", "31 Feb 2000", "2/29/2001", "13/1/2000", "", "5 Mar 2000 tomorrow"})
            EXPECT_FALSE(IsDate(text)) << text;
        // A two-digit year lies within the 80 years before and the 19 after this one.
        for (const int year : {Today().year() + 19, Today().year() - 80})
            EXPECT_EQ(ParseDate(QStringLiteral("7/1/%1").arg(year % 100, 2, 10, QChar(u'0'))), QDate(year, 7, 1));
        EXPECT_EQ(ParseDate("2/29/00"), QDate(2000, 2, 29));  // 1900 has no 29 February, 2000 has
    }
    LocaleGuard german(German);
    EXPECT_EQ(FormatShortDate(fifthOfMarch), "05.03.2000");
    for (const char* text : {"5.3.2000", "05.03.00", "5 März 2000"})
        EXPECT_EQ(ParseDate(QString::fromUtf8(text)), fifthOfMarch) << text;
    EXPECT_FALSE(IsDate("31.02.2000"));
}

TEST(DateTest, EveryFormattedDateReadsBackWithItsCentury)
{
    for (const QLocale& language : {English, German}) {
        LocaleGuard locale(language);
        for (int month = 1; month <= 12; ++month)
            for (const QDate date : {QDate(2000, month, 5), QDate(1899, month, 28), QDate(2150, month, 1)})
                for (const QString& text : {FormatLongDate(date), FormatShortDate(date)})
                    EXPECT_EQ(ParseDate(text), date) << text.toStdString();
    }
}

TEST(NumberParseTest, DecimalsOfTheLocaleOnlyAndTooLargeOverflows)
{
    {
        LocaleGuard english(English);
        EXPECT_EQ(ToDouble("1.0E-3"), 0.001);
        EXPECT_EQ(ToDouble(" 1.989E+30\t"), 1.989e30);
        EXPECT_EQ(ToDouble("1e-400"), 0.0);
        EXPECT_EQ(ToDouble("4.94065645841247E-324"), std::numeric_limits<double>::denorm_min());
        for (const char* text : {"1,989E+30", "1,000", "nan", "inf", "-inf", "", "  ", "1e", "1 000", "1e-400x"})
            EXPECT_FALSE(IsNumeric(text)) << text;
        // Too large for a double is still a number, one whose conversion overflows.
        EXPECT_TRUE(IsNumeric(" 1e999 "));
        EXPECT_EQ(ErrorOf([] { ToDouble("-1e99999999999999999999"); }), "Overflow: 6");
        EXPECT_EQ(ErrorOf([] { ToDouble("nan"); }), "Type mismatch: 13");
    }
    LocaleGuard german(German);
    EXPECT_EQ(ToDouble(" -2,978E+4 "), -29780.0);
    // The point groups thousands in German: "1.5" is neither 1.5 nor 15.
    for (const char* text : {"1.5", "1.0E-3", "NaN", "infinity", ""})
        EXPECT_FALSE(IsNumeric(text)) << text;
    EXPECT_TRUE(IsNumeric("1e999"));
    EXPECT_EQ(ErrorOf([] { ToDouble("1e999"); }), "Overflow: 6");
}

TEST(IntegerConversionTest, HalvesGoToTheEvenNeighbourAndOutOfRangeOverflows)
{
    LocaleGuard english(English);
    EXPECT_EQ(ToInt16("2.5"), 2);
    EXPECT_EQ(ToInt16("-3.5"), -4);
    EXPECT_EQ(ToInt16("-32768.5"), -32768);
    EXPECT_EQ(ToInt32("-2147483648.5"), -2147483647 - 1);
    for (const char* text : {"32767.5", "-32769", "1e999"})
        EXPECT_EQ(ErrorOf([&] { ToInt16(text); }), "Overflow: 6") << text;
    EXPECT_EQ(ErrorOf([] { ToInt32("2147483647.5"); }), "Overflow: 6");
    EXPECT_EQ(ErrorOf([] { ToInt16("twelve"); }), "Type mismatch: 13");
}

TEST(NewPatternTest, NeedsNewAndABlankInThatCase)
{
    EXPECT_TRUE(MatchesNewPattern("New Moon 2"));
    EXPECT_TRUE(MatchesNewPattern("New "));
    for (const char* text : {"Newton", "New", "new moon", " New Moon"})
        EXPECT_FALSE(MatchesNewPattern(text)) << text;
}

}  // namespace
}  // namespace kosmolux::text

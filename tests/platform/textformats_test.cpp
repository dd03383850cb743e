#include <limits>
#include <optional>
#include <string>
#include <tuple>

#include <QLocale>

#include <gtest/gtest.h>

#include "platform/programerror.h"
#include "platform/textformats.h"
#include "support/localeguard.h"

namespace kosmolux::text {
namespace {

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

TEST(DateTest, NumericFormsOfOtherLocalesComeAfterTheUsersOwn)
{
    const QLocale British(QLocale::English, QLocale::UnitedKingdom);
    const QLocale C = QLocale::c();
    const QDate march5(2000, 3, 5), may3(2000, 5, 3);
    const std::tuple<QLocale, const char*, std::optional<QDate>> cases[] = {
        {C, "3/5/2000", march5},    {C, "5.3.2000", march5},       {C, "2000-03-05", march5}, {German, "3/5/2000", march5},
        {English, "5.3.2000", march5}, {British, "3/5/2000", may3}, {British, "3.5.2000", may3}, {C, "3/5/00", {}},
        {C, "31.2.2000", {}},       {C, "3-5-2000", {}}};
    for (const auto& [language, text, date] : cases) {
        LocaleGuard locale(language);
        EXPECT_EQ(ParseDate(text), date) << language.name().toStdString() << " " << text;
    }
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

TEST(NumberParseTest, TheProgramsFormReadsAlikeInEveryLocale)
{
    const QLocale French(QLocale::French, QLocale::France);
    for (const QLocale& language : {English, German, French, QLocale::c()}) {
        LocaleGuard locale(language);
        const std::string name = language.name().toStdString();
        for (const char* text : {"-2.978E+4", " -2,978E+4 ", "-29780", "-29780.0", "-2.978e4"})
            EXPECT_EQ(ToDouble(text), -29780.0) << name << " " << text;
        EXPECT_EQ(ToDouble("1,0E-3"), 0.001) << name;
        EXPECT_EQ(ToDouble("1e-400"), 0.0) << name;
        EXPECT_EQ(ToDouble("4.94065645841247E-324"), std::numeric_limits<double>::denorm_min()) << name;
        // Grouped digits, two separators, words and half numbers are no numbers.
        for (const char* text : {"1,989,000", "1.989.000", "1.000,5", "1,000.5", "nan", "inf", "-inf", "NaN",
                                 "infinity", "", "  ", "1e", "1 000", "1e-400x", "3.30E+23kg"})
            EXPECT_FALSE(IsNumeric(text)) << name << " " << text;
        // Too large for a double is still a number, one whose conversion overflows.
        EXPECT_TRUE(IsNumeric(" 1e999 ")) << name;
        EXPECT_EQ(ErrorOf([] { ToDouble("-1e99999999999999999999"); }), "Overflow: 6") << name;
        EXPECT_EQ(ErrorOf([] { ToDouble("nan"); }), "Type mismatch: 13") << name;
    }
    // The locale's own forms still read, such as its separator with no digit before it.
    LocaleGuard german(German);
    EXPECT_EQ(ToDouble(",5"), 0.5);
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

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

// The user's own forms first, then the numeric forms of other locales; days
// that do not exist are no dates.
TEST(DateTest, ReadsTheUsersFormsThenOtherLocalesNumericForms)
{
    const QLocale British(QLocale::English, QLocale::UnitedKingdom);
    const QLocale Swedish(QLocale::Swedish, QLocale::Sweden);
    const QLocale C = QLocale::c();
    const QDate march5(2000, 3, 5), may3(2000, 5, 3);
    // A two-digit year lies within the 80 years before and the 19 after this one.
    const int late = Today().year() + 19, early = Today().year() - 80;
    const auto july1 = [](int year) { return QStringLiteral("7/1/%1").arg(year % 100, 2, 10, QChar(u'0')); };
    const std::tuple<QLocale, QString, std::optional<QDate>> cases[] = {
        {English, "03/05/2000", march5}, {English, " 3/5/2000 ", march5}, {English, "5 March 2000", march5},
        {English, "Sunday, March 5, 2000", march5}, {English, "2000-03-05", march5}, {English, "5.3.2000", march5},
        {English, july1(late), QDate(late, 7, 1)}, {English, july1(early), QDate(early, 7, 1)},
        {English, "2/29/00", QDate(2000, 2, 29)},  // 1900 has no 29 February, 2000 has
        {German, "5.3.2000", march5}, {German, "05.03.00", march5}, {German, "5 M\u00E4rz 2000", march5},
        {German, "3/5/2000", march5}, {German, "5 Mar 2000", march5}, {British, "3/5/2000", may3},
        {British, "3.5.2000", may3},
        {C, "3/5/2000", march5}, {C, "5.3.2000", march5}, {C, "2000-03-05", march5}, {C, "3/5/00", {}},
        {C, "31.2.2000", {}}, {C, "3-5-2000", {}}, {German, "31.02.2000", {}}, {English, "2/31/2000", {}},
        {English, "31 Feb 2000", {}}, {English, "2/29/2001", {}}, {English, "13/1/2000", {}}, {English, "", {}},
        {English, "5 Mar 2000 tomorrow", {}},
        // Qt reads a year before 1 but writes its minus sign in a form it may not read back.
        {Swedish, "0005-03-05", QDate(5, 3, 5)}, {Swedish, "-0500-03-05", {}},
    };
    for (const auto& [language, text, date] : cases) {
        const LocaleGuard locale(language);
        EXPECT_EQ(ParseDate(text), date) << language.name().toStdString() << " " << text.toStdString();
    }
}

// Every date written reads back, with its century, in the locale that wrote it.
TEST(DateTest, WritesTheFixedFormsThatReadBack)
{
    for (const QLocale& language : {English, German}) {
        const LocaleGuard locale(language);
        for (int month = 1; month <= 12; ++month)
            for (const QDate date : {QDate(2000, month, 5), QDate(1899, month, 28), QDate(2150, month, 1)})
                for (const QString& text : {FormatLongDate(date), FormatShortDate(date)})
                    EXPECT_EQ(ParseDate(text), date) << text.toStdString();
    }
    const LocaleGuard english(English);
    EXPECT_EQ(FormatLongDate(QDate(2000, 3, 5)), "05 Mar 2000");
    EXPECT_EQ(FormatShortDate(QDate(2000, 3, 5)), "3/5/2000");
    const LocaleGuard german(German);
    EXPECT_EQ(FormatShortDate(QDate(2000, 3, 5)), "05.03.2000");
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

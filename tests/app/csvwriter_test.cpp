#include <charconv>
#include <clocale>
#include <sstream>
#include <string>

#include <QLocale>

#include <gtest/gtest.h>

#include "app/run/csvwriter.h"

namespace kosmolux {
namespace {

TEST(CsvWriter, NamesAreQuotedOnlyWhenTheyMustBe)
{
    EXPECT_EQ(CsvField("Earth"), "Earth");
    EXPECT_EQ(CsvField("Earth & Moon"), "Earth & Moon");
    EXPECT_EQ(CsvField("Ship, Mk 2"), "\"Ship, Mk 2\"");
    EXPECT_EQ(CsvField("The \"Rock\""), "\"The \"\"Rock\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField(""), "");
}

TEST(CsvWriter, NumbersHoldTheExactDouble)
{
    EXPECT_EQ(CsvNumber(0.0), "0");
    EXPECT_EQ(CsvNumber(-2.5), "-2.5");
    EXPECT_EQ(CsvNumber(0.1), "0.10000000000000001");
    EXPECT_EQ(CsvNumber(1.989e30), "1.9889999999999999e+30");
    EXPECT_EQ(CsvNumber(1234567.5), "1234567.5");
    for (const double value : {1.0 / 3.0, -149597870700.123, 5e-324, 1.7976931348623157e308, -6.67259e-11}) {
        const std::string text = CsvNumber(value);
        double back = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, value) << text;
    }
}

// Qt's default locale and, where it is installed, the C library's: neither
// may put a decimal comma or a group separator into the table.
class GermanLocale {
public:
    GermanLocale() : qtLocale_(QLocale()), cLocale_(std::setlocale(LC_ALL, nullptr))
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::setlocale(LC_ALL, "de_DE.UTF-8");
    }
    ~GermanLocale()
    {
        std::setlocale(LC_ALL, cLocale_.c_str());
        QLocale::setDefault(qtLocale_);
    }

private:
    QLocale qtLocale_;
    std::string cLocale_;
};

TEST(CsvWriter, RowsAreTheSameInAGermanLocale)
{
    Planet body(0);
    body.PlanetName = "Ship, \"Mk 2\"";
    body.Position.SetComponents(1234567.5, -0.1, 0.0);
    body.Velocity.SetComponents(29780.25, 1e-20, -1.5e21);

    std::ostringstream out;
    {
        const GermanLocale german;
        CsvWriter table(out);
        table.WriteHeader();
        table.WriteRow(1234567, 158020608, 1829, body);
    }
    EXPECT_EQ(out.str(),
              "step,seconds,day,name,x,y,z,vx,vy,vz\n"
              "1234567,158020608,1829,\"Ship, \"\"Mk 2\"\"\",1234567.5,-0.10000000000000001,0,29780.25,"
              "9.9999999999999995e-21,-1.5e+21\n");
}

}  // namespace
}  // namespace kosmolux

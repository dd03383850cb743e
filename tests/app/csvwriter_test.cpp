#include <clocale>
#include <sstream>
#include <string>

#include <QLocale>

#include <gtest/gtest.h>

#include "app/run/csvwriter.h"

namespace kosmolux {
namespace {

// Qt's default locale and, where it is installed, the C library's: neither
// may put a decimal comma or a group separator into the table.
class GermanLocale {
public:
    GermanLocale()
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
    const QLocale qtLocale_;
    const std::string cLocale_ = std::setlocale(LC_ALL, nullptr);
};

TEST(CsvWriter, RowsHoldExactDoublesAndQuoteNamesOnlyWhenTheyMust)
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
    EXPECT_EQ(CsvField("Earth & Moon"), "Earth & Moon");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
}

}  // namespace
}  // namespace kosmolux

#include <cmath>

#include <QStringList>

#include <gtest/gtest.h>

#include "model/planets.h"
#include "ui/main/reports.h"

namespace kosmolux {
namespace {

const QString Heading = QStringLiteral("Report on Probe at Day: 0\n"
                                       "----------------------------------\n\n");

class ReportsTest : public ::testing::Test {
protected:
    Planet& Add(const std::string& name, double mass, const Vector& at, std::int32_t parent = -1)
    {
        Planet& body = system.Add(name, mass, 1, at.XComp, at.YComp, at.ZComp, 0, 0, 0);
        body.Parent = parent;
        return body;
    }

    QString Report(const Planet& body)
    {
        return BodyReport(&system, body.GetKey(), QStringLiteral("(menu caption)"),
                          QStringLiteral("Day: 0"));
    }

    IdentityCounter ids;
    Planets system{ids};
};

TEST_F(ReportsTest, SpeedDistancesAndWhetherTheBodyIsBound)
{
    // 2e30 kg in all, the centre of mass exactly at the origin.
    Planet& probe = Add("Probe", 1e30, {1.5e11, 0, 0});
    Add("Counterweight", 1e30, {-1.5e11, 0, 0});
    EXPECT_EQ(Report(probe), Heading + "Velocity: 0 m/sec\n"
                                       "Distance from Grid Origin: 150,000,000 km\n"
                                       "Distance from Centre of Mass: 150,000,000 km\n"
                                       "Body is gravitationally bound to system");

    probe.Velocity = Vector{0, 50000, 0};
    EXPECT_EQ(Report(probe), Heading + "Velocity: 50,000 m/sec\n"
                                       "Distance from Grid Origin: 150,000,000 km\n"
                                       "Distance from Centre of Mass: 150,000,000 km\n"
                                       "Body has reached escape velocity from system!");

    const double escapeSpeed = std::sqrt(2e30 * EscapeConstant / 1.5e11);
    ASSERT_EQ(std::round(escapeSpeed), 42182.0);
    probe.Velocity = Vector{0, 0, escapeSpeed};
    EXPECT_TRUE(Report(probe).endsWith("\nBody is gravitationally bound to system"));
    probe.Velocity.ZComp = std::nextafter(escapeSpeed, 1e6);
    EXPECT_TRUE(Report(probe).endsWith("\nBody has reached escape velocity from system!"));
}

TEST_F(ReportsTest, ParentsAndBodiesNoLongerThereAreReportedWithoutFailing)
{
    const Planet& sun = Add("Sun", 2e30, {});
    const Planet& earth = Add("Earth", 6e24, {1.5e11, 0, 0}, sun.Id());
    const Planet& moon = Add("Moon", 7e22, {1.5e11, 3.844e8, 0}, earth.Id());
    EXPECT_EQ(Report(moon).split('\n')[4], "Distance from Earth: 384,400 km");
    // A parent gone from the system reads as none, as the file keeps it.
    system.Remove(earth.GetKey());
    EXPECT_EQ(Report(moon).split('\n')[4], "Distance from Grid Origin: 150,000,493 km");

    // The only body is its system's centre of mass: no finite escape speed.
    system.Remove(sun.GetKey());
    EXPECT_TRUE(Report(moon).endsWith("\nDistance from Centre of Mass: 0 km\n"
                                      "Body is gravitationally bound to system"));

    // The menu still lists a body absorbed in a merge since it was built.
    const QString gone = "Report on Comet at Day: 5\n----------------------------------\n\n"
                         "Body is no longer in the system";
    EXPECT_EQ(BodyReport(&system, "A12345", "Comet", "Day: 5"), gone);
    EXPECT_EQ(BodyReport(nullptr, "A12345", "Comet", "Day: 5"), gone);
}

}  // namespace
}  // namespace kosmolux

#include <cmath>

#include <QStringList>

#include <gtest/gtest.h>

#include "model/planets.h"
#include "ui/main/reports.h"

namespace kosmolux {
namespace {

const QString Rule = QStringLiteral("----------------------------------");

class ReportsTest : public ::testing::Test {
protected:
    // Two bodies of 1e30 kg, 1.5e11 m either side of the origin along X: the
    // total mass is 2e30 kg and the centre of mass is exactly the origin.
    Planet& AddBalancedPair()
    {
        Planet& probe = system.Add("Probe", 1e30, 1, 1.5e11, 0, 0, 0, 0, 0);
        probe.Parent = -1;
        system.Add("Counterweight", 1e30, 1, -1.5e11, 0, 0, 0, 0, 0).Parent = -1;
        return probe;
    }

    QString Report(const Planet& body, const QString& day = QStringLiteral("Day: 0"))
    {
        return BodyReport(&system, body.GetKey(), QStringLiteral("(menu caption)"), day);
    }

    IdentityCounter ids;
    Planets system{ids};
};

TEST_F(ReportsTest, BodyAtRestAndBodyAtSpeedInABalancedSystem)
{
    Planet& probe = AddBalancedPair();
    EXPECT_EQ(Report(probe),
              "Report on Probe at Day: 0\n" + Rule + "\n\n"
              "Velocity: 0 m/sec\n"
              "Distance from Grid Origin: 150,000,000 km\n"
              "Distance from Centre of Mass: 150,000,000 km\n"
              "Body is gravitationally bound to system");

    probe.Velocity = Vector{0, 50000, 0};
    EXPECT_EQ(Report(probe, QStringLiteral("Day: 1,234")),
              "Report on Probe at Day: 1,234\n" + Rule + "\n\n"
              "Velocity: 50,000 m/sec\n"
              "Distance from Grid Origin: 150,000,000 km\n"
              "Distance from Centre of Mass: 150,000,000 km\n"
              "Body has reached escape velocity from system!");
}

TEST_F(ReportsTest, ExactlyTheEscapeSpeedIsStillBound)
{
    Planet& probe = AddBalancedPair();
    const double escapeSpeed = std::sqrt(2e30 * EscapeConstant / 1.5e11);
    ASSERT_EQ(std::round(escapeSpeed), 42182.0);
    probe.Velocity = Vector{0, 0, escapeSpeed};
    EXPECT_TRUE(Report(probe).endsWith("\nBody is gravitationally bound to system"));
    probe.Velocity.ZComp = std::nextafter(escapeSpeed, 1e6);
    EXPECT_TRUE(Report(probe).endsWith("\nBody has reached escape velocity from system!"));
}

TEST_F(ReportsTest, ParentLineNamesTheParentWhileItIsThere)
{
    Planet& sun = system.Add("Sun", 2e30, 1.4e9, 0, 0, 0, 0, 0, 0);
    sun.Parent = -1;
    Planet& earth = system.Add("Earth", 6e24, 1.3e7, 1.5e11, 0, 0, 0, 29780, 0);
    earth.Parent = sun.Id();
    Planet& moon = system.Add("Moon", 7e22, 3.5e6, 1.5e11, 3.844e8, 0, -1022, 29780, 0);
    moon.Parent = earth.Id();
    const QStringList lines = Report(moon).split('\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[3], "Velocity: 29,798 m/sec");
    EXPECT_EQ(lines[4], "Distance from Earth: 384,400 km");

    // A parent gone from the system reads as none, as the file keeps it.
    system.Remove(earth.GetKey());
    EXPECT_EQ(Report(moon).split('\n')[4], "Distance from Grid Origin: 150,000,493 km");
}

TEST_F(ReportsTest, BodyAtTheCentreOfMassOrGoneIsReportedWithoutFailing)
{
    // The only body is its system's centre of mass: no finite escape speed.
    Planet& lonely = system.Add("Lonely", 5e24, 1e7, 3e11, 0, 0, 0, 1e6, 0);
    lonely.Parent = -1;
    const QStringList lines = Report(lonely).split('\n');
    EXPECT_EQ(lines[5], "Distance from Centre of Mass: 0 km");
    EXPECT_EQ(lines[6], "Body is gravitationally bound to system");

    // The menu still lists a body absorbed in a merge since it was built.
    const std::string absorbedKey = "A12345";
    const QString gone = "Report on Moon at Day: 5\n" + Rule + "\n\nBody is no longer in the system";
    EXPECT_EQ(BodyReport(&system, absorbedKey, "Moon", "Day: 5"), gone);
    EXPECT_EQ(BodyReport(nullptr, absorbedKey, "Moon", "Day: 5"), gone);
}

}  // namespace
}  // namespace kosmolux

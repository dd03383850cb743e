#include <cmath>

#include <QStringList>

#include <gtest/gtest.h>

#include "engine/calculations.h"
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

    QString FullReport(const Planet& body)
    {
        return BodyReport(&system, body.GetKey(), QStringLiteral("(menu caption)"),
                          QStringLiteral("Day: 0"));
    }
    // Without the orbit, which follows after a blank line.
    QString Report(const Planet& body) { return FullReport(body).section(QStringLiteral("\n\n"), 0, 1); }

    IdentityCounter ids;
    Planets system{ids};
};

TEST_F(ReportsTest, SpeedDistancesAndWhetherTheBodyIsBound)
{
    // 2e30 kg in all, the centre of mass exactly at the origin.
    Planet& probe = Add("Probe", 1e30, {1.5e11, 0, 0});
    Add("Counterweight", 1e30, {-1.5e11, 0, 0});
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

TEST_F(ReportsTest, TheOrbitAboutTheParentOrTheCentreOfMassFollowsAfterABlankLine)
{
    // A circle of 150 million km about a parent of 2e30 kg, tilted by 30
    // degrees: the period is 2 pi sqrt(r^3 / (G (M + m))).
    const Planet& sun = Add("Sun", 2e30, {});
    Planet& earth = Add("Earth", 6e24, {1.5e11, 0, 0}, sun.Id());
    const double speed = std::sqrt(G * (2e30 + 6e24) / 1.5e11);
    earth.Velocity = Vector{0, speed * std::sqrt(3.0) / 2, speed / 2};
    EXPECT_TRUE(FullReport(earth).endsWith("Body is gravitationally bound to system\n\n"
                                           "Orbit around Sun:\n"
                                           "Semi-major axis: 150,000,000 km\n"
                                           "Eccentricity: 0.0000\n"
                                           "Inclination: 30.00 degrees\n"
                                           "Period: 365.71 days"));

    // Fast enough to escape the parent; without a parent, about the centre of mass.
    earth.Velocity = Vector{0, speed * 1.5, 0};
    EXPECT_TRUE(FullReport(earth).endsWith("\n\nOrbit around Sun:\nNot in a closed orbit"));
    earth.Velocity = Vector{0, speed, 0};
    earth.Parent = -1;
    EXPECT_TRUE(FullReport(earth).contains("\n\nOrbit around Centre of Mass:\nSemi-major axis: 149,"));
}

TEST(ConservationReportTest, FiguresGroupedAndChangesWithThreeDigits)
{
    const Conserved start{1.5e15, -4.5e15, -3.0e15, 0.0, 2.5e15};
    const Conserved now{1.5e15, -4.5e15, -3.0e15 + 3.5, 0.0, 2.5e15 - 6.25e10};
    EXPECT_EQ(ConservationReport(now, start, "Day: 5"),
              "Conservation at Day: 5\n----------------------------------\n\n"
              "Kinetic energy: 1,500,000,000,000,000 J\n"
              "Potential energy: -4,500,000,000,000,000 J\n"
              "Total energy: -2,999,999,999,999,996 J\n"
              "Relative change of total energy: 1.17E-15\n"
              "Momentum: 0 kg m/sec\n"
              "Angular momentum: 2,499,937,500,000,000 kg m²/sec\n"
              "Relative change of angular momentum: -2.50E-05");
}

}  // namespace
}  // namespace kosmolux

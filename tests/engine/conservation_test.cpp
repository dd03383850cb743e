#include <array>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "engine/calculations.h"
#include "engine/conservation.h"
#include "model/planets.h"

namespace kosmolux {
namespace {

// A of 3 kg at (-1, 0, 0) moving (0, -1, 0) and B of 1 kg at (3, 0, 0) moving
// (0, 3, 0): the centre of mass at rest at the origin, kinetic energy
// 1.5 + 4.5 J, potential -G × 3 × 1 / 4 J, angular momentum 3 + 9 about Z.
TEST(Conservation, CountsTheBodiesThatMoveAndThePairsThatPull)
{
    struct Row {
        std::string roles;
        bool aLocked, aLightweight, bLightweight;
        double diameter, kinetic, potential, momentum, angularMomentum;
    };
    const double pull = -(G * 3.0 * 1.0 / 4.0);
    const Row rows[] = {
        {"ordinary", false, false, false, 0.0, 6.0, pull, 0.0, 12.0},
        {"B lightweight: still pulled", false, false, true, 0.0, 6.0, pull, 0.0, 12.0},
        {"A locked: neither moves nor counts", true, false, false, 0.0, 4.5, pull, 3.0, 9.0},
        {"both lightweight: no pull", false, true, true, 0.0, 6.0, 0.0, 0.0, 12.0},
        {"A locked and lightweight", true, true, false, 0.0, 4.5, 0.0, 3.0, 9.0},
        {"touching: no pull", false, false, false, 4.5, 6.0, 0.0, 0.0, 12.0},
    };
    for (const Row& row : rows) {
        IdentityCounter ids;
        Planets system(ids);
        Planet& a = system.Add("A", 3.0, row.diameter, -1.0, 0.0, 0.0, 0.0, -1.0, 0.0);
        Planet& b = system.Add("B", 1.0, row.diameter, 3.0, 0.0, 0.0, 0.0, 3.0, 0.0);
        a.Locked = row.aLocked;
        a.Lightweight = row.aLightweight;
        b.Lightweight = row.bLightweight;
        const Conserved m = Measure(system);
        EXPECT_EQ((std::array{m.Kinetic, m.Potential, m.Total, m.Momentum, m.AngularMomentum}),
                  (std::array{row.kinetic, row.potential, row.kinetic + row.potential, row.momentum,
                              row.angularMomentum}))
            << row.roles;
    }
}

TEST(Conservation, RelativeChangeAgainstTheSizeAtTheStart)
{
    EXPECT_EQ(RelativeChange(-4.0, -3.0), 0.25);
    EXPECT_EQ(RelativeChange(4.0, 3.0), -0.25);
    EXPECT_EQ(RelativeChange(0.0, 0.0), 0.0);
    EXPECT_TRUE(std::isnan(RelativeChange(0.0, 1.0)));
}

}  // namespace
}  // namespace kosmolux

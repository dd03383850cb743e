#include <gtest/gtest.h>

#include "ui/main/mainlayout.h"

namespace kosmolux {
namespace {

using Anchor = MainLayout::Anchor;

// The planes' area is the client area less the control column (100 pixels
// wide) and the scale label's band (21 pixels high).
TEST(MainLayoutTest, PlanesTakeTheLargestEvenSideThatFits)
{
    const struct {
        QSize client;
        int side;
    } rows[] = {
        {{613, 533}, 256},   // the design: 513 by 512
        {{614, 535}, 256},   // 514 by 514 holds no plane of 257
        {{1013, 735}, 356},  // 913 by 714: half of 714 is 357, down to even
        {{700, 2000}, 300},  // 600 wide
    };
    for (const auto& row : rows)
        EXPECT_EQ(MainLayout::PlaneSizeFor(row.client), row.side) << row.client.width();
}

TEST(MainLayoutTest, EveryControlFollowsThePlanesOrTheRightEdge)
{
    // Planes of 356, 100 pixels more than the design's, 400 pixels wider.
    const QSize client(1013, 733);
    const struct {
        QRect design;
        Anchor anchor;
        bool onePlane;
        QRect placed;
    } rows[] = {
        {{256, 0, 256, 256}, Anchor::Plane, false, {356, 0, 356, 356}},
        {{0, 256, 256, 256}, Anchor::Plane, false, {0, 356, 356, 356}},
        {{256, 0, 256, 256}, Anchor::Plane, true, {0, 0, 712, 712}},
        {{260, 260, 253, 249}, Anchor::FreeQuadrant, false, {360, 360, 353, 349}},
        {{0, 512, 265, 17}, Anchor::UnderPlanes, false, {0, 712, 265, 17}},
        {{528, 4, 77, 17}, Anchor::RightColumn, true, {928, 4, 77, 17}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(MainLayout::Arrange(row.design, row.anchor, client, row.onePlane), row.placed)
            << row.design.x() << "," << row.design.y();
    }
}

}  // namespace
}  // namespace kosmolux

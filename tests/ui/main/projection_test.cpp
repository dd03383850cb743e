#include <limits>

#include <gtest/gtest.h>

#include "ui/main/projection.h"
#include "ui/main/scalelabel.h"

namespace kosmolux {
namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

// Planes of 256 pixels: at a scale of 1/128 per metre a metre is a pixel.
TEST(ProjectionTest, PixelsFromTheCentreRoundedHalfToEvenAndAnAxisOutOfRangeKeepsItsLast)
{
    Projection projection;
    projection.SetPlotSize(256);
    const double scale = 1.0 / 128.0;
    Projection::Planes planes = projection.Project(Vector{3.5, 2.5, -1.5}, Vector{1, 1, 1}, scale);
    EXPECT_TRUE(planes.XY && planes.XZ && planes.ZY);
    EXPECT_EQ(projection.PlotX(), 130);
    EXPECT_EQ(projection.PlotY(), 130);
    EXPECT_EQ(projection.PlotZ(), 126);

    // Exactly 32000 pixels is out of range, 31999 is not. Y keeps 130 for the
    // labels, and only the plane without Y is drawn.
    planes = projection.Project(Vector{31999, -32000, 0}, Vector{}, scale);
    EXPECT_FALSE(planes.XY || planes.ZY);
    EXPECT_TRUE(planes.XZ);
    EXPECT_EQ(projection.PlotX(), 128 + 31999);
    EXPECT_EQ(projection.PlotY(), 130);
    EXPECT_EQ(projection.PlotZ(), 128);

    // All three out of range, or not numbers: nothing drawn, nothing changed.
    for (const Vector& far : {Vector{1e16, -1e16, 1e16}, Vector{NaN, NaN, NaN}}) {
        EXPECT_FALSE(projection.Project(far, Vector{}, scale).Any());
        EXPECT_EQ(projection.PlotX(), 128 + 31999);
        EXPECT_EQ(projection.PlotY(), 130);
        EXPECT_EQ(projection.PlotZ(), 128);
    }
}

TEST(ProjectionTest, DotSizeIsHalfTheDiameterInPixelsBetweenTwoAnd64000)
{
    EXPECT_EQ(DotSizeFor(1.2e7, 256, 1.0 / 1e9), 2);  // 3.072 pixels
    EXPECT_EQ(DotSizeFor(1.2e7, 256, 1.0 / 2e9), 0);  // 1.536 pixels
    // 3 and 5 pixels: halves go to the even neighbour.
    EXPECT_EQ(DotSizeFor(3.0 / 256.0, 256, 1.0), 2);
    EXPECT_EQ(DotSizeFor(5.0 / 256.0, 256, 1.0), 2);
    EXPECT_EQ(DotSizeFor(2.0, 1, 1.0), 1);
    EXPECT_EQ(DotSizeFor(64000.0, 1, 1.0), 32000);
    EXPECT_EQ(DotSizeFor(64001.0, 1, 1.0), 0);
    EXPECT_EQ(DotSizeFor(NaN, 256, 1.0), 0);
}

TEST(ProjectionTest, ScaleLabelInThousandsOrMillionsOfKilometres)
{
    EXPECT_EQ(ScaleLabelText(2.5e12), "View width = 2,500 million km");
    EXPECT_EQ(ScaleLabelText(1e9), "View width = 1 million km");
    EXPECT_EQ(ScaleLabelText(5e8), "View width = 500 thousand km");
    // Below half a thousand km the number is left out.
    EXPECT_EQ(ScaleLabelText(3e5), "View width =  thousand km");
}

}  // namespace
}  // namespace kosmolux

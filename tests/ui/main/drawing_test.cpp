#include <array>
#include <initializer_list>
#include <map>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QRegion>

#include "ui/main/mainwindowtest.h"

namespace kosmolux::testing {
namespace {

// Pixels from the centre of the view along X, Y and Z.
struct Offsets {
    int x, y, z;
};

// The planes in drawing order, with the axis each shows to the right and downward.
const struct PlaneAxes {
    const char* name;
    int Offsets::*across;
    int Offsets::*down;
} Planes[] = {
    {"XYPlane", &Offsets::x, &Offsets::y},
    {"XZPlane", &Offsets::x, &Offsets::z},
    {"ZYPlane", &Offsets::z, &Offsets::y},
};

QPoint On(const PlaneAxes& plane, Offsets at)
{
    return {128 + at.*plane.across, 128 + at.*plane.down};
}

const QRgb Black = qRgb(0, 0, 0);

// The radius of the circle outline in colour around centre: the nearest
// distance at which the pixels straight left, right, above and below all
// have it; 0 when there is none.
int Ring(const QImage& image, QPoint centre, QRgb colour)
{
    for (int radius = 1; radius < 32; ++radius) {
        const QPoint around[] = {{radius, 0}, {-radius, 0}, {0, radius}, {0, -radius}};
        bool all = true;
        for (const QPoint& step : around)
            all = all && image.pixel(centre + step) == colour;
        if (all)
            return radius;
    }
    return 0;
}

// Every pixel that is not black, by place.
std::map<std::pair<int, int>, QRgb> Marks(const QImage& image)
{
    std::map<std::pair<int, int>, QRgb> marks;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != Black)
                marks[{x, y}] = image.pixel(x, y);
        }
    }
    return marks;
}

// What a run draws, read from the planes' pixels. The view is 1e12 metres
// wide, so a pixel is 1e12 / 128 metres. The ship is drawn as a circle of
// 6 pixels (its diameter, 5.5 pixels, rounds to even); the dot as a point.
class DrawingTest : public MainWindowTest {
protected:
    using Pictures = std::array<QImage, 3>;

    static constexpr Colour ShipHi = 255, ShipLo = 255 * 256;
    static constexpr Colour DotHi = 255 * 65536, DotLo = 255 + 255 * 65536;
    static constexpr Offsets Dot{64, -64, 0};
    static constexpr Offsets First{-40, 24, 40};
    static constexpr Offsets Second{-80, -40, -56};
    static constexpr Offsets Origin{0, 0, 0};

    static Vector At(Offsets at)
    {
        constexpr double metres = 1e12 / 128;
        return {at.x * metres, at.y * metres, at.z * metres};
    }

    void SetUp() override
    {
        frmMain& main = Open(WriteSystem(
            "Drawn.kmx", {{"Ship", 1, 11 * 1e12 / 256, {}, {}, ShipHi, ShipLo},
                          {"Dot", 1, 1, At(Dot), {}, DotHi, DotLo}}));
        ASSERT_EQ(globals.ViewWidth, 1e12);
        // Nothing moves but what the test moves.
        for (Planet& body : *globals.CurrentSystem)
            body.Locked = true;
        // Every step from the second on is plotted.
        globals.SpeedLevel = 15;
        main.ShowSpeed();
        globals.PlotLevel = 0;
        main.ShowPlotFrequency();
    }

    Pictures Now() const
    {
        return {Plane("XYPlane")->Image(), Plane("XZPlane")->Image(), Plane("ZYPlane")->Image()};
    }

    // Three steps with Show Trails cleared, the ship put at First before the
    // second and at Second before the third; the pictures after each step.
    std::vector<Pictures> RunThreeSteps()
    {
        Child<QCheckBox>("chkTrails")->setChecked(false);
        Planet& ship = globals.CurrentSystem->Item(1);
        std::vector<Pictures> pictures;
        Run([&](std::int64_t step) {
            pictures.push_back(Now());
            if (step == 1)
                ship.Position = At(First);
            else if (step == 2)
                ship.Position = At(Second);
            else
                Button("butStop")->click();
        });
        return pictures;
    }

    // The pixels that the marks at these places in these colours make on a plane.
    static std::map<std::pair<int, int>, QRgb> MarksAt(
        const PlaneAxes& plane, std::initializer_list<std::pair<Offsets, Colour>> marks)
    {
        std::map<std::pair<int, int>, QRgb> pixels;
        for (const auto& [at, colour] : marks)
            pixels[{On(plane, at).x(), On(plane, at).y()}] = Rgb(colour);
        return pixels;
    }
};

TEST_F(DrawingTest, ARunDrawsTheNewPlaceInHiColorThePreviousInLoColorAndCirclesOfTheDotSize)
{
    const std::vector<Pictures> pictures = RunThreeSteps();
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_TRUE(Marks(pictures[0][0]).empty()) << "the first step is never plotted";
    for (std::size_t index = 0; index < 3; ++index) {
        const PlaneAxes& plane = Planes[index];
        SCOPED_TRACE(plane.name);
        // The first plotted step: the previous place is the ship's first
        // record, the origin; the pixel where no body was drawn yet, (0, 0),
        // turns to trail colour (the dot's, drawn after the ship).
        const QImage& second = pictures[1][index];
        EXPECT_EQ(Ring(second, On(plane, First), Rgb(ShipHi)), 6);
        EXPECT_EQ(second.pixel(On(plane, First)), Black);
        EXPECT_EQ(Ring(second, On(plane, Origin), Rgb(ShipLo)), 6);
        EXPECT_EQ(second.pixel(0, 0), Rgb(DotLo));
        EXPECT_EQ(second.pixel(On(plane, Dot)), Rgb(DotHi));
        EXPECT_EQ(Ring(second, On(plane, Dot), Rgb(DotHi)), 0);

        // The next: the new place in HiColor, the previous one and the pixel
        // last drawn in LoColor.
        const QImage& third = pictures[2][index];
        EXPECT_EQ(Ring(third, On(plane, Second), Rgb(ShipHi)), 6);
        EXPECT_EQ(third.pixel(On(plane, Second)), Black);
        EXPECT_EQ(Ring(third, On(plane, First), Rgb(ShipLo)), 6);
        EXPECT_EQ(third.pixel(On(plane, First)), Rgb(ShipLo));
        EXPECT_EQ(third.pixel(On(plane, Dot)), Rgb(DotHi));
    }
}

TEST_F(DrawingTest, LabelsAreWrittenWhereEachBodyWasLastDrawnOnEveryPlane)
{
    RunThreeSteps();
    const Pictures before = Now();
    Button("butLabel")->click();
    EXPECT_EQ(Button("butPause")->text(), "Resume");
    const Pictures labelled = Now();
    for (std::size_t index = 0; index < 3; ++index) {
        const PlaneAxes& plane = Planes[index];
        SCOPED_TRACE(plane.name);
        QRegion written;
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                if (labelled[index].pixel(x, y) != before[index].pixel(x, y))
                    written += QRect(x, y, 1, 1);
            }
        }
        // Each name starts at the body's place: its text's top-left corner.
        const QRect ship(On(plane, Second), QSize(40, 16));
        const QRect dot(On(plane, Dot), QSize(40, 16));
        EXPECT_TRUE(written.subtracted(QRegion(ship) + dot).isEmpty());
        EXPECT_FALSE(written.intersected(ship).isEmpty());
        EXPECT_FALSE(written.intersected(dot).isEmpty());
    }
    Button("butLabel")->click();
    EXPECT_EQ(Button("butPause")->text(), "Pause");
    EXPECT_EQ(Now(), before);
}

TEST_F(DrawingTest, ClearRedrawAndShowTrails)
{
    RunThreeSteps();
    Button("butClear")->click();
    for (const QImage& picture : Now())
        EXPECT_TRUE(Marks(picture).empty());

    // Moved after the run, so that its place is in no trail. Without Show
    // Trails a redraw shows the bodies' current places only.
    constexpr Offsets moved{40, 40, -40};
    globals.CurrentSystem->Item(1).Position = At(moved);
    CentreOn(0);
    for (std::size_t index = 0; index < 3; ++index)
        EXPECT_EQ(Marks(Now()[index]), MarksAt(Planes[index], {{moved, ShipHi}, {Dot, DotHi}}))
            << Planes[index].name;

    // Redraw ticks Show Trails and draws every recorded place in LoColor on
    // top of the picture: the origin (the dot's, drawn last), First, Second
    // and the dot's place.
    Button("butRedraw")->click();
    EXPECT_TRUE(Child<QCheckBox>("chkTrails")->isChecked());
    for (std::size_t index = 0; index < 3; ++index)
        EXPECT_EQ(Marks(Now()[index]),
                  MarksAt(Planes[index], {{moved, ShipHi}, {First, ShipLo}, {Second, ShipLo},
                                          {Origin, DotLo}, {Dot, DotLo}}))
            << Planes[index].name;
}

}  // namespace
}  // namespace kosmolux::testing

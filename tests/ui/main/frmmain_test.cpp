#include <algorithm>
#include <cfloat>

#include "kosmolux_version.h"
#include "ui/main/mainwindowtest.h"

namespace kosmolux::testing {
namespace {

const Colour Red = 255;
const Colour Green = 256 * 255;
const Colour Blue = 65536 * 255;

class FrmMainTest : public MainWindowTest {
protected:
    // The Sun red at the origin, a probe blue out at (5e11, -5e11, 0), so that
    // the view fits to 1e12; both trails green.
    QString Pair()
    {
        return WriteSystem("Pair.kmx", {{"Sun", 2e30, 1.4e9, {}, {}, Red, Green},
                                        {"Probe", 1, 1, {5e11, -5e11, 0}, {}, Blue, Green}});
    }

    QRgb Pixel(const char* plane, int x, int y) const { return Plane(plane)->Image().pixel(x, y); }
};

TEST_F(FrmMainTest, StartsWithTheVersionInTheCaptionTodayAndAMissingFileSaidSo)
{
    frmMain& main = Open(folder.filePath("Missing.kmx"));
    // The caption follows the build's version numbers, e.g. "Kosmolux 0.3.2".
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Kosmolux %1.%2.%3")
                                      .arg(VersionMajor).arg(VersionMinor).arg(VersionRevision));
    EXPECT_EQ(globals.StartDate, text::Today());
    EXPECT_EQ(globals.CurrentSystem, nullptr);
    EXPECT_EQ(Info(), "System  contains these bodies: \n\n");
    EXPECT_EQ(CentreNames(), QStringList({"Grid Origin"}));
    ASSERT_EQ(dialogs.MessageTexts(), QStringList{"No such file or directory: 2"});
    EXPECT_EQ(dialogs.Calls[0].title, "LoadSystem");
}

TEST_F(FrmMainTest, StartsWithTheFileOnTheCommandLineDrawnAndEnlargesOnePlane)
{
    Open(Pair());
    ASSERT_TRUE(globals.SystemLoaded);
    // The file dialog has not been used: no file name in the header.
    EXPECT_EQ(Info(), "System  contains these bodies: \n\n* Sun\n* Probe\n");
    EXPECT_EQ(CentreNames(), QStringList({"Grid Origin", "Sun", "Probe"}));
    EXPECT_EQ(Child<QAction>("mnuReportsBody1")->text(), "Probe");
    EXPECT_EQ(globals.ViewWidth, 1e12);

    // Enlarged: all three planes 512 pixels a side on the X-Y plane's place,
    // the one asked for in front.
    Button("butZY")->click();
    for (const char* name : {"XYPlane", "XZPlane", "ZYPlane"})
        EXPECT_EQ(Plane(name)->geometry(), QRect(0, 0, 512, 512)) << name;
    EXPECT_EQ(Pixel("ZYPlane", 256, 128), Rgb(Blue));
    EXPECT_EQ(Child<QWidget>("client")->childAt(300, 300), Plane("ZYPlane"));
    Button("butAll")->click();
    EXPECT_EQ(Plane("ZYPlane")->geometry(), QRect(256, 0, 256, 256));
    EXPECT_EQ(Pixel("XYPlane", 192, 64), Rgb(Blue));
}

TEST_F(FrmMainTest, ZoomStopsWhereTheWidthWouldStopBeingANumber)
{
    frmMain& main = Open();
    Button("butZoomMinus")->click();
    EXPECT_EQ(Text("labScale"), "View width = 2,000 million km");
    main.SetViewWidth(DBL_MIN);
    Button("butZoomPlus")->click();
    EXPECT_EQ(globals.ViewWidth, DBL_MIN);
    main.SetViewWidth(DBL_MAX);
    Button("butZoomMinus")->click();
    main.SetViewWidth(0.0);
    main.SetViewWidth(-1.0);
    EXPECT_EQ(globals.ViewWidth, DBL_MAX);
}

TEST_F(FrmMainTest, CentredOnABodyWhileItIsThere)
{
    frmMain& main = Open(Pair());
    Planet& probe = globals.CurrentSystem->Item(2);
    // Trail entries the centre body has no record for are not drawn against
    // any centre: only the probe's first, under the Sun.
    for (double x : {1e11, 2e11}) {
        probe.Position.XComp = x;
        probe.AddToHistory();
    }
    CentreOn(1);
    const QImage xy = Plane("XYPlane")->Image();
    const auto* pixels = reinterpret_cast<const QRgb*>(xy.constBits());
    EXPECT_EQ(std::count(pixels, pixels + xy.width() * xy.height(), Rgb(Green)), 0);
    EXPECT_EQ(xy.pixel(128, 128), Rgb(Red));

    // When the centre body is gone, wherever it was, the grid origin is the
    // centre again.
    globals.CurrentSystem->Item(1).Position.XComp = 1e11;
    globals.CurrentSystem->Remove(1);
    EXPECT_EQ(main.CentrePosition(), Vector{});
}

TEST_F(FrmMainTest, CentredRedrawStopsWhenTheSystemIsReplacedUnderIt)
{
    frmMain& main = Open(Pair());
    Child<QComboBox>("cboCentre")->setCurrentIndex(1);
    // Histories long enough that the redraw lets events through on the way.
    Planets& system = *globals.CurrentSystem;
    for (int extra = 0; extra < 60; ++extra)
        system.Add("Extra", 1, 1, 1e9 * extra, 0, 0, 0, 0, 0);
    for (Planet& body : system) {
        for (int entry = 1; entry < MaxHistory; ++entry)
            body.AddToHistory();
    }
    bool replaced = false;
    QTimer::singleShot(0, [&] {
        while (system.Count() > 0)
            system.Remove(system.Count());
        for (int index = 0; index < 70; ++index)
            system.Add("New", 1, 1, 0, 0, 0, 0, 0, 0).LoColor = Red;
        replaced = true;
    });
    main.DrawTrails();
    ASSERT_TRUE(replaced);
    // Going on would have drawn the new bodies' first entries at the centre.
    EXPECT_NE(Pixel("XYPlane", 128, 128), Rgb(Red));
}

}  // namespace
}  // namespace kosmolux::testing

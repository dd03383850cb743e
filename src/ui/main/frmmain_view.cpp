// The plot view of the main window: scale, projection, trails, layouts,
// centre and labels.
#include "ui/main/frmmain.h"

#include <cmath>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>

#include "ui/main/mainlayout.h"
#include "ui/main/plotplane.h"
#include "ui/main/scalelabel.h"

namespace kosmolux {

namespace {

// A long redraw that lets events through does so after this much work.
constexpr qint64 YieldIntervalNanoseconds = 2'000'000;

// Shows the busy pointer for as long as it lives.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// A width the view can use: its reciprocal and its halves and doubles stay
// ordinary numbers.
bool UsableViewWidth(double width)
{
    return width > 0.0 && std::isnormal(width);
}

}  // namespace

std::array<PlotPlane*, 3> frmMain::Planes() const
{
    return {XYPlane_, XZPlane_, ZYPlane_};
}

void frmMain::SetViewWidth(double width)
{
    // A width of 0 or less is refused silently; so is one whose scale would
    // not be a number (infinite or subnormal).
    if (!UsableViewWidth(width))
        return;
    globals_.ViewWidth = width;
    globals_.ViewScale = 1.0 / width;
    labScale_->setText(ScaleLabelText(width));
    ClearPlanes();
    if (!globals_.SystemLoaded || !globals_.CurrentSystem)
        return;
    ComputeDotSizes();
    // Single pixels whatever the dot size: circles belong to runs.
    PlotBodies();
    DrawTrails();
}

void frmMain::ComputeDotSizes()
{
    for (Planet& body : *globals_.CurrentSystem)
        body.DotSize = DotSizeFor(body.Diameter, projection_.PlotSize(), globals_.ViewScale);
}

void frmMain::FitViewToSystem()
{
    double largest = 0.0;
    if (globals_.CurrentSystem) {
        for (const Planet& body : *globals_.CurrentSystem) {
            for (double coordinate :
                 {body.Position.XComp, body.Position.YComp, body.Position.ZComp}) {
                if (std::fabs(coordinate) > largest)
                    largest = std::fabs(coordinate);
            }
        }
    }
    // Bodies all at one point give no width to fit: the view keeps its own,
    // so that the zoom buttons still have a width to halve and double.
    if (UsableViewWidth(2.0 * largest))
        globals_.ViewWidth = 2.0 * largest;
}

void frmMain::ClearPlanes()
{
    for (PlotPlane* plane : Planes())
        plane->Clear();
}

Projection::Planes frmMain::PlotPoint(const Vector& position, const Vector& centre, Colour colour,
                                      bool useCircle, std::int16_t radius)
{
    const Projection::Planes planes = projection_.Project(position, centre, globals_.ViewScale);
    const int x = projection_.PlotX();
    const int y = projection_.PlotY();
    const int z = projection_.PlotZ();
    auto mark = [&](PlotPlane* plane, int horizontal, int vertical) {
        if (useCircle)
            plane->DrawCircle(horizontal, vertical, radius, colour);
        else
            plane->SetPixel(horizontal, vertical, colour);
    };
    if (planes.XY)
        mark(XYPlane_, x, y);
    if (planes.XZ)
        mark(XZPlane_, x, z);
    if (planes.ZY)
        mark(ZYPlane_, z, y);
    return planes;
}

void frmMain::PlotPixel(std::int16_t x, std::int16_t y, std::int16_t z, Colour colour,
                        Projection::Planes planes)
{
    if (planes.XY)
        XYPlane_->SetPixel(x, y, colour);
    if (planes.XZ)
        XZPlane_->SetPixel(x, z, colour);
    if (planes.ZY)
        ZYPlane_->SetPixel(z, y, colour);
}

Vector frmMain::CentrePosition() const
{
    const std::int32_t id = SelectedCentreId();
    if (id == -1 || !globals_.CurrentSystem)
        return gridOrigin_;
    // A centre body absorbed or deleted leaves the grid origin as centre
    // until another is chosen.
    const Planet* centre = globals_.CurrentSystem->FindById(id);
    return centre ? centre->Position : gridOrigin_;
}

void frmMain::PlotBodies()
{
    for (const Planet& body : *globals_.CurrentSystem)
        PlotPoint(body.Position, CentrePosition(), body.HiColor, false, 0);
}

void frmMain::DrawTrails()
{
    if (!chkTrails_->isChecked() || !globals_.CurrentSystem)
        return;
    const BusyPointer busy;
    const std::int32_t id = SelectedCentreId();
    const std::shared_ptr<Planet> centre =
        id == -1 ? nullptr : globals_.CurrentSystem->Share(Planet::KeyOf(id));
    if (centre) {
        DrawTrailsAroundBody(*centre);
        return;
    }
    for (const Planet& body : *globals_.CurrentSystem) {
        for (const Vector& entry : body.History)
            PlotPoint(entry, gridOrigin_, body.LoColor, false, 0);
    }
}

void frmMain::DrawTrailsAroundBody(const Planet& centre)
{
    // Events are let through while the trails are drawn, so any command may
    // run in between: the redraw stops when the system is replaced or emptied,
    // and re-reads every count before it uses an entry.
    Planets& system = *globals_.CurrentSystem;
    const std::uint64_t revision = system.Revision();
    QElapsedTimer sinceYield;
    sinceYield.start();
    for (int position = 1; position <= system.Count(); ++position) {
        const std::shared_ptr<Planet> body = system.Share(system.Item(position).GetKey());
        for (int entry = 1; entry <= body->History.Count(); ++entry) {
            // Entries the centre body has no record for have no centre to be drawn against.
            if (entry <= centre.History.Count())
                PlotPoint(body->History.Item(entry), centre.History.Item(entry), body->LoColor,
                          false, 0);
            if (sinceYield.nsecsElapsed() >= YieldIntervalNanoseconds) {
                QCoreApplication::processEvents();
                sinceYield.restart();
                if (closing_ || system.Revision() != revision)
                    return;
            }
        }
    }
}

void frmMain::SavePlaneLayout()
{
    // The planes' side in the device's pixels, as the layout placed them: the
    // design's 256 at its size and a scale of 1.
    projection_.SetPlotSize(static_cast<std::int16_t>(XYPlane_->Image().width()));
}

bool frmMain::OnePlane() const
{
    return mainLayout_->OnePlane();
}

void frmMain::ShowOnePlane()
{
    ClearPlanes();
    // All three planes twice the size, one on top of the other over the four
    // quadrants, the summary text included.
    mainLayout_->SetOnePlane(true);
    SavePlaneLayout();
    SetViewWidth(globals_.ViewWidth);
}

void frmMain::ShowAllPlanes()
{
    ClearPlanes();
    mainLayout_->SetOnePlane(false);
    SavePlaneLayout();
    SetViewWidth(globals_.ViewWidth);
}

void frmMain::FollowClientSize()
{
    if (XYPlane_->Image().width() == projection_.PlotSize())
        return;
    SavePlaneLayout();
    // A drag of the window's edge brings many sizes in a row: they share the
    // one redraw that runs when events are next let through.
    if (redrawPending_)
        return;
    redrawPending_ = true;
    QMetaObject::invokeMethod(this, &frmMain::RedrawAfterResize, Qt::QueuedConnection);
}

void frmMain::RedrawAfterResize()
{
    redrawPending_ = false;
    ClearPlanes();
    if (!globals_.SystemLoaded || !globals_.CurrentSystem)
        return;
    ComputeDotSizes();
    DrawTrails();
    // The bodies over their trails, as a recentring draws them; the next
    // plotted step of a run and the labels go on from where they are now.
    for (Planet& body : *globals_.CurrentSystem) {
        PlotPoint(body.Position, CentrePosition(), body.HiColor, false, 0);
        body.SaveDisplayInfo(projection_.PlotX(), projection_.PlotY(), projection_.PlotZ());
    }
    if (!labelsShown_)
        return;
    WriteLabels();
}

bool frmMain::event(QEvent* event)
{
    // Another screen may have another scale: the planes' images follow.
    if (event->type() == QEvent::ScreenChangeInternal)
        mainLayout_->invalidate();
    return QMainWindow::event(event);
}

void frmMain::butAll_Click()
{
    ShowAllPlanes();
}

void frmMain::ShowPlaneInFront(PlotPlane* plane)
{
    if (!OnePlane())
        ShowOnePlane();
    plane->raise();
}

void frmMain::butZoomPlus_Click()
{
    SetViewWidth(globals_.ViewWidth / 2.0);
}

void frmMain::butZoomMinus_Click()
{
    SetViewWidth(globals_.ViewWidth * 2.0);
}

void frmMain::cboCentre_Click()
{
    if (!globals_.SystemLoaded || !globals_.CurrentSystem)
        return;
    ClearPlanes();
    DrawTrails();
    // The redraw may have let a command replace or empty the system.
    if (globals_.CurrentSystem)
        PlotBodies();
}

void frmMain::butClear_Click()
{
    ClearPlanes();
}

void frmMain::butRedraw_Click()
{
    chkTrails_->setChecked(true);
    DrawTrails();
}

void frmMain::butLabel_Click()
{
    if (labelsShown_) {
        RemoveLabels();
        SetPaused(false);
        return;
    }
    labelsShown_ = true;
    SetPaused(true);
    WriteLabels();
}

void frmMain::WriteLabels()
{
    // The planes without labels, to take back when the labels go.
    const std::array<PlotPlane*, 3> planes = Planes();
    for (std::size_t index = 0; index < planes.size(); ++index)
        Backup_[index]->TakeBackground(planes[index]->Image());
    if (!globals_.CurrentSystem)
        return;
    for (const Planet& body : *globals_.CurrentSystem) {
        const QString name = QString::fromStdString(body.PlanetName);
        XYPlane_->DrawText(body.LastX, body.LastY, name, White, labelFont_);
        XZPlane_->DrawText(body.LastX, body.LastZ, name, White, labelFont_);
        ZYPlane_->DrawText(body.LastZ, body.LastY, name, White, labelFont_);
    }
}

void frmMain::RemoveLabels()
{
    labelsShown_ = false;
    ClearPlanes();
    const std::array<PlotPlane*, 3> planes = Planes();
    for (std::size_t index = 0; index < planes.size(); ++index)
        planes[index]->TakeBackground(Backup_[index]->Background());
}

}  // namespace kosmolux

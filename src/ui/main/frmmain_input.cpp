// The mouse and the keyboard in the main window: shortcuts, tooltips, the
// wheel, clicks and tips on the planes, and F1 wherever the keyboard is.
#include "ui/main/frmmain.h"

#include <utility>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolTip>
#include <QWheelEvent>

#include "platform/textformats.h"
#include "ui/dialogs/helpkey.h"
#include "ui/main/bodypicker.h"
#include "ui/main/mainlayout.h"
#include "ui/main/plotplane.h"

namespace kosmolux {

namespace {

// How near to a body's mark the pointer must be, in pixels of the screen.
constexpr double MarkReach = 4.0;
// The wheel's turn for one notch, eighths of a degree.
constexpr int WheelNotch = 120;

}  // namespace

void frmMain::ConnectInput()
{
    const std::pair<const char*, QKeySequence> menuKeys[] = {
        {"mnuFileNewSystem", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"mnuFileLoad", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnuFileSave", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuFileSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"mnuFileExit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    for (const auto& [item, keys] : menuKeys)
        findChild<QAction*>(QString::fromLatin1(item))->setShortcut(keys);

    auto shortcut = [this](const QList<QKeySequence>& keys, void (frmMain::*handler)()) {
        auto* created = new QShortcut(this);
        created->setKeys(keys);
        connect(created, &QShortcut::activated, this, handler);
    };
    shortcut({QKeySequence(Qt::Key_Space)}, &frmMain::StartOrPause);
    shortcut({QKeySequence(Qt::Key_Plus), QKeySequence(Qt::KeypadModifier | Qt::Key_Plus)},
             &frmMain::butZoomPlus_Click);
    shortcut({QKeySequence(Qt::Key_Minus), QKeySequence(Qt::KeypadModifier | Qt::Key_Minus)},
             &frmMain::butZoomMinus_Click);
    shortcut({QKeySequence(Qt::Key_F11)}, &frmMain::ToggleFullScreen);
    connect(new HelpKey(this), &HelpKey::Pressed, this, &frmMain::mnuHelpContents_Click);

    for (PlotPlane* plane : Planes())
        plane->installEventFilter(this);
    setAcceptDrops(true);
    // A file dropped on the summary loads like one dropped anywhere else.
    txtInfo_->setAcceptDrops(false);
    SetToolTips();
    // Space starts a run from the first moment; the summary takes the keys
    // only once it is clicked.
    butSimulate_->setFocus();
    BuildRecentMenu();
    mainLayout_->Arranged = [this] { FollowClientSize(); };
}

void frmMain::SetToolTips()
{
    const std::pair<QWidget*, const char*> tips[] = {
        {butSimulate_, "Start the run (Space)"},
        {butPause_, "Pause the run, or let it go on (Space)"},
        {butStop_, "Stop the run and keep the system as it is now in Current.kmx"},
        {butZoomPlus_, "Halve the view width: zoom in (+, or the mouse wheel forward)"},
        {butZoomMinus_, "Double the view width: zoom out (-, or the mouse wheel back)"},
        {butAll_, "Show all three planes"},
        {butXY_, "Show the X-Y plane alone, twice the size"},
        {butXZ_, "Show the X-Z plane alone, twice the size"},
        {butZY_, "Show the Z-Y plane alone, twice the size"},
        {butLabel_, "Write the bodies' names on the planes and pause, or take the names away"},
        {butClear_, "Wipe the planes"},
        {butRedraw_, "Draw the recorded trails again over the planes"},
        {chkTrails_, "Draw the recorded trails whenever the planes are drawn anew"},
        {cboCentre_, "The point in the middle of every plane; a click on a body chooses it too"},
        {butPlotPlus_, "Plot less often: longer time between marks"},
        {butPlotMinus_, "Plot more often: shorter time between marks"},
        {butSpeedPlus_, "Faster: longer time steps, less accurate"},
        {butSpeedMinus_, "Slower: shorter time steps, more accurate"},
    };
    for (const auto& [control, tip] : tips)
        control->setToolTip(QString::fromLatin1(tip));
}

void frmMain::StartOrPause()
{
    if (butPause_->isEnabled())
        butPause_->click();
    else if (butSimulate_->isEnabled())
        butSimulate_->click();
}

void frmMain::ToggleFullScreen()
{
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    auto* plane = qobject_cast<PlotPlane*>(watched);
    if (!plane)
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Wheel:
        ZoomByWheel(*static_cast<const QWheelEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        CentreOnBodyAt(plane, mouse->position());
        return true;
    }
    case QEvent::ToolTip:
        ShowBodyTip(plane, *static_cast<const QHelpEvent*>(event));
        return true;
    default:
        return QMainWindow::eventFilter(watched, event);
    }
}

void frmMain::ZoomByWheel(const QWheelEvent& wheel)
{
    // Fine wheels and touchpads turn by less than a notch at a time: their
    // turns add up to whole notches.
    wheelAngle_ += wheel.angleDelta().y();
    for (; wheelAngle_ >= WheelNotch; wheelAngle_ -= WheelNotch)
        butZoomPlus_Click();
    for (; wheelAngle_ <= -WheelNotch; wheelAngle_ += WheelNotch)
        butZoomMinus_Click();
}

void frmMain::CentreOnBodyAt(const PlotPlane* plane, const QPointF& position)
{
    const Planet* body = BodyAt(plane, position);
    if (!body)
        return;
    const int entry = cboCentre_->findData(body->Id());
    if (entry < 0)
        return;
    cboCentre_->setCurrentIndex(entry);
    cboCentre_Click();
}

void frmMain::ShowBodyTip(PlotPlane* plane, const QHelpEvent& help)
{
    const Planet* body = BodyAt(plane, help.pos());
    if (!body) {
        QToolTip::hideText();
        return;
    }
    const double kilometres = body->Position.DistanceFrom(CentrePosition()) / 1000.0;
    const QString tip = QStringLiteral("%1: %2 km from %3")
                            .arg(QString::fromStdString(body->PlanetName),
                                 text::FormatGroupedOrZero(kilometres), CentreName());
    // Gone as soon as the pointer leaves the body's reach.
    const int reach = static_cast<int>(MarkReach);
    QToolTip::showText(help.globalPos(), tip, plane,
                       QRect(help.pos() - QPoint(reach, reach), QSize(2 * reach + 1, 2 * reach + 1)));
}

const Planet* frmMain::BodyAt(const PlotPlane* plane, const QPointF& position) const
{
    if (!globals_.SystemLoaded || !globals_.CurrentSystem)
        return nullptr;
    const PlaneAxes axes = plane == XYPlane_   ? PlaneAxes::XY
                           : plane == XZPlane_ ? PlaneAxes::XZ
                                               : PlaneAxes::ZY;
    // The planes count in the device's pixels, the pointer in the screen's.
    return BodyNear(*globals_.CurrentSystem, projection_, CentrePosition(), globals_.ViewScale, axes,
                    position * plane->Scale(), MarkReach * plane->Scale());
}

QString frmMain::CentreName() const
{
    const std::int32_t id = SelectedCentreId();
    const Planet* centre =
        id == -1 || !globals_.CurrentSystem ? nullptr : globals_.CurrentSystem->FindById(id);
    // Entry 0 of the centre list is the grid origin.
    return centre ? QString::fromStdString(centre->PlanetName) : cboCentre_->itemText(0);
}

}  // namespace kosmolux

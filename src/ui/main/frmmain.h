#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "engine/conservation.h"
#include "engine/runobserver.h"
#include "model/vector.h"
#include "platform/dialogservice.h"
#include "storage/globals.h"
#include "storage/systemfile.h"
#include "ui/main/energycurves.h"
#include "ui/main/projection.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QDialog;
class QHelpEvent;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QWheelEvent;

namespace kosmolux {

class EnergyPlot;
class HelpViewer;
class MainLayout;
class PlotPlane;
class RunLoop;

// The program's main window: the three plot planes, the run controls, the
// summary text, the centre list and the menus. A run lives inside the Start
// button's handler and lets Qt process events between steps, so every other
// handler runs between two steps.
//
// Control arrays are named with their index: Backup0..Backup2, Label1_0..
// Label1_3, mnuReportsBody0 and up.
class frmMain : public QMainWindow, public RunObserver, public CentreList {
    Q_OBJECT

public:
    // Runs the start-up sequence; a non-empty commandLine is the path of a
    // system file to load.
    frmMain(Globals& globals, DialogService& dialogs, const QString& commandLine = {},
            QWidget* parent = nullptr);
    ~frmMain() override;

    // The two headers of the summary text.
    enum class SummaryHeader {
        SystemName,  // "System '<SystemName>' contains these bodies: "
        FileName,    // "System <file name of CommonDialog1> contains these bodies: "
    };

    // After a command changed the system: centre list and summary, grid origin
    // as centre, view fitted and redrawn, Reports > Bodies rebuilt.
    void RefreshAfterChange(SummaryHeader header);
    // The summary with the system-name header, appending every body to the
    // centre list; "No system loaded" when there is no system.
    void ShowSystemSummary();
    // Rebuilds Reports > Bodies: one enabled item per body, its data the body's key.
    void BuildBodyReportMenu();
    // Makes the body items the last build left to be made, and puts every
    // item not yet in Reports > Bodies into it, after the others.
    void AddBodyItemsToMenu();

    // The file dialog of Load, Save and Save As; its file name is the current file.
    FileDialog& CommonDialog1() { return commonDialog1_; }
    // Where the help is looked for: the program's folder and "Kosmolux.chm".
    const QString& HelpFile() const { return helpFile_; }

    // The plot view.
    void SetViewWidth(double width);
    // Sets ViewWidth to twice the largest absolute coordinate of any body, unless
    // that is 0 or beyond the range of the view (it then stays); no redraw.
    void FitViewToSystem();
    void ClearPlanes();
    void DrawTrails();
    // Returns the planes it drew on: those whose two axes are in range.
    Projection::Planes PlotPoint(const Vector& position, const Vector& centre, Colour colour, bool useCircle,
                                 std::int16_t radius);
    // Sets the pixel on the planes given, all three unless told otherwise.
    void PlotPixel(std::int16_t x, std::int16_t y, std::int16_t z, Colour colour,
                   Projection::Planes planes = {true, true, true});
    void ShowOnePlane();
    void ShowAllPlanes();
    // The centre of the view now: the selected body's position, or the grid
    // origin when "Grid Origin" is selected or the body is gone.
    Vector CentrePosition() const;
    const Projection& Plot() const { return projection_; }
    bool OnePlane() const;
    bool LabelsShown() const { return labelsShown_; }

    // Run control.
    void SetPaused(bool state);
    bool Paused() const { return paused_; }
    bool Running() const { return activeRun_ != nullptr; }
    void ShowSpeed();
    void ShowPlotFrequency();
    // Called after every step of a run, and after the events let through
    // after it, with the number of steps done so far: lets a driver (a test, a
    // benchmark) act between two steps. Events it posts are handled while the
    // run is paused or after a later step, never before the next step's checks.
    std::function<void(std::int64_t steps)> StepFinished;

    // The curves of Reports > Energy Plot.
    const EnergyCurves& EnergyRecord() const { return energyCurves_; }

    // How LoadSystem fills the centre list.
    void ClearCentres() override;
    void AddCentre(const QString& name, std::int32_t itemData) override;
    void SelectFirstCentre() override;

protected:
    // Closing never asks and is never refused: the open dialogs and the help
    // window close, and a run ends at its next check.
    void closeEvent(QCloseEvent* event) override;
    // A move to a screen of another scale lays the planes out anew.
    bool event(QEvent* event) override;
    // The mouse on the planes: the wheel zooms, a click on a body centres the
    // view on it, a tooltip names the body under the pointer.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A system file dropped on the window is loaded.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The engine's reports during a run.
    void BodiesCollide(const std::string& message) override;
    void PlotBody(Planet& body) override;
    void BodyBecameNonFinite(const Planet& body) override;

    void BuildControls();
    void BuildMenus();
    void ConnectHandlers();
    // Shortcuts, tooltips, the mouse on the planes, F1 everywhere, dropped
    // files and File > Recent Systems.
    void ConnectInput();
    void SetToolTips();
    void Form_Load(const QString& commandLine);

    // The summary text, appending every body to the centre list; false when
    // there is no system to list.
    bool WriteSummary(const QString& header);
    std::int32_t SelectedCentreId() const;
    std::array<PlotPlane*, 3> Planes() const;
    void SavePlaneLayout();
    // After the layout placed the controls: a new plane size asks for one redraw.
    void FollowClientSize();
    // The planes drawn anew at their new size: trails, then the bodies.
    void RedrawAfterResize();
    // Keeps a copy of the planes, then writes every body's name on them.
    void WriteLabels();
    void PlotBodies();
    void DrawTrailsAroundBody(const Planet& centre);
    void ComputeDotSizes();
    void RemoveLabels();
    void ShowDay(std::int64_t elapsedSeconds);
    void RunSimulation();
    // Ticks the item of Edit > Method that names the current method.
    void ShowMethod();
    // What is conserved, measured as a run begins and at its plotted steps.
    void BeginEnergyRecord();
    void RecordEnergy(std::int64_t stepStartSeconds);
    // Lets Qt process events until the run is resumed or the window closes.
    void WaitWhilePaused();

    // Handlers.
    void mnuFileNewSystem_Click();
    void mnuFileLoad_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileExit_Click();
    void mnuEditBodies_Click();
    void mnuEditAdd_Click();
    void mnuEditDate_Click();
    void mnuEditMethod_Click(QAction* item);
    void mnuReportsSystem_Click();
    void mnuReportsBody_Click(int index);
    void mnuReportsConservation_Click();
    void mnuReportsEnergyPlot_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();
    void butSimulate_Click();
    void butPause_Click();
    void butStop_Click();
    void butSpeedMinus_Click();
    void butSpeedPlus_Click();
    void butPlotMinus_Click();
    void butPlotPlus_Click();
    void butZoomPlus_Click();
    void butZoomMinus_Click();
    void butAll_Click();
    void ShowPlaneInFront(PlotPlane* plane);
    void cboCentre_Click();
    void butClear_Click();
    void butRedraw_Click();
    void butLabel_Click();

    // The mouse and the keys (frmmain_input.cpp).
    void StartOrPause();
    void ToggleFullScreen();
    void ZoomByWheel(const QWheelEvent& wheel);
    void CentreOnBodyAt(const PlotPlane* plane, const QPointF& position);
    void ShowBodyTip(PlotPlane* plane, const QHelpEvent& help);
    // The body whose mark is under a point of a plane (the widget's pixels).
    const Planet* BodyAt(const PlotPlane* plane, const QPointF& position) const;
    QString CentreName() const;

    // Recent systems and dropped files (frmmain_recent.cpp).
    void BuildRecentMenu();
    void FillRecentMenu();
    // Load System with a file chosen without the dialog.
    void LoadSystemFile(const QString& path);
    void LoadDroppedFile(const QString& path);

    // Whether the user chose a file; a failure other than a cancel is shown
    // in a box with the command's title.
    bool FileChosen(const FileDialogResult& result, const QString& title);
    // Load System once the chosen file is CommonDialog1's file name;
    // currentFile is the one before, kept when the file holds no system.
    void LoadChosenFile(const QString& currentFile);
    // Add New Body and Modify System after the run paused: the dialog, Save
    // As, and the refresh with the file-name header.
    void EditSystemIn(QDialog& dialog);
    // Closes the modal dialogs open on this window, innermost first, and the help window.
    void CloseDialogs();

    Globals& globals_;
    DialogService& dialogs_;

    // Places every control of the client area.
    MainLayout* mainLayout_ = nullptr;
    // Controls, named as their objectName.
    PlotPlane* XYPlane_ = nullptr;
    PlotPlane* ZYPlane_ = nullptr;
    PlotPlane* XZPlane_ = nullptr;
    std::array<PlotPlane*, 3> Backup_{};  // copies of XYPlane, XZPlane, ZYPlane
    QPlainTextEdit* txtInfo_ = nullptr;
    QLabel* labScale_ = nullptr;
    QPushButton* butSimulate_ = nullptr;
    QPushButton* butPause_ = nullptr;
    QPushButton* butStop_ = nullptr;
    QLabel* labDays_ = nullptr;
    QLabel* labDate_ = nullptr;
    QPushButton* butZoomPlus_ = nullptr;
    QPushButton* butZoomMinus_ = nullptr;
    QPushButton* butAll_ = nullptr;
    QPushButton* butXY_ = nullptr;
    QPushButton* butXZ_ = nullptr;
    QPushButton* butZY_ = nullptr;
    QPushButton* butLabel_ = nullptr;
    QPushButton* butClear_ = nullptr;
    QPushButton* butRedraw_ = nullptr;
    QCheckBox* chkTrails_ = nullptr;
    QComboBox* cboCentre_ = nullptr;
    QPushButton* butPlotPlus_ = nullptr;
    QPushButton* butPlotMinus_ = nullptr;
    QLabel* labPlot_ = nullptr;
    QPushButton* butSpeedPlus_ = nullptr;
    QPushButton* butSpeedMinus_ = nullptr;
    QLabel* labInterval_ = nullptr;
    QLabel* labAccuracy_ = nullptr;
    FileDialog commonDialog1_;
    // The system came from a load that told of problems: Save asks for a name.
    bool saveNeedsName_ = false;

    QActionGroup* mnuEditMethod_ = nullptr;
    QMenu* mnuReportsBodies_ = nullptr;
    QList<QAction*> mnuReportsBody_;
    // Caption and key of each body item the last build left to be made.
    std::vector<std::pair<QString, QString>> bodyItemsToMake_;
    QMenu* mnuFileRecent_ = nullptr;

    QString helpFile_;
    std::unique_ptr<HelpViewer> helpViewer_;
    QFont labelFont_;

    // The plot view's state.
    Projection projection_;
    bool labelsShown_ = false;
    bool redrawPending_ = false;  // a resize asked for a redraw that has not run yet
    int wheelAngle_ = 0;          // wheel turns short of a whole notch, eighths of a degree
    Vector gridOrigin_;

    // Run control's state.
    bool paused_ = false;
    bool closing_ = false;
    RunLoop* activeRun_ = nullptr;
    std::optional<std::int64_t> shownDay_;  // the day the labels show in this run
    QDate shownStartDate_;                  // the start date the date label was written with
    QStringList nonFiniteBodies_;           // reported during the step in progress
    // Bodies whose last mark of a run missed a plane (an axis out of range),
    // with the planes it was drawn on: their trail pixel goes on those only.
    std::unordered_map<std::int32_t, Projection::Planes> partlyDrawn_;

    // Conservation: the system as the last run began (none before a run of
    // this system), the energy curves of the latest runs and their window.
    std::optional<Conserved> runStart_;
    EnergyCurves energyCurves_;
    QPointer<EnergyPlot> energyPlot_;
};

}  // namespace kosmolux

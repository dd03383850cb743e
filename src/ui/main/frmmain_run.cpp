// Run control in the main window: Start, Pause/Resume, Stop, the speed and
// plot-frequency settings, and the run loop with its drawing.
#include "ui/main/frmmain.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>

#include "engine/drift.h"
#include "engine/runloop.h"
#include "engine/runsettings.h"
#include "platform/textformats.h"
#include "storage/currentfile.h"
#include "ui/main/plotplane.h"

namespace kosmolux {

namespace {

// The loop lets events through after a batch of steps that took this long:
// often enough that Stop is answered at once, seldom enough that the steps,
// not the event processing, take the time.
constexpr qint64 BatchNanoseconds = 2'000'000;

// Keeps the window's pointer to the run in progress for as long as it lives,
// restoring the one before: a run can only nest inside another's event
// processing, and the outer one resumes when the inner returns.
class ActiveRun {
public:
    ActiveRun(RunLoop*& active, RunLoop& run) : active_(active), previous_(active)
    {
        active_ = &run;
    }
    ~ActiveRun() { active_ = previous_; }
    ActiveRun(const ActiveRun&) = delete;
    ActiveRun& operator=(const ActiveRun&) = delete;

private:
    RunLoop*& active_;
    RunLoop* previous_;
};

// One message for every body of the step that can no longer be computed,
// each named once; a long list names the first ten.
QString RunStoppedText(QStringList names)
{
    constexpr qsizetype named = 10;
    names.removeDuplicates();
    if (names.size() <= 1)
        return names.value(0) + QStringLiteral(" can no longer be computed: its position or speed "
                                               "would leave the range of numbers. The run stops.");
    const QString list = names.size() > named
        ? names.mid(0, named).join(QStringLiteral(", ")) + QStringLiteral(" and %1 more").arg(names.size() - named)
        : names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + names.last();
    return list + QStringLiteral(" can no longer be computed: their positions or speeds "
                                 "would leave the range of numbers. The run stops.");
}

}  // namespace

void frmMain::butSimulate_Click()
{
    if (!globals_.SystemLoaded) {
        mnuFileLoad_Click();
        if (!globals_.SystemLoaded)
            return;
    }
    if (globals_.SystemAltered
        && dialogs_.MessageBox(QStringLiteral("Simulation has altered initial settings, reload?"),
                               QStringLiteral("Reload?"), DialogService::Icon::None,
                               DialogService::Buttons::YesNo)
               == DialogService::Button::Yes) {
        mnuFileLoad_Click();
    }
    butSimulate_->setEnabled(false);
    butPause_->setEnabled(true);
    SetPaused(false);
    ClearPlanes();
    if (globals_.SystemLoaded)
        RemoveDrift(globals_.EnsureSystem(), globals_.TimeStep);
    globals_.SystemAltered = true;
    RunSimulation();
}

void frmMain::RunSimulation()
{
    RunLoop run(globals_.EnsureSystem(), *this);
    const ActiveRun active(activeRun_, run);
    run.Begin();
    BeginEnergyRecord();
    shownDay_.reset();
    ClearPlanes();
    globals_.StopRequested = false;
    butStop_->setEnabled(true);

    std::int64_t steps = 0;
    QElapsedTimer sinceYield;
    sinceYield.start();
    while (!globals_.StopRequested) {
        if (paused_) {
            WaitWhilePaused();
            if (closing_)
                return;
            sinceYield.restart();
        }
        nonFiniteBodies_.clear();
        const std::int64_t stepStart = run.ElapsedSeconds();
        const bool finite = run.Step(globals_.TimeStep, globals_.PlotInterval, globals_.Method);
        if (run.PlottedStep())
            RecordEnergy(stepStart);
        ++steps;
        if (!finite) {
            dialogs_.MessageBox(RunStoppedText(nonFiniteBodies_), QStringLiteral("Run Stopped"),
                                DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
            butStop_Click();
        }
        if (sinceYield.nsecsElapsed() >= BatchNanoseconds) {
            QCoreApplication::processEvents();
            sinceYield.restart();
        }
        if (StepFinished)
            StepFinished(steps);
    }
}

void frmMain::WaitWhilePaused()
{
    // Blocks until an event arrives instead of spinning: every change of the
    // pause comes from a handler, and a handler runs only on an event.
    while (paused_ && !closing_)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void frmMain::PlotBody(Planet& body)
{
    const bool useCircle = body.DotSize > 0;
    // On a plane the last mark missed, LastX, LastY or LastZ is another point's.
    const auto partly = partlyDrawn_.find(body.Id());
    PlotPixel(body.LastX, body.LastY, body.LastZ, body.LoColor,
              partly == partlyDrawn_.end() ? Projection::Planes{true, true, true} : partly->second);
    PlotPoint(body.LastHistory(), CentrePosition(), body.LoColor, useCircle, body.DotSize);
    const Projection::Planes drawn =
        PlotPoint(body.Position, CentrePosition(), body.HiColor, useCircle, body.DotSize);
    body.SaveDisplayInfo(projection_.PlotX(), projection_.PlotY(), projection_.PlotZ());
    if (drawn.XY && drawn.XZ && drawn.ZY)
        partlyDrawn_.erase(body.Id());
    else
        partlyDrawn_[body.Id()] = drawn;
    ShowDay(activeRun_->ElapsedSeconds());
}

void frmMain::ShowDay(std::int64_t elapsedSeconds)
{
    const std::int64_t day = DayNumber(elapsedSeconds);
    // Every body of a plotted step shows the same day: write it once, and
    // again when the start date changed meanwhile (Set Start Date, a load).
    if (shownDay_ == day && shownStartDate_ == globals_.StartDate)
        return;
    shownDay_ = day;
    shownStartDate_ = globals_.StartDate;
    labDays_->setText(QStringLiteral("Day: ") + text::FormatGrouped(static_cast<double>(day)));
    labDate_->setText(text::FormatLongDate(text::AddDays(globals_.StartDate, day)));
}

void frmMain::BodiesCollide(const std::string& message)
{
    dialogs_.MessageBox(QString::fromStdString(message), QStringLiteral("Worlds Collide!"),
                        DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
}

void frmMain::BodyBecameNonFinite(const Planet& body)
{
    nonFiniteBodies_.append(QString::fromStdString(body.PlanetName));
}

void frmMain::SetPaused(bool state)
{
    paused_ = state;
    butPause_->setText(state ? QStringLiteral("Resume") : QStringLiteral("Pause"));
}

void frmMain::butPause_Click()
{
    if (!paused_) {
        SetPaused(true);
        return;
    }
    if (labelsShown_)
        RemoveLabels();
    SetPaused(false);
}

void frmMain::butStop_Click()
{
    globals_.StopRequested = true;
    SetPaused(false);
    butStop_->setEnabled(false);
    butPause_->setEnabled(false);
    butSimulate_->setEnabled(true);
    if (globals_.CurrentSystem)
        SaveSystem(globals_, dialogs_, CurrentFilePath(globals_));
}

void frmMain::ShowSpeed()
{
    const SpeedSetting setting = SpeedFor(globals_.SpeedLevel);
    globals_.TimeStep = setting.TimeStep;
    labInterval_->setText(QString::fromStdString(setting.IntervalText));
    labAccuracy_->setText(QString::fromStdString(setting.AccuracyText));
}

void frmMain::ShowPlotFrequency()
{
    const PlotSetting setting = PlotFrequencyFor(globals_.PlotLevel);
    globals_.PlotInterval = setting.PlotInterval;
    labPlot_->setText(QString::fromStdString(setting.Caption));
}

void frmMain::butSpeedMinus_Click()
{
    if (globals_.SpeedLevel > 0)
        --globals_.SpeedLevel;
    ShowSpeed();
}

void frmMain::butSpeedPlus_Click()
{
    if (globals_.SpeedLevel < MaxSpeedLevel)
        ++globals_.SpeedLevel;
    ShowSpeed();
}

void frmMain::butPlotMinus_Click()
{
    if (globals_.PlotLevel > 0)
        --globals_.PlotLevel;
    ShowPlotFrequency();
}

void frmMain::butPlotPlus_Click()
{
    if (globals_.PlotLevel < MaxPlotLevel)
        ++globals_.PlotLevel;
    ShowPlotFrequency();
}

}  // namespace kosmolux

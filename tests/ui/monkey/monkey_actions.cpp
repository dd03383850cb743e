// The monkey's actions on the main window, and how it keeps a run going:
// actions between the steps of a run, and while the run waits paused.
#include "ui/monkey/monkey.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace kosmolux::monkey {

void Monkey::Act()
{
    static const std::vector<Action> actions = {
        {&Monkey::NewSystem, 3}, {&Monkey::LoadSystemCommand, 8}, {&Monkey::SaveSystemCommand, 3},
        {&Monkey::SaveSystemAs, 3}, {&Monkey::Exit, 1}, {&Monkey::CloseByFrame, 1},
        {&Monkey::ModifySystem, 5}, {&Monkey::AddNewBody, 5}, {&Monkey::SetStartDate, 2},
        {&Monkey::ReportSystem, 2}, {&Monkey::ReportBody, 3}, {&Monkey::HelpContents, 1},
        {&Monkey::HelpAbout, 1}, {&Monkey::Start, 15}, {&Monkey::Pause, 3}, {&Monkey::Stop, 3},
        {&Monkey::ZoomPlus, 3}, {&Monkey::ZoomMinus, 3}, {&Monkey::ZoomFar, 1},
        {&Monkey::AllPlanes, 2}, {&Monkey::XYPlane, 1}, {&Monkey::XZPlane, 1},
        {&Monkey::ZYPlane, 1}, {&Monkey::Label, 3}, {&Monkey::Clear, 1}, {&Monkey::Redraw, 2},
        {&Monkey::ShowTrails, 1}, {&Monkey::ChooseCentre, 4}, {&Monkey::SpeedPlus, 3},
        {&Monkey::SpeedMinus, 2}, {&Monkey::PlotPlus, 2}, {&Monkey::PlotMinus, 2}};
    if (Finished())
        return;
    std::vector<int> weights;
    for (const Action& action : actions)
        weights.push_back(action.weight);
    const Handler handler = actions[std::size_t(std::discrete_distribution<int>(
                                        weights.begin(), weights.end())(engine_))]
                                .handler;
    Perform([this, handler] { (this->*handler)(); });
}

void Monkey::NewSystem()
{
    Record(QStringLiteral("File > New System"));
    OpenDialog([this] { Trigger("mnuFileNewSystem"); }, true);
    CheckAfterRefresh();
}

void Monkey::LoadSystemCommand()
{
    const FileChoice choice = files_.OpenChoice();
    Record(QStringLiteral("File > Load System: ") + choice.description);
    dialogs_.FileAnswers.push_back(choice.answer);
    const Planets* before = globals_->CurrentSystem.get();
    const std::uint64_t revision = before ? before->Revision() : 0;
    const QStringList lists = Lists();
    Trigger("mnuFileLoad");
    const Planets* after = globals_->CurrentSystem.get();
    if (after && (!before || after->Revision() != revision))
        CheckAfterRefresh();
    else if (Lists() != lists)
        Fail(QStringLiteral(
            "a load that changed no body changed the centre list or Reports > Bodies"));
}

void Monkey::SaveSystemCommand()
{
    Record(QStringLiteral("File > Save System"));
    Trigger("mnuFileSave");
}

void Monkey::SaveSystemAs()
{
    const FileChoice choice = files_.SaveChoice();
    Record(QStringLiteral("File > Save System As: ") + choice.description);
    dialogs_.FileAnswers.push_back(choice.answer);
    Trigger("mnuFileSaveAs");
}

void Monkey::Exit()
{
    Record(QStringLiteral("File > Exit"));
    closed_ = true;
    Trigger("mnuFileExit");
}

void Monkey::CloseByFrame()
{
    Record(QStringLiteral("close the window by its frame"));
    closed_ = true;
    window_->close();
}

void Monkey::ModifySystem()
{
    Record(QStringLiteral("Edit > Modify System"));
    OpenDialog([this] { Trigger("mnuEditBodies"); }, true);
    CheckAfterRefresh();
}

void Monkey::AddNewBody()
{
    Record(QStringLiteral("Edit > Add New Body"));
    OpenDialog([this] { Trigger("mnuEditAdd"); }, true);
    CheckAfterRefresh();
}

void Monkey::SetStartDate()
{
    Record(QStringLiteral("Edit > Set Start Date"));
    OpenDialog([this] { Trigger("mnuEditDate"); }, false);
}

void Monkey::ReportSystem()
{
    Record(QStringLiteral("Reports > System"));
    Trigger("mnuReportsSystem");
}

void Monkey::ReportBody()
{
    const QList<QAction*> items = Child<QMenu>("mnuReportsBodies")->actions();
    QAction* item = items[input_.Below(static_cast<int>(items.size()))];
    Record(QStringLiteral("Reports > Bodies > ") + item->text()
           + (item->isEnabled() ? QString() : QStringLiteral(" (disabled)")));
    item->trigger();
}

void Monkey::HelpContents()
{
    Record(QStringLiteral("Help > Contents"));
    Trigger("mnuHelpContents");
}

void Monkey::HelpAbout()
{
    Record(QStringLiteral("Help > About Kosmolux"));
    OpenDialog([this] { Trigger("mnuHelpAbout"); }, false);
}

void Monkey::QueueOpen(QString& asked)
{
    const FileChoice choice = files_.OpenChoice();
    dialogs_.FileAnswers.push_back(choice.answer);
    asked += QStringLiteral("open ") + choice.description;
}

void Monkey::Start()
{
    // Start loads a system when none is loaded, and offers to reload one that a run has changed.
    QString asked;
    bool exact = true;
    if (Child<QPushButton>("butSimulate")->isEnabled()) {
        if (!globals_->SystemLoaded) {
            QueueOpen(asked);
            // A load that leaves a system loaded but unchanged keeps the mark of the last run.
            if (globals_->SystemAltered) {
                dialogs_.YesNoAnswers.push_back(DialogService::Button::No);
                exact = false;
            }
        } else if (globals_->SystemAltered) {
            const bool reload = input_.Chance(0.3);
            dialogs_.YesNoAnswers.push_back(reload ? DialogService::Button::Yes
                                                   : DialogService::Button::No);
            asked = reload ? QStringLiteral("reload: yes, ") : QStringLiteral("reload: no");
            if (reload)
                QueueOpen(asked);
        }
    }
    // Short runs, and runs long enough to plot and record trails at the usual settings.
    runs_.push_back({depth_, input_.Chance(0.5) ? input_.Between(1, 50) : input_.Between(50, 600),
                     exact, false});
    ClickButton("butSimulate", asked.isEmpty() ? QStringLiteral("Start")
                                               : QStringLiteral("Start (%1)").arg(asked));
    if (!runs_.back().stepped)
        CheckAnswersUsed(exact);
    runs_.pop_back();
}

void Monkey::ClickButton(const char* button, const QString& caption)
{
    const auto* control = Child<QAbstractButton>(button);
    Record(QStringLiteral("click ") + caption
           + (control->isEnabled() ? QString() : QStringLiteral(" (disabled)")));
    Click(button);
}

void Monkey::Pause()
{
    ClickButton("butPause", window_->Paused() ? QStringLiteral("Resume") : QStringLiteral("Pause"));
}

void Monkey::Stop()
{
    ClickButton("butStop", QStringLiteral("Stop"));
}

void Monkey::ZoomPlus()
{
    ClickButton("butZoomPlus", QStringLiteral("View Width +"));
}

void Monkey::ZoomMinus()
{
    ClickButton("butZoomMinus", QStringLiteral("View Width -"));
}

void Monkey::ZoomFar()
{
    // About a thousand halvings or doublings leave the range of a double.
    const int clicks = input_.Between(100, 1200);
    const bool in = input_.Chance(0.5);
    Record(QStringLiteral("click View Width %1 %2 times").arg(in ? "+" : "-").arg(clicks));
    for (int click = 0; click < clicks && !closed_; ++click)
        Click(in ? "butZoomPlus" : "butZoomMinus");
}

void Monkey::AllPlanes()
{
    ClickButton("butAll", QStringLiteral("All"));
}

void Monkey::XYPlane()
{
    ClickButton("butXY", QStringLiteral("X-Y Plane"));
}

void Monkey::XZPlane()
{
    ClickButton("butXZ", QStringLiteral("X-Z Plane"));
}

void Monkey::ZYPlane()
{
    ClickButton("butZY", QStringLiteral("Z-Y Plane"));
}

void Monkey::Label()
{
    ClickButton("butLabel", QStringLiteral("Label"));
}

void Monkey::Clear()
{
    ClickButton("butClear", QStringLiteral("Clear"));
}

void Monkey::Redraw()
{
    ClickButton("butRedraw", QStringLiteral("Redraw"));
}

void Monkey::ShowTrails()
{
    ClickButton("chkTrails", QStringLiteral("Show Trails"));
}

void Monkey::ChooseCentre()
{
    auto* centres = Child<QComboBox>("cboCentre");
    const int entry = input_.Below(centres->count());
    Record(QStringLiteral("centre on '%1'").arg(centres->itemText(entry)));
    centres->setCurrentIndex(entry);
    emit centres->activated(entry);
}

void Monkey::SpeedPlus()
{
    ClickButton("butSpeedPlus", QStringLiteral("Speed +"));
}

void Monkey::SpeedMinus()
{
    ClickButton("butSpeedMinus", QStringLiteral("Speed -"));
}

void Monkey::PlotPlus()
{
    ClickButton("butPlotPlus", QStringLiteral("Plot Freq +"));
}

void Monkey::PlotMinus()
{
    ClickButton("butPlotMinus", QStringLiteral("Plot Freq -"));
}

void Monkey::OnStep(std::int64_t steps)
{
    ++tally_.steps;
    // Only the innermost run's own steps, not while another action is in progress,
    // and not the last step of a run that is stopping.
    if (runs_.empty() || depth_ != runs_.back().depth || Failed() || closed_
        || globals_->StopRequested)
        return;
    ActiveRun& run = runs_.back();
    if (!run.stepped) {
        run.stepped = true;
        ++tally_.runs;
        CheckAnswersUsed(run.exactAnswers);
    }
    where_.push_back(QStringLiteral("run step %1").arg(steps));
    // A run that stopped by itself (a body no longer computable) has saved already.
    const QString saved = files_.CheckSavedFiles(*globals_);
    if (!saved.isEmpty())
        Fail(saved);
    else if (done_ >= total_ || steps >= run.budget)
        Perform([this] { Stop(); });
    else if (depth_ < MaxDepth && input_.Chance(0.05))
        Act();
    where_.pop_back();
}

void Monkey::ContinuePaused()
{
    continuationPosted_ = false;
    if (Failed() || closed_ || !window_ || !window_->Running() || !window_->Paused())
        return;
    if (runs_.empty() || depth_ != runs_.back().depth || QApplication::activeModalWidget()) {
        // Inside another action's event processing: come back when it is done.
        continuationPosted_ = true;
        QTimer::singleShot(1, &timers_, [this] { ContinuePaused(); });
        return;
    }
    where_.push_back(QStringLiteral("paused"));
    const int roll = input_.Below(20);
    if (done_ >= total_ || roll == 0)
        Perform([this] { Stop(); });
    else if (roll <= 6)
        Perform([this] { Pause(); });
    else
        Act();
    where_.pop_back();
}

void Monkey::KeepPausedRunGoing()
{
    // Only at the level of the run itself: an action nested deeper is followed by the one around
    // it.
    if (continuationPosted_ || Failed() || closed_ || !window_ || !window_->Running()
        || !window_->Paused() || runs_.empty() || depth_ != runs_.back().depth)
        return;
    continuationPosted_ = true;
    QTimer::singleShot(0, &timers_, [this] { ContinuePaused(); });
}

}  // namespace kosmolux::monkey

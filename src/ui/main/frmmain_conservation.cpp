// The method of stepping and what shows how well a run keeps energy and
// angular momentum: Edit > Method, Reports > Conservation and Energy Plot.
#include "ui/main/frmmain.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QPlainTextEdit>

#include "ui/main/energyplot.h"
#include "ui/main/reports.h"

namespace kosmolux {

void frmMain::mnuEditMethod_Click(QAction* item)
{
    // Takes effect with the next step, also in a run under way.
    globals_.Method = static_cast<StepMethod>(item->data().toInt());
}

void frmMain::ShowMethod()
{
    for (QAction* item : mnuEditMethod_->actions())
        item->setChecked(item->data().toInt() == static_cast<int>(globals_.Method));
}

void frmMain::mnuReportsConservation_Click()
{
    const Planets* system = globals_.CurrentSystem.get();
    if (!system) {
        txtInfo_->setPlainText(NoSystemText());
        return;
    }
    const Conserved now = Measure(*system);
    txtInfo_->setPlainText(ConservationReport(now, runStart_.value_or(now), labDays_->text()));
}

void frmMain::mnuReportsEnergyPlot_Click()
{
    if (!energyPlot_)
        energyPlot_ = new EnergyPlot(energyCurves_, this);
    energyPlot_->show();
    energyPlot_->raise();
    energyPlot_->activateWindow();
}

void frmMain::BeginEnergyRecord()
{
    runStart_ = Measure(globals_.EnsureSystem());
    energyCurves_.BeginRun(std::string(MethodName(globals_.Method)) + ", speed "
                           + std::to_string(globals_.SpeedLevel));
}

void frmMain::RecordEnergy(std::int64_t stepStartSeconds)
{
    const Conserved now = Measure(globals_.EnsureSystem());
    energyCurves_.Add(static_cast<double>(stepStartSeconds) / 86400.0, RelativeChange(runStart_->Total, now.Total));
}

}  // namespace kosmolux

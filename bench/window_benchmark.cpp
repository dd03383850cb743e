// The main window under load: the speed of its run loop against the headless
// runner's on the same system, a full redraw of trails, a resize that redraws
// them, and how long a Stop click waits for the loop to end.
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMetaObject>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/run/headlessrun.h"
#include "app/run/silentcentrelist.h"
#include "engine/runsettings.h"
#include "platform/scripteddialogservice.h"
#include "storage/globals.h"
#include "storage/systemfile.h"
#include "ui/main/frmmain.h"

namespace kosmolux {
namespace {

using Clock = std::chrono::steady_clock;

const QString SolarFile = QStringLiteral(KOSMOLUX_EXAMPLES "/Solar.kmx");
constexpr std::int64_t StepsPerRun = 200'000;

// The one QApplication of the program, on the offscreen platform unless
// another was asked for.
void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "window_benchmark";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance())
        return;
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    new QApplication(argc, argv);
}

// A shown main window with Solar.kmx loaded at start-up, default settings.
struct SolarWindow {
    SolarWindow()
    {
        EnsureApplication();
        globals.ProgramFolder = folder.path();
        window = std::make_unique<frmMain>(globals, dialogs, SolarFile);
        window->show();
        QApplication::processEvents();
    }

    QPushButton* Button(const char* name) const
    {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }

    // Runs from Start until the loop returns; the driver may end it.
    void Run(std::function<void(std::int64_t)> driver)
    {
        globals.SystemAltered = false;  // no reload question between runs
        window->StepFinished = std::move(driver);
        Button("butSimulate")->click();
    }

    QTemporaryDir folder;
    Globals globals;
    ScriptedDialogService dialogs;
    std::unique_ptr<frmMain> window;
};

// Argument 1: with Reports > Energy Plot open, redrawing as the run goes.
void BM_WindowRunLoop(benchmark::State& state)
{
    SolarWindow solar;
    if (state.range(0) == 1)
        solar.window->findChild<QAction*>(QStringLiteral("mnuReportsEnergyPlot"))->trigger();
    std::int64_t steps = 0;
    for (auto _ : state) {
        solar.Run([&](std::int64_t done) {
            if (done == StepsPerRun)
                solar.Button("butStop")->click();
        });
        steps += StepsPerRun;
    }
    state.SetItemsProcessed(steps);
}
BENCHMARK(BM_WindowRunLoop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RunnerLoop(benchmark::State& state)
{
    EnsureApplication();
    Globals globals;
    ScriptedDialogService dialogs;
    SilentCentreList centres;
    LoadSystem(globals, dialogs, centres, SolarFile);
    HeadlessRun run(globals.EnsureSystem(), [](const std::string&) {});
    std::int64_t steps = 0;
    for (auto _ : state) {
        run.Run(DefaultSpeedLevel, DefaultPlotLevel, StepsPerRun);
        steps += run.StepsDone();
    }
    state.SetItemsProcessed(steps);
}
BENCHMARK(BM_RunnerLoop)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The time from a Stop click being posted to the window's event queue until
// the run loop has returned, after the run has gone for a while. Argument:
// the speed level (15 plots every step).
void BM_StopLatency(benchmark::State& state)
{
    SolarWindow solar;
    solar.globals.SpeedLevel = static_cast<std::int16_t>(state.range(0));
    solar.window->ShowSpeed();
    double slowest = 0.0;
    for (auto _ : state) {
        Clock::time_point posted;
        solar.Run([&](std::int64_t done) {
            if (done == 50'000) {
                posted = Clock::now();
                QMetaObject::invokeMethod(solar.Button("butStop"), &QPushButton::click,
                                          Qt::QueuedConnection);
            }
        });
        const double seconds = std::chrono::duration<double>(Clock::now() - posted).count();
        slowest = std::max(slowest, seconds);
        state.SetIterationTime(seconds);
    }
    state.counters["slowest_ms"] = slowest * 1000.0;
}
BENCHMARK(BM_StopLatency)->Arg(7)->Arg(15)->UseManualTime()->Unit(benchmark::kMillisecond)
    ->Iterations(50);

// 100 bodies on circles of different radii, each with a full history.
struct TrailWindow {
    TrailWindow()
    {
        EnsureApplication();
        globals.ProgramFolder = folder.path();
        window = std::make_unique<frmMain>(globals, dialogs);
        Planets& system = globals.EnsureSystem();
        for (int index = 0; index < 100; ++index) {
            Planet& body = system.Add("Body" + std::to_string(index), 1e24, 1e7, 0, 0, 0, 0, 0, 0);
            body.LoColor = 0x102030 * (index % 7 + 1);
            const double radius = 1e10 * (index + 1);
            for (int entry = 0; entry < MaxHistory; ++entry) {
                const double angle = entry * 0.01 + index;
                body.Position.SetComponents(radius * std::cos(angle), radius * std::sin(angle),
                                            radius * 0.01 * std::sin(angle));
                body.AddToHistory();
            }
        }
        globals.SystemLoaded = true;
        window->RefreshAfterChange(frmMain::SummaryHeader::SystemName);
        window->show();
        QApplication::processEvents();
    }

    QTemporaryDir folder;
    Globals globals;
    ScriptedDialogService dialogs;
    std::unique_ptr<frmMain> window;
};

// Argument 0: about the grid origin; 1: about the first body, letting events
// through as it goes.
void BM_RedrawTrails(benchmark::State& state)
{
    TrailWindow trails;
    auto* centres = trails.window->findChild<QComboBox*>(QStringLiteral("cboCentre"));
    centres->setCurrentIndex(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        trails.window->DrawTrails();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * 100 * MaxHistory);
}
BENCHMARK(BM_RedrawTrails)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A resize from the design size to 1920 x 1080: the layout, the redraw of the
// trails at the new plane size and the painting, until the events are done.
// Argument as for BM_RedrawTrails.
void BM_ResizeRedraw(benchmark::State& state)
{
    TrailWindow trails;
    frmMain& window = *trails.window;
    auto* centres = window.findChild<QComboBox*>(QStringLiteral("cboCentre"));
    centres->setCurrentIndex(static_cast<int>(state.range(0)));
    const QSize design = window.size();
    auto settle = [] {
        QApplication::processEvents();
        QApplication::processEvents();
    };
    for (auto _ : state) {
        state.PauseTiming();
        window.resize(design);
        settle();
        state.ResumeTiming();
        window.resize(1920, 1080);
        settle();
    }
    state.counters["plane_side"] = window.Plot().PlotSize();
}
BENCHMARK(BM_ResizeRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kosmolux

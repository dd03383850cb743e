// The main window under load: how long it takes to open a big system, the
// speed of its run loop against the headless runner's on the same system, a
// full redraw of trails, a resize that redraws them, and how long a Stop click
// waits for the loop to end.
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <memory>

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMetaObject>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/run/headlessrun.h"
#include "app/run/silentcentrelist.h"
#include "bigsystem.h"
#include "engine/runsettings.h"
#include "platform/scripteddialogservice.h"
#include "storage/globals.h"
#include "storage/systemfile.h"
#include "ui/main/frmmain.h"

namespace kosmolux {
namespace {

using Clock = std::chrono::steady_clock;

const QString SolarFile = QStringLiteral(KOSMOLUX_EXAMPLES "/Solar.kmx");

// Solar.kmx for an argument of 11 bodies, otherwise a big system of that many
// bodies, written once for all the benchmarks of a run.
QString SystemFile(std::int64_t bodies)
{
    if (bodies == 11)
        return SolarFile;
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Big%1.kmx").arg(bodies));
    if (!QFile::exists(path))
        WriteBigSystem(path, static_cast<int>(bodies));
    return path;
}

// Steps of one run: enough for a big system to make plotted steps in the
// proportion of a long run at the default plot frequency.
std::int64_t StepsPerRun(std::int64_t bodies)
{
    return bodies == 11 ? 200'000 : 400;
}

// Processor time of the whole program: on a machine shared with other work
// it follows the program's own effort better than the clock on the wall.
double CpuSeconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

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

// A shown main window with a system file loaded at start-up, default settings.
struct LoadedWindow {
    explicit LoadedWindow(const QString& path = SolarFile)
    {
        EnsureApplication();
        globals.ProgramFolder = folder.path();
        window = std::make_unique<frmMain>(globals, dialogs, path);
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

// Processor seconds of LoadSystem alone, into a system without a window;
// with replacing, into a system that holds the file's bodies already.
double LoadAloneSeconds(const QString& path, bool replacing)
{
    Globals alone;
    ScriptedDialogService dialogs;
    SilentCentreList centres;
    if (replacing)
        LoadSystem(alone, dialogs, centres, path);
    const double start = CpuSeconds();
    LoadSystem(alone, dialogs, centres, path);
    return CpuSeconds() - start;
}

// The counters of the two benchmarks below: per opening, the processor time
// of the load alone and of the rest, the window's own part.
void SetOpeningCounters(benchmark::State& state, double loadSeconds, double windowSeconds)
{
    const double openings = static_cast<double>(state.iterations());
    state.counters["load_ms"] = 1000.0 * loadSeconds / openings;
    state.counters["window_ms"] = 1000.0 * (windowSeconds - loadSeconds) / openings;
}

// Starting the window program on a system file until it is ready: summary,
// centre list and Reports > Bodies filled, bodies drawn and shown.
void BM_WindowStartUp(benchmark::State& state)
{
    EnsureApplication();
    const QString path = SystemFile(state.range(0));
    double loadSeconds = 0.0;
    double windowSeconds = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        loadSeconds += LoadAloneSeconds(path, false);
        state.ResumeTiming();
        const double start = CpuSeconds();
        auto opened = std::make_unique<LoadedWindow>(path);
        windowSeconds += CpuSeconds() - start;
        state.PauseTiming();
        if (!opened->globals.CurrentSystem || opened->globals.CurrentSystem->Count() != state.range(0))
            state.SkipWithError("the load failed");
        opened.reset();
        state.ResumeTiming();
    }
    SetOpeningCounters(state, loadSeconds, windowSeconds);
}
BENCHMARK(BM_WindowStartUp)->ArgName("bodies")->Arg(11)->Arg(32767)->Unit(benchmark::kMillisecond);

// File > Load of a system file into a window that shows the same system
// already, until the window is ready again and the items it replaced are
// deleted, as its event loop would.
void BM_WindowFileLoad(benchmark::State& state)
{
    const QString path = SystemFile(state.range(0));
    LoadedWindow opened(path);
    QAction* load = opened.window->findChild<QAction*>(QStringLiteral("mnuFileLoad"));
    double loadSeconds = 0.0;
    double windowSeconds = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        loadSeconds += LoadAloneSeconds(path, true);
        opened.dialogs.FileAnswers.push_back(ScriptedDialogService::FileAnswer::Choose(path));
        state.ResumeTiming();
        const double start = CpuSeconds();
        load->trigger();
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        windowSeconds += CpuSeconds() - start;
        if (!opened.globals.CurrentSystem || opened.globals.CurrentSystem->Count() != state.range(0))
            state.SkipWithError("the load failed");
    }
    SetOpeningCounters(state, loadSeconds, windowSeconds);
}
BENCHMARK(BM_WindowFileLoad)->ArgName("bodies")->Arg(11)->Arg(32767)->Unit(benchmark::kMillisecond);

// Runs at the default settings; the steps per second are the items per
// second, on the clock on the wall: a big system steps on two threads.
// Second argument 1: with Reports > Energy Plot open, redrawing as the run goes.
void BM_WindowRunLoop(benchmark::State& state)
{
    LoadedWindow solar(SystemFile(state.range(0)));
    if (state.range(1) == 1)
        solar.window->findChild<QAction*>(QStringLiteral("mnuReportsEnergyPlot"))->trigger();
    const std::int64_t stepsPerRun = StepsPerRun(state.range(0));
    std::int64_t steps = 0;
    for (auto _ : state) {
        solar.Run([&](std::int64_t done) {
            if (done == stepsPerRun)
                solar.Button("butStop")->click();
        });
        steps += stepsPerRun;
    }
    state.SetItemsProcessed(steps);
}
BENCHMARK(BM_WindowRunLoop)->ArgNames({"bodies", "plot"})->Args({11, 0})->Args({11, 1})->Args({4096, 0})
    ->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_RunnerLoop(benchmark::State& state)
{
    EnsureApplication();
    Globals globals;
    ScriptedDialogService dialogs;
    SilentCentreList centres;
    LoadSystem(globals, dialogs, centres, SystemFile(state.range(0)));
    HeadlessRun run(globals.EnsureSystem(), [](const std::string&) {});
    std::int64_t steps = 0;
    for (auto _ : state) {
        run.Run(DefaultSpeedLevel, DefaultPlotLevel, StepsPerRun(state.range(0)));
        steps += run.StepsDone();
    }
    state.SetItemsProcessed(steps);
}
BENCHMARK(BM_RunnerLoop)->ArgName("bodies")->Arg(11)->Arg(4096)->Unit(benchmark::kMillisecond)->MinTime(2.0)
    ->UseRealTime();

// The time from a Stop click being posted to the window's event queue until
// the run loop has returned, after the run has gone for a while. Argument:
// the speed level (15 plots every step).
void BM_StopLatency(benchmark::State& state)
{
    LoadedWindow solar;
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

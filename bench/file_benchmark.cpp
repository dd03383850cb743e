// Saving and loading whole systems: both must grow linearly with the number of bodies.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "platform/scripteddialogservice.h"
#include "storage/globals.h"
#include "storage/systemfile.h"

namespace kosmolux {
namespace {

class IgnoredCentreList : public CentreList {
public:
    void ClearCentres() override {}
    void AddCentre(const QString&, std::int32_t) override {}
    void SelectFirstCentre() override {}
};

// Bodies with distinct names, each orbiting the one before.
void FillSystem(Globals& globals, int count)
{
    globals.StartDate = QDate(2000, 3, 5);
    Planets& system = globals.EnsureSystem();
    std::int32_t parent = -1;
    for (int i = 1; i <= count; ++i) {
        Planet& body = system.Add("Body " + std::to_string(i), 5.976e24 * i, 1.2756e7, 1.496e11 / i, -1.5e3 * i,
                                  2.5e2, -1.25e-1, 2.978e4 / i, 1.5e1 * i);
        body.HiColor = 65535 + i;
        body.Parent = parent;
        parent = body.Id();
    }
}

void BM_SaveSystem(benchmark::State& state)
{
    QTemporaryDir folder;
    Globals globals;
    FillSystem(globals, static_cast<int>(state.range(0)));
    ScriptedDialogService dialogs;
    const QString path = folder.filePath("Bench.kmx");
    for (auto _ : state) {
        if (!SaveSystem(globals, dialogs, path))
            state.SkipWithError("the save failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoadSystem(benchmark::State& state)
{
    QTemporaryDir folder;
    Globals globals;
    FillSystem(globals, static_cast<int>(state.range(0)));
    ScriptedDialogService dialogs;
    IgnoredCentreList centres;
    const QString path = folder.filePath("Bench.kmx");
    if (!SaveSystem(globals, dialogs, path))
        state.SkipWithError("the save failed");
    for (auto _ : state) {
        LoadSystem(globals, dialogs, centres, path);
        if (globals.CurrentSystem->Count() != state.range(0) || !dialogs.Calls.empty())
            state.SkipWithError("the load failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_SaveSystem)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSystem)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kosmolux

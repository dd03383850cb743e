// Saving and loading whole systems against their floor: what reading the file
// and converting its numbers with std::from_chars costs, and what formatting
// the same values with std::to_chars and writing them in one piece costs. All
// four must grow linearly with the number of bodies. LoadSystem and SaveSystem
// also report their ratio to the floor, each run against a floor run beside it.
#include <charconv>
#include <chrono>
#include <ctime>
#include <map>
#include <memory>
#include <string_view>
#include <type_traits>

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "bigsystem.h"
#include "platform/programerror.h"
#include "platform/scripteddialogservice.h"
#include "storage/diskfile.h"
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

// A file of each size, written once for all the benchmarks of a run.
const QString& BigSystemFile(int count)
{
    static QTemporaryDir folder;
    static std::map<int, QString> files;
    QString& path = files[count];
    if (path.isEmpty()) {
        path = folder.filePath(QStringLiteral("Big%1.kmx").arg(count));
        if (!WriteBigSystem(path, count))
            path.clear();
    }
    return path;
}

// The file read into memory and every value that is a number converted;
// returns how many numbers there were.
std::int64_t ReadFloor(const QString& path)
{
    const QByteArray contents = ReadFileIfPresent(path).value_or(QByteArray());
    std::string_view rest(contents.constData(), static_cast<std::size_t>(contents.size()));
    std::int64_t numbers = 0;
    double sum = 0.0;
    while (!rest.empty()) {
        const std::size_t lineEnd = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, lineEnd);
        rest.remove_prefix(std::min(lineEnd + 1, rest.size()));
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view text = line.substr(equals + 1);
        double value = 0.0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error == std::errc() && end == text.data() + text.size()) {
            ++numbers;
            sum += value;
        }
    }
    benchmark::DoNotOptimize(sum);
    return numbers;
}

// Processor time, and time on the clock on the wall.
struct Times {
    double cpu = 0.0;
    double wall = 0.0;
};

template <typename Work>
Times TimesOf(Work work)
{
    const std::clock_t cpuStart = std::clock();
    const auto wallStart = std::chrono::steady_clock::now();
    work();
    return {static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count()};
}

// Each run is measured against a run of its floor just before it, so that
// both meet the same load of a shared machine: the counters give the ratios.
void SetFloorRatios(benchmark::State& state, const Times& measured, const Times& floor)
{
    state.counters["cpu_ratio"] = measured.cpu / floor.cpu;
    state.counters["wall_ratio"] = measured.wall / floor.wall;
}

void BM_LoadSystem(benchmark::State& state)
{
    const QString& path = BigSystemFile(static_cast<int>(state.range(0)));
    Globals globals;
    ScriptedDialogService dialogs;
    IgnoredCentreList centres;
    Times load;
    Times floor;
    for (auto _ : state) {
        state.PauseTiming();
        const Times floorRun = TimesOf([&] { benchmark::DoNotOptimize(ReadFloor(path)); });
        state.ResumeTiming();
        const Times loadRun = TimesOf([&] { LoadSystem(globals, dialogs, centres, path); });
        floor = {floor.cpu + floorRun.cpu, floor.wall + floorRun.wall};
        load = {load.cpu + loadRun.cpu, load.wall + loadRun.wall};
        if (!globals.CurrentSystem || globals.CurrentSystem->Count() != state.range(0) || !dialogs.Calls.empty())
            state.SkipWithError("the load failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    SetFloorRatios(state, load, floor);
}

void BM_LoadFloor(benchmark::State& state)
{
    const QString& path = BigSystemFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        // Ten numbers a body, and the body count.
        if (ReadFloor(path) != 10 * state.range(0) + 1)
            state.SkipWithError("the file does not hold the numbers expected");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same sections, keys and values formatted with std::to_chars, written
// with the save's own one write (temporary file, fsync, rename).
class FloorWriter {
public:
    void Text(std::string_view text) { bytes_.append(text.data(), static_cast<qsizetype>(text.size())); }
    void Line(std::string_view text)
    {
        Text(text);
        Text("\r\n");
    }
    // Doubles with 15 significant digits, as the file holds them.
    template <typename Number>
    void Digits(Number value)
    {
        char digits[32];
        std::to_chars_result written;
        if constexpr (std::is_floating_point_v<Number>)
            written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, 14);
        else
            written = std::to_chars(digits, digits + sizeof digits, value);
        Text(std::string_view(digits, static_cast<std::size_t>(written.ptr - digits)));
    }
    template <typename Number>
    void Value(std::string_view key, Number value)
    {
        Text(key);
        Text("=");
        Digits(value);
        Text("\r\n");
    }
    QByteArray& Bytes() { return bytes_; }

private:
    QByteArray bytes_;
};

QByteArray FloorContents(const Planets& system)
{
    FloorWriter file;
    file.Line("[System]");
    int n = 0;
    for (const Planet& body : system) {
        file.Digits(++n);
        file.Text("=");
        file.Line(body.PlanetName);
    }
    file.Line("[General]");
    file.Value("TotalBodies", n);
    file.Line("StartDate=1/1/2000");
    for (const Planet& body : system) {
        file.Text("[");
        file.Text(body.PlanetName);
        file.Line("]");
        file.Value("Mass", static_cast<double>(body.Mass));
        file.Value("Diameter", body.Diameter);
        file.Value("X", body.Position.XComp);
        file.Value("Y", body.Position.YComp);
        file.Value("Z", body.Position.ZComp);
        file.Value("VX", body.Velocity.XComp);
        file.Value("VY", body.Velocity.YComp);
        file.Value("VZ", body.Velocity.ZComp);
        file.Value("HiColor", body.HiColor);
        file.Value("LoColor", body.LoColor);
        file.Line(body.Lightweight ? "Lightweight=Y" : "Lightweight=N");
        file.Line(body.Locked ? "Locked=Y" : "Locked=N");
        const Planet* parent = body.Parent < 0 ? nullptr : system.FindById(body.Parent);
        file.Text("Parent=");
        file.Line(parent ? parent->PlanetName : "(none)");
    }
    return std::move(file.Bytes());
}

// Writes the floor's file; false when the write failed.
bool WriteFloor(const Planets& system, const QString& path)
{
    try {
        ReplaceFile(path, FloorContents(system));
    } catch (const ProgramError&) {
        return false;
    }
    return true;
}

void BM_SaveSystem(benchmark::State& state)
{
    QTemporaryDir folder;
    Globals globals;
    FillBigSystem(globals, static_cast<int>(state.range(0)));
    ScriptedDialogService dialogs;
    const QString path = folder.filePath(QStringLiteral("Saved.kmx"));
    const QString floorPath = folder.filePath(QStringLiteral("Floor.kmx"));
    Times save;
    Times floor;
    for (auto _ : state) {
        state.PauseTiming();
        const Times floorRun = TimesOf([&] { WriteFloor(*globals.CurrentSystem, floorPath); });
        state.ResumeTiming();
        bool saved = false;
        const Times saveRun = TimesOf([&] { saved = SaveSystem(globals, dialogs, path); });
        floor = {floor.cpu + floorRun.cpu, floor.wall + floorRun.wall};
        save = {save.cpu + saveRun.cpu, save.wall + saveRun.wall};
        if (!saved)
            state.SkipWithError("the save failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    SetFloorRatios(state, save, floor);
}

void BM_SaveFloor(benchmark::State& state)
{
    QTemporaryDir folder;
    Globals globals;
    FillBigSystem(globals, static_cast<int>(state.range(0)));
    const QString path = folder.filePath(QStringLiteral("Floor.kmx"));
    for (auto _ : state) {
        if (!WriteFloor(*globals.CurrentSystem, path))
            state.SkipWithError("the write failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Sizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgName("bodies")->Arg(1000)->Arg(10000)->Arg(32767)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_LoadSystem)->Apply(Sizes);
BENCHMARK(BM_LoadFloor)->Apply(Sizes);
BENCHMARK(BM_SaveSystem)->Apply(Sizes);
BENCHMARK(BM_SaveFloor)->Apply(Sizes);

}  // namespace
}  // namespace kosmolux

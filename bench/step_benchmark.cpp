#include <cstdint>
#include <string>

#include <benchmark/benchmark.h>

#include "engine/runloop.h"
#include "model/planets.h"

namespace kosmolux {
namespace {

class SilentObserver : public RunObserver {
public:
    void BodiesCollide(const std::string&) override {}
    void PlotBody(Planet&) override {}
    void BodyBecameNonFinite(const Planet&) override {}
};

// N bodies spread over a cube a hundred million kilometres wide, far enough
// apart that no two touch during the benchmark.
void Populate(Planets& system, int count)
{
    std::uint64_t state = 12345;
    const auto draw = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state >> 11) / 9007199254740992.0 - 0.5;
    };
    for (int i = 0; i < count; ++i)
        system.Add("Body", 1.0e24 * (1.0 + draw()), 1.0e3, 1.0e11 * draw(), 1.0e11 * draw(),
                   1.0e11 * draw(), 1.0e3 * draw(), 1.0e3 * draw(), 1.0e3 * draw());
}

// One whole step of the run loop (both passes, no contacts, not plotted).
// Arguments: body count, kernel, threads.
void BM_Step(benchmark::State& state)
{
    const auto count = static_cast<int>(state.range(0));
    const StepSettings settings{static_cast<StepKernel>(state.range(1)),
                                static_cast<int>(state.range(2))};
    if (!KernelAvailable(settings.Kernel)) {
        state.SkipWithError("this processor cannot run the kernel");
        return;
    }
    IdentityCounter ids;
    Planets system(ids);
    Populate(system, count);
    SilentObserver observer;
    RunLoop loop(system, observer, settings);
    loop.Begin();
    for (auto _ : state)
        loop.Step(1, 604800);
    const double pairs = static_cast<double>(count) * (count - 1);
    state.counters["pairs/s"] = benchmark::Counter(pairs, benchmark::Counter::kIsIterationInvariantRate);
}

void StepArguments(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({"N", "kernel", "threads"});
    for (StepKernel kernel : {StepKernel::Bodies, StepKernel::Scalar})
        for (int count : {16, 128, 1024, 4096})
            benchmark->Args({count, static_cast<int>(kernel), 1});
}

BENCHMARK(BM_Step)->Apply(StepArguments)->UseRealTime();

}  // namespace
}  // namespace kosmolux

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
// Arguments: body count, kernel (StepKernel), threads.
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
    state.counters["pairs/s"] =
        benchmark::Counter(pairs, benchmark::Counter::kIsIterationInvariantRate);
}

void StepArguments(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({"N", "kernel", "threads"});
    for (int count : {16, 128, 1024, 4096}) {
        benchmark->Args({count, static_cast<int>(StepKernel::Bodies), 1});
        for (StepKernel kernel : {StepKernel::Scalar, StepKernel::Avx2, StepKernel::Avx512})
            for (int threads : {1, 2})
                benchmark->Args({count, static_cast<int>(kernel), threads});
    }
}

BENCHMARK(BM_Step)->Apply(StepArguments)->UseRealTime();

// One whole step by each method, with the kernel and the threads a run picks
// for itself. Arguments: body count, method (StepMethod).
void BM_MethodStep(benchmark::State& state)
{
    const auto count = static_cast<int>(state.range(0));
    const auto method = static_cast<StepMethod>(state.range(1));
    IdentityCounter ids;
    Planets system(ids);
    Populate(system, count);
    SilentObserver observer;
    RunLoop loop(system, observer);
    loop.Begin();
    for (auto _ : state)
        loop.Step(1, 604800, method);
    state.SetLabel(std::string(MethodName(method)));
}

BENCHMARK(BM_MethodStep)
    ->ArgNames({"N", "method"})
    ->ArgsProduct({{16, 1024, 4096},
                   {static_cast<int>(StepMethod::Classic), static_cast<int>(StepMethod::Leapfrog),
                    static_cast<int>(StepMethod::Yoshida)}})
    ->UseRealTime();

// What the square roots and divisions alone allow: a pair needs one of each,
// and they share one unit, so no exact kernel passes this rate. Eight
// independent square roots and divisions of the widest vectors per round.
#define KOSMOLUX_SQRT_DIV_ROUND(reg)                                                         \
    "vsqrtpd %%" reg "0, %%" reg "2\n\t vdivpd %%" reg "0, %%" reg "1, %%" reg "3\n\t"      \
    "vsqrtpd %%" reg "0, %%" reg "4\n\t vdivpd %%" reg "0, %%" reg "1, %%" reg "5\n\t"      \
    "vsqrtpd %%" reg "0, %%" reg "6\n\t vdivpd %%" reg "0, %%" reg "1, %%" reg "7\n\t"      \
    "vsqrtpd %%" reg "0, %%" reg "8\n\t vdivpd %%" reg "0, %%" reg "1, %%" reg "9\n\t"      \
    "vsqrtpd %%" reg "0, %%" reg "10\n\t vdivpd %%" reg "0, %%" reg "1, %%" reg "11\n\t"    \
    "vsqrtpd %%" reg "0, %%" reg "12\n\t vdivpd %%" reg "0, %%" reg "1, %%" reg "13\n\t"    \
    "vsqrtpd %%" reg "0, %%" reg "14\n\t vdivpd %%" reg "0, %%" reg "1, %%" reg "15\n\t"    \
    "vsqrtpd %%" reg "0, %%" reg "2\n\t vdivpd %%" reg "0, %%" reg "1, %%" reg "3\n\t"

constexpr int RoundsPerIteration = 1000;
constexpr int OperationsPerRound = 8;

template <int Lanes>
void SqrtDivRounds(const double* numbers)
{
    for (int i = 0; i < RoundsPerIteration; ++i) {
        if constexpr (Lanes == 8)
            asm volatile("vbroadcastsd %0, %%zmm0\n\t vbroadcastsd %1, %%zmm1\n\t"
                         KOSMOLUX_SQRT_DIV_ROUND("zmm") "vzeroupper"
                         :
                         : "m"(numbers[0]), "m"(numbers[1])
                         : "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7", "xmm8",
                           "xmm9", "xmm10", "xmm11", "xmm12", "xmm13", "xmm14", "xmm15");
        else if constexpr (Lanes == 4)
            asm volatile("vbroadcastsd %0, %%ymm0\n\t vbroadcastsd %1, %%ymm1\n\t"
                         KOSMOLUX_SQRT_DIV_ROUND("ymm") "vzeroupper"
                         :
                         : "m"(numbers[0]), "m"(numbers[1])
                         : "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7", "xmm8",
                           "xmm9", "xmm10", "xmm11", "xmm12", "xmm13", "xmm14", "xmm15");
    }
}

void BM_SqrtDivBound(benchmark::State& state)
{
    const double numbers[2] = {2.0e22, 3.0};
    const bool wide = __builtin_cpu_supports("avx512f");
    if (!wide && !__builtin_cpu_supports("avx")) {
        state.SkipWithError("no VEX vectors");
        return;
    }
    const int lanes = wide ? 8 : 4;
    for (auto _ : state) {
        if (wide)
            SqrtDivRounds<8>(numbers);
        else
            SqrtDivRounds<4>(numbers);
    }
    state.SetLabel(wide ? "zmm" : "ymm");
    state.counters["pairs/s"] = benchmark::Counter(
        static_cast<double>(RoundsPerIteration) * OperationsPerRound * lanes,
        // Averaged over threads: each thread's iterations already count in the total.
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kAvgThreads);
}

BENCHMARK(BM_SqrtDivBound)->UseRealTime()->Threads(1)->Threads(2);

}  // namespace
}  // namespace kosmolux

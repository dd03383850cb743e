#include "engine/pairworker.h"

#include <algorithm>
#include <chrono>

#include <immintrin.h>

namespace kosmolux {
namespace {

// Long enough to bridge the gap between two steps of a running system, short
// enough not to hold a core once the run stops or pauses.
constexpr auto SpinTime = std::chrono::microseconds(200);

// A thread takes this share of the blocks still untaken: big chunks while
// much is left, single blocks at the end, so the two threads end close
// together after few trips to the shared counter.
constexpr std::uint32_t ShareDivisor = 4;

// Waits until value differs from old: spins first, then sleeps.
std::uint32_t AwaitChange(const std::atomic<std::uint32_t>& value, std::uint32_t old)
{
    const auto until = std::chrono::steady_clock::now() + SpinTime;
    for (int round = 0;; ++round) {
        const std::uint32_t now = value.load(std::memory_order_acquire);
        if (now != old)
            return now;
        if (round % 64 == 0 && std::chrono::steady_clock::now() > until)
            break;
        _mm_pause();
    }
    value.wait(old, std::memory_order_acquire);
    return value.load(std::memory_order_acquire);
}

}  // namespace

PairWorker::PairWorker() : thread_([this] { Serve(); }) {}

PairWorker::~PairWorker()
{
    quit_.store(true, std::memory_order_relaxed);
    request_.fetch_add(1, std::memory_order_release);
    request_.notify_one();
    thread_.join();
}

bool PairWorker::Run(PairKernel kernel, PairArrays& arrays, std::size_t end)
{
    const auto blocks = static_cast<std::uint32_t>(end / PairArrays::TargetBlock);
    kernel_ = kernel;
    arrays_ = &arrays;
    finished_.store(0, std::memory_order_relaxed);
    touching_.store(false, std::memory_order_relaxed);
    const std::uint32_t request = ++lastRequest_;
    untaken_.store(std::uint64_t{request} << 32 | blocks, std::memory_order_release);
    request_.store(request, std::memory_order_release);
    request_.notify_one();

    Work(request);
    std::uint32_t finished = finished_.load(std::memory_order_acquire);
    while (finished != blocks)
        finished = AwaitChange(finished_, finished);
    return touching_.load(std::memory_order_relaxed);
}

void PairWorker::Work(std::uint32_t request)
{
    std::uint64_t untaken = untaken_.load(std::memory_order_acquire);
    for (;;) {
        const auto left = static_cast<std::uint32_t>(untaken);
        if (untaken >> 32 != request || left == 0)
            return;
        const std::uint32_t take = std::max<std::uint32_t>(1, left / ShareDivisor);
        // The blocks left - take to left - 1 are ours once the count drops past them.
        if (!untaken_.compare_exchange_weak(untaken, untaken - take, std::memory_order_acquire))
            continue;
        if (kernel_(*arrays_, std::size_t{left - take} * PairArrays::TargetBlock,
                    std::size_t{left} * PairArrays::TargetBlock))
            touching_.store(true, std::memory_order_relaxed);
        finished_.fetch_add(take, std::memory_order_release);
        finished_.notify_one();
        untaken = untaken_.load(std::memory_order_acquire);
    }
}

void PairWorker::Serve()
{
    std::uint32_t served = 0;
    for (;;) {
        served = AwaitChange(request_, served);
        if (quit_.load(std::memory_order_relaxed))
            return;
        Work(served);
    }
}

}  // namespace kosmolux

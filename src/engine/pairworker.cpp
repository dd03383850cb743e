#include "engine/pairworker.h"

#include <algorithm>
#include <chrono>

#include <immintrin.h>

namespace kosmolux {
namespace {

// Long enough to bridge the gap between two steps of a running system, short
// enough not to hold a core once the run stops or pauses.
constexpr auto SpinTime = std::chrono::microseconds(200);

// Enough chunks that the two threads end close together, few enough that
// taking one costs nothing beside its work.
constexpr std::size_t ChunksPerRequest = 64;

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
    const std::size_t blocks = end / PairArrays::TargetBlock;
    const std::size_t blocksPerChunk = std::max<std::size_t>(1, blocks / ChunksPerRequest);
    const auto chunks = static_cast<std::uint32_t>((blocks + blocksPerChunk - 1) / blocksPerChunk);
    kernel_ = kernel;
    arrays_ = &arrays;
    end_ = end;
    chunkSize_ = blocksPerChunk * PairArrays::TargetBlock;
    finished_.store(0, std::memory_order_relaxed);
    touching_.store(false, std::memory_order_relaxed);
    const std::uint32_t request = ++lastRequest_;
    untaken_.store(std::uint64_t{request} << 32 | chunks, std::memory_order_release);
    request_.store(request, std::memory_order_release);
    request_.notify_one();

    Work(request);
    std::uint32_t finished = finished_.load(std::memory_order_acquire);
    while (finished != chunks)
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
        // The chunk numbered left - 1 is ours once the count drops past it.
        if (!untaken_.compare_exchange_weak(untaken, untaken - 1, std::memory_order_acquire))
            continue;
        const std::size_t first = (left - 1) * chunkSize_;
        const std::size_t last = std::min(end_, first + chunkSize_);
        if (kernel_(*arrays_, first, last))
            touching_.store(true, std::memory_order_relaxed);
        finished_.fetch_add(1, std::memory_order_release);
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

#include "engine/pairworker.h"

#include <chrono>

#include <immintrin.h>

namespace kosmolux {
namespace {

// Long enough to bridge the gap between two steps of a running system, short
// enough not to hold a core once the run stops or pauses.
constexpr auto SpinTime = std::chrono::microseconds(200);

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
    quit_ = true;
    requested_.fetch_add(1, std::memory_order_release);
    requested_.notify_one();
    thread_.join();
}

void PairWorker::Start(PairKernel kernel, PairArrays& arrays, std::size_t first, std::size_t last)
{
    kernel_ = kernel;
    arrays_ = &arrays;
    first_ = first;
    last_ = last;
    requested_.fetch_add(1, std::memory_order_release);
    requested_.notify_one();
}

bool PairWorker::Finish()
{
    const std::uint32_t request = requested_.load(std::memory_order_relaxed);
    std::uint32_t finished = done_.load(std::memory_order_acquire);
    while (finished != request)
        finished = AwaitChange(done_, finished);
    return touching_;
}

void PairWorker::Serve()
{
    std::uint32_t served = 0;
    for (;;) {
        served = AwaitChange(requested_, served);
        if (quit_)
            return;
        touching_ = kernel_(*arrays_, first_, last_);
        done_.store(served, std::memory_order_release);
        done_.notify_one();
    }
}

}  // namespace kosmolux

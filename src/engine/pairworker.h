#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "engine/pairarrays.h"

namespace kosmolux {

// A second thread that runs a pair kernel over part of the targets while the
// caller's thread does the rest. It lives as long as its owner, so a step
// pays for a hand-off, not for a thread start: it spins briefly for the next
// request and only then sleeps.
class PairWorker {
public:
    PairWorker();
    ~PairWorker();
    PairWorker(const PairWorker&) = delete;
    PairWorker& operator=(const PairWorker&) = delete;

    // Runs kernel(arrays, first, last) on the worker thread.
    void Start(PairKernel kernel, PairArrays& arrays, std::size_t first, std::size_t last);
    // Waits until the kernel of the last Start is done; returns its result.
    bool Finish();

private:
    void Serve();

    // The job, written by Start before it publishes a new request number.
    PairKernel kernel_ = nullptr;
    PairArrays* arrays_ = nullptr;
    std::size_t first_ = 0;
    std::size_t last_ = 0;
    bool touching_ = false;
    bool quit_ = false;

    std::atomic<std::uint32_t> requested_{0};
    std::atomic<std::uint32_t> done_{0};
    std::thread thread_;
};

}  // namespace kosmolux

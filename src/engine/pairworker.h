#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "engine/pairarrays.h"

namespace kosmolux {

// A second thread that shares pass 1 with the caller's thread. Both take
// chunks of target blocks from one counter until none are left, so a worker
// that is slow to get a core leaves its share to the caller instead of
// holding it up. The thread lives as long as its owner, so a step pays for a
// hand-off, not for a thread start: it spins briefly for the next request and
// only then sleeps.
class PairWorker {
public:
    PairWorker();
    ~PairWorker();
    PairWorker(const PairWorker&) = delete;
    PairWorker& operator=(const PairWorker&) = delete;

    // Runs kernel over the targets 0 to end - 1 (whole blocks) on both
    // threads; returns whether any target touches a source.
    bool Run(PairKernel kernel, PairArrays& arrays, std::size_t end);

private:
    void Serve();
    // Takes and runs chunks of one request until none are left.
    void Work(std::uint32_t request);

    // The job of the current request. Written before the request is
    // published; read only by a thread holding a chunk of it, while the
    // caller is still waiting for that chunk.
    PairKernel kernel_ = nullptr;
    PairArrays* arrays_ = nullptr;

    std::uint32_t lastRequest_ = 0;  // the caller's thread only
    // The request number in the high half, the blocks not yet taken in the low
    // half: a thread still busy with an old request cannot take a new chunk.
    std::atomic<std::uint64_t> untaken_{0};
    std::atomic<std::uint32_t> finished_{0};  // blocks of the current request done
    std::atomic<bool> touching_{false};
    std::atomic<std::uint32_t> request_{0};   // wakes the worker
    std::atomic<bool> quit_{false};
    std::thread thread_;
};

}  // namespace kosmolux

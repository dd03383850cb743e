#pragma once

namespace kosmolux {

// How pass 1 of a step computes the accelerations. Every choice gives the same
// bits; they differ only in speed.
enum class StepKernel {
    Fastest,  // the widest kernel this processor runs
    Bodies,   // the scalar pass straight over the live bodies
    Scalar,   // the scalar pass over the arrays gathered at the start of the step
    Avx2,     // four bodies at a time over the gathered arrays
    Avx512,   // eight bodies at a time over the gathered arrays
};

// Lets tests and benchmarks pin the kernel and the number of threads.
struct StepSettings {
    StepKernel Kernel = StepKernel::Fastest;
    // 1 or 2 threads; 0 picks two only for systems large enough to gain by it.
    int Threads = 0;
};

// Whether this processor (and its operating system) can run a kernel.
bool KernelAvailable(StepKernel kernel);

}  // namespace kosmolux

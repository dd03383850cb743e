#pragma once

#include <cstddef>
#include <vector>

namespace kosmolux {

// Pass 1 over plain arrays, gathered from the bodies at the start of a step.
// Sources are the bodies that pull (not lightweight), targets the bodies that
// are pulled (not locked); both keep system order. Index is a body's position
// in the system, so that a kernel can tell a body from itself.
struct PairArrays {
    // Targets are padded to a multiple of this with bodies at NaN positions,
    // which touch nothing and whose sums nobody reads.
    static constexpr std::size_t TargetBlock = 8;

    std::size_t SourceCount = 0;
    std::vector<double> SourceX;
    std::vector<double> SourceY;
    std::vector<double> SourceZ;
    std::vector<double> SourceMassG;  // Mass * G, the first product of every pair
    std::vector<double> SourceDiameter;
    std::vector<double> SourceIndex;

    std::size_t TargetCount = 0;  // without the padding
    std::size_t PaddedTargetCount() const
    {
        return (TargetCount + TargetBlock - 1) / TargetBlock * TargetBlock;
    }
    std::vector<double> TargetX;
    std::vector<double> TargetY;
    std::vector<double> TargetZ;
    std::vector<double> TargetDiameter;
    std::vector<double> TargetIndex;

    // The summed acceleration of each target, one entry per padded target.
    std::vector<double> AccelerationX;
    std::vector<double> AccelerationY;
    std::vector<double> AccelerationZ;
};

// Sums the accelerations of the targets first to last - 1 (a range of whole
// blocks) from all sources in order, skipping the target itself and every
// source it touches, exactly as the scalar pass does. Returns whether any of
// these targets touches a source.
using PairKernel = bool (*)(PairArrays& arrays, std::size_t first, std::size_t last);

bool PairKernelScalar(PairArrays& arrays, std::size_t first, std::size_t last);
// Only on processors with AVX2, and with AVX-512 (the F subset).
bool PairKernelAvx2(PairArrays& arrays, std::size_t first, std::size_t last);
bool PairKernelAvx512(PairArrays& arrays, std::size_t first, std::size_t last);

}  // namespace kosmolux

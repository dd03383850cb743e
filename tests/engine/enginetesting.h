#pragma once

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/calculations.h"
#include "engine/runobserver.h"
#include "engine/stepsettings.h"

namespace kosmolux {

// Remembers what a run told its observer.
class RecordingObserver : public RunObserver {
public:
    void BodiesCollide(const std::string& message) override { Messages.push_back(message); }
    void PlotBody(Planet& body) override { Plotted.push_back(body.PlanetName); }
    void BodyBecameNonFinite(const Planet& body) override { NonFinite.push_back(body.PlanetName); }

    std::vector<std::string> Messages;
    std::vector<std::string> Plotted;
    std::vector<std::string> NonFinite;
};

// The pull of a body of mass m at o on a body at b, written out in the order
// of CalcAcceleration.
inline Vector Pull(double m, const Vector& o, const Vector& b)
{
    const double dx = b.XComp - o.XComp;
    const double dy = b.YComp - o.YComp;
    const double dz = b.ZComp - o.ZComp;
    const double inv = 1.0 / std::sqrt(dx * dx + dy * dy + dz * dz);
    const double k = ((m * G) * inv) * inv;
    return Vector{(k * (o.XComp - b.XComp)) * inv, (k * (o.YComp - b.YComp)) * inv, (k * (o.ZComp - b.ZComp)) * inv};
}

inline std::string KernelName(StepKernel kernel)
{
    switch (kernel) {
    case StepKernel::Bodies: return "Bodies";
    case StepKernel::Scalar: return "Scalar";
    case StepKernel::Avx2: return "Avx2";
    case StepKernel::Avx512: return "Avx512";
    default: return "Fastest";
    }
}

// Every kernel this processor can run, the reference pass first.
inline std::vector<StepKernel> AvailableKernels()
{
    std::vector<StepKernel> kernels;
    for (StepKernel kernel : {StepKernel::Bodies, StepKernel::Scalar, StepKernel::Avx2,
                              StepKernel::Avx512})
        if (KernelAvailable(kernel))
            kernels.push_back(kernel);
    return kernels;
}

}  // namespace kosmolux

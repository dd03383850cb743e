#pragma once

#include <string>
#include <vector>

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

#include "engine/gravitystep.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <thread>

#include "engine/calculations.h"
#include "engine/pairworker.h"

namespace kosmolux {
namespace {

// Below this many pairs (about 256 bodies) a step is over before the
// hand-off to a second thread pays for itself.
constexpr std::size_t TwoThreadPairs = 65536;

StepKernel Resolve(StepKernel kernel)
{
    if (kernel == StepKernel::Fastest) {
        for (StepKernel widest : {StepKernel::Avx512, StepKernel::Avx2})
            if (KernelAvailable(widest))
                return widest;
        return StepKernel::Scalar;
    }
    if (!KernelAvailable(kernel))
        throw std::invalid_argument("GravityStep: this processor cannot run the chosen kernel");
    return kernel;
}

PairKernel KernelFunction(StepKernel kernel)
{
    switch (kernel) {
    case StepKernel::Scalar:
        return PairKernelScalar;
    case StepKernel::Avx2:
        return PairKernelAvx2;
    case StepKernel::Avx512:
        return PairKernelAvx512;
    default:
        return nullptr;
    }
}

bool IsFinite(const Vector& v)
{
    return std::isfinite(v.XComp) && std::isfinite(v.YComp) && std::isfinite(v.ZComp);
}

}  // namespace

bool KernelAvailable(StepKernel kernel)
{
    // Also checks that the operating system saves the wide registers.
    __builtin_cpu_init();
    switch (kernel) {
    case StepKernel::Avx2:
        return __builtin_cpu_supports("avx2");
    case StepKernel::Avx512:
        return __builtin_cpu_supports("avx512f");
    default:
        return true;
    }
}

GravityStep::GravityStep(StepSettings settings)
    : kernel_(Resolve(settings.Kernel)), pairKernel_(KernelFunction(kernel_)),
      threads_(settings.Threads), twoCores_(std::thread::hardware_concurrency() >= 2)
{
    if (threads_ < 0 || threads_ > 2)
        throw std::invalid_argument("GravityStep: 0, 1 or 2 threads");
}

GravityStep::~GravityStep() = default;

void GravityStep::Accelerate(Planets& system, ContactHandler* onContact)
{
    if (kernel_ == StepKernel::Bodies) {
        AccelerateBodies(system, onContact);
        return;
    }
    Gather(system);
    const bool touching = RunKernel();
    // A merge changes bodies in the middle of the pass, which only the scalar
    // pass over the live bodies can follow in the right order.
    if (touching && onContact) {
        ++scalarFallbacks_;
        AccelerateBodies(system, onContact);
        return;
    }
    Scatter();
}

bool GravityStep::RunKernel()
{
    const std::size_t end = arrays_.PaddedTargetCount();
    if (!UseTwoThreads())
        return pairKernel_(arrays_, 0, end);
    if (!worker_)
        worker_ = std::make_unique<PairWorker>();
    return worker_->Run(pairKernel_, arrays_, end);
}

bool GravityStep::UseTwoThreads() const
{
    if (threads_ != 0)
        return threads_ == 2;
    return twoCores_ && arrays_.TargetCount * arrays_.SourceCount >= TwoThreadPairs;
}

void GravityStep::AccelerateBodies(Planets& system, ContactHandler* onContact)
{
    Vector pull;
    for (int b = 1; b <= system.Count(); ++b) {
        Planet& body = system.Item(b);
        if (body.Locked)
            continue;
        body.TotalAcceleration = Vector{};
        for (int o = 1; o <= system.Count(); ++o) {
            Planet& other = system.Item(o);
            if (other.Id() == body.Id() || other.Lightweight)
                continue;
            if (CalcAcceleration(body, other, pull)) {
                if (onContact)
                    onContact->Touch(body, other);
                continue;
            }
            body.TotalAcceleration.Add(pull);
        }
    }
}

void GravityStep::Gather(Planets& system)
{
    PairArrays& a = arrays_;
    const auto count = static_cast<std::size_t>(system.Count());
    const std::size_t padded = (count + PairArrays::TargetBlock - 1) / PairArrays::TargetBlock
                               * PairArrays::TargetBlock;
    for (auto* array : {&a.SourceX, &a.SourceY, &a.SourceZ, &a.SourceMassG, &a.SourceDiameter,
                        &a.SourceIndex, &a.TargetX, &a.TargetY, &a.TargetZ, &a.TargetDiameter,
                        &a.TargetIndex, &a.AccelerationX, &a.AccelerationY, &a.AccelerationZ})
        array->resize(padded);
    targets_.resize(count);

    a.SourceCount = 0;
    a.TargetCount = 0;
    double index = 0.0;
    for (Planet& body : system) {
        if (!body.Lightweight) {
            const std::size_t s = a.SourceCount++;
            a.SourceX[s] = body.Position.XComp;
            a.SourceY[s] = body.Position.YComp;
            a.SourceZ[s] = body.Position.ZComp;
            a.SourceMassG[s] = body.Mass * G;
            a.SourceDiameter[s] = body.Diameter;
            a.SourceIndex[s] = index;
        }
        if (!body.Locked) {
            const std::size_t t = a.TargetCount++;
            a.TargetX[t] = body.Position.XComp;
            a.TargetY[t] = body.Position.YComp;
            a.TargetZ[t] = body.Position.ZComp;
            a.TargetDiameter[t] = body.Diameter;
            a.TargetIndex[t] = index;
            targets_[t] = &body;
        }
        index += 1.0;
    }
    constexpr double nowhere = std::numeric_limits<double>::quiet_NaN();
    for (std::size_t t = a.TargetCount; t < a.PaddedTargetCount(); ++t) {
        a.TargetX[t] = nowhere;
        a.TargetY[t] = nowhere;
        a.TargetZ[t] = nowhere;
        a.TargetDiameter[t] = 0.0;
        a.TargetIndex[t] = -1.0;
    }
}

void GravityStep::Scatter()
{
    for (std::size_t t = 0; t < arrays_.TargetCount; ++t)
        targets_[t]->TotalAcceleration = Vector{arrays_.AccelerationX[t], arrays_.AccelerationY[t],
                                                arrays_.AccelerationZ[t]};
}

bool GravityStep::Move(Planet& body, double timeStep)
{
    if (body.Locked)
        return true;
    Vector position = body.Position;
    Vector velocity = body.Velocity;
    MoveBody(position, velocity, body.TotalAcceleration, timeStep);
    body.TotalAcceleration = Vector{};
    if (!IsFinite(position) || !IsFinite(velocity))
        return false;
    body.Position = position;
    body.Velocity = velocity;
    return true;
}

bool GravityStep::Drift(Planet& body, double h)
{
    if (body.Locked)
        return true;
    const Vector& p = body.Position;
    const Vector& v = body.Velocity;
    const Vector moved{v.XComp * h + p.XComp, v.YComp * h + p.YComp, v.ZComp * h + p.ZComp};
    if (!IsFinite(moved))
        return false;
    body.Position = moved;
    return true;
}

bool GravityStep::Kick(Planet& body, double h)
{
    if (body.Locked)
        return true;
    const Vector& v = body.Velocity;
    const Vector& a = body.TotalAcceleration;
    const Vector kicked{a.XComp * h + v.XComp, a.YComp * h + v.YComp, a.ZComp * h + v.ZComp};
    body.TotalAcceleration = Vector{};
    if (!IsFinite(kicked))
        return false;
    body.Velocity = kicked;
    return true;
}

}  // namespace kosmolux

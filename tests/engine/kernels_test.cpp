#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/drift.h"
#include "engine/gravitystep.h"
#include "engine/runloop.h"
#include "model/planets.h"
#include "enginetesting.h"

namespace kosmolux {
namespace {

// A reproducible system of count bodies with every kind of body: locked,
// lightweight, both, and points of diameter 0. With touching, three pairs
// touch from the start: two ordinary bodies, a lightweight body and a locked
// one, and two points at one place.
void Populate(Planets& system, int count, bool touching)
{
    std::uint64_t state = 0x2545F4914F6CDD1DULL + static_cast<std::uint64_t>(count);
    const auto draw = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state >> 11) / 9007199254740992.0 - 0.5;
    };
    for (int i = 0; i < count; ++i) {
        Planet& body = system.Add("Body" + std::to_string(i), 1.0e24 * (1.5 + draw()),
                                  i % 5 == 2 ? 0.0 : 1.0e7 * (1.0 + draw()),
                                  1.0e11 * draw(), 1.0e11 * draw(), 1.0e10 * draw(),
                                  3.0e4 * draw(), 3.0e4 * draw(), 3.0e3 * draw());
        body.Locked = i % 7 == 3 || i % 13 == 6;
        body.Lightweight = i % 11 == 4 || i % 13 == 6;
    }
    if (!touching)
        return;
    const auto addNear = [&system](const std::string& name, double diameter, const Planet& near,
                                   double offset) -> Planet& {
        return system.Add(name, 3.0e23, diameter, near.Position.XComp + offset,
                          near.Position.YComp, near.Position.ZComp, 0.0, 0.0, 0.0);
    };
    Planet& first = system.Item(1);
    addNear("Impactor", 2.0e6, first, 0.5 * first.Diameter);
    Planet& anchor = system.Add("Anchor", 5.0e25, 3.0e7, 2.0e11, 0.0, 0.0, 0.0, 0.0, 0.0);
    anchor.Locked = true;
    addNear("Probe", 1.0, anchor, 1.0e7).Lightweight = true;
    Planet& point = system.Add("Point", 1.0e20, 0.0, -2.0e11, 1.0, 2.0, 0.0, 0.0, 0.0);
    addNear("Twin", 0.0, point, 0.0);
}

// Every double of every body in system order; every name and flag, and the
// messages of the run.
struct Snapshot {
    std::vector<double> Numbers;
    std::vector<std::string> Texts;
};

void ExpectSameBits(const Snapshot& expected, const Snapshot& actual)
{
    ASSERT_EQ(expected.Texts, actual.Texts);
    ASSERT_EQ(expected.Numbers.size(), actual.Numbers.size());
    for (std::size_t i = 0; i < expected.Numbers.size(); ++i)
        if (std::memcmp(&expected.Numbers[i], &actual.Numbers[i], sizeof(double)) != 0)
            FAIL() << "first different double at " << i << ": " << expected.Numbers[i]
                   << " against " << actual.Numbers[i];
}

struct IgnoreContacts : ContactHandler {
    void Touch(Planet&, Planet&) override {}
};

// A run that starts by removing the drift, whose trial step skips contacts,
// with a plotted step every fourth step, so that histories grow too. Each of
// the three touching pairs merges once. It ends with one more pass 1: the
// velocities round away the last bits of an acceleration, the sums themselves
// keep them. No pair touches any more, so that pass must not fall back to the
// scalar pass over the bodies.
Snapshot RunSystem(int count, bool touching, int steps, StepSettings settings)
{
    IdentityCounter ids;
    Planets system(ids);
    Populate(system, count, touching);
    RemoveDrift(system, 4096, settings);
    RecordingObserver observer;
    RunLoop loop(system, observer, settings);
    loop.Begin();
    for (int i = 0; i < steps; ++i)
        EXPECT_TRUE(loop.Step(1024, 3600));
    EXPECT_EQ(observer.Messages.size(), touching ? 3u : 0u);
    IgnoreContacts ignore;
    GravityStep last(settings);
    last.Accelerate(system, &ignore);
    EXPECT_EQ(last.ScalarFallbacks(), 0);
    Snapshot shot{{}, observer.Messages};
    for (const Planet& body : system) {
        for (const Vector& v : {body.Position, body.Velocity, body.TotalAcceleration})
            shot.Numbers.insert(shot.Numbers.end(), {v.XComp, v.YComp, v.ZComp});
        shot.Numbers.insert(shot.Numbers.end(), {body.Mass, body.Diameter});
        for (const Vector& v : body.History)
            shot.Numbers.insert(shot.Numbers.end(), {v.XComp, v.YComp, v.ZComp});
        shot.Texts.push_back(body.PlanetName + (body.Locked ? " locked" : "")
                             + (body.Lightweight ? " lightweight" : ""));
    }
    return shot;
}

std::vector<StepSettings> FastVariants()
{
    std::vector<StepSettings> variants;
    for (StepKernel kernel : AvailableKernels())
        if (kernel != StepKernel::Bodies)
            for (int threads : {1, 2})
                variants.push_back(StepSettings{kernel, threads});
    return variants;
}

// Three pairs touch from the start in the systems with contacts: each merge
// must come in the order and with the bits of the scalar step.
TEST(KernelBitsTest, EveryKernelAndThreadCountGivesTheBitsOfTheScalarStep)
{
    const StepSettings reference{StepKernel::Bodies, 1};
    for (const bool touching : {false, true}) {
        for (int count : touching ? std::vector<int>{1, 9, 100} : std::vector<int>{1, 2, 7, 8, 9, 100, 1000}) {
            const int steps = touching ? 12 : count >= 1000 ? 8 : 30000 / (count + 20);
            const Snapshot expected = RunSystem(count, touching, steps, reference);
            for (const StepSettings& variant : FastVariants()) {
                SCOPED_TRACE(std::to_string(count) + " bodies, " + KernelName(variant.Kernel) + " on "
                             + std::to_string(variant.Threads) + " thread(s)");
                ExpectSameBits(expected, RunSystem(count, touching, steps, variant));
            }
        }
    }
}

}  // namespace
}  // namespace kosmolux

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include "app/run/headlessrun.h"
#include "app/run/silentcentrelist.h"
#include "platform/scripteddialogservice.h"
#include "storage/globals.h"
#include "storage/systemfile.h"

namespace kosmolux {
namespace {

constexpr std::int64_t ThousandDaysOfDefaultSteps = 1000 * 86400 / 128;

QString ExamplePath(const char* name) { return QStringLiteral(KOSMOLUX_EXAMPLES_DIR "/") + name; }

// An example loaded as the runner loads it.
class Example {
public:
    explicit Example(const char* name)
    {
        SilentCentreList centres;
        LoadSystem(globals, dialogs, centres, ExamplePath(name));
    }

    Planets& System() { return *globals.CurrentSystem; }

    Globals globals;
    ScriptedDialogService dialogs;
};

TEST(Examples, LoadAndSaveGiveBackTheSameBytes)
{
    for (const char* name : {"Solar.kmx", "EarthMoon.kmx", "BinaryStar.kmx", "Collision.kmx"}) {
        Example example(name);
        ASSERT_TRUE(example.globals.SystemLoaded) << name;
        EXPECT_TRUE(example.dialogs.Calls.empty()) << name;
        QFile file(ExamplePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        EXPECT_EQ(SystemFileContents(example.globals), file.readAll()) << name;
    }
}

// Every body with a parent, at every plotted step of 1,000 days at the default
// speed, stays within a factor of two of its first distance from that parent.
void ExpectStableFor1000Days(const char* name, int bodies)
{
    Example example(name);
    Planets& system = example.System();
    ASSERT_EQ(system.Count(), bodies) << name;
    struct Orbit {
        const Planet* body;
        const Planet* parent;
        double start;
        double least;
        double most;
    };
    std::vector<Orbit> orbits;
    for (const Planet& body : system) {
        if (const Planet* parent = body.Parent < 0 ? nullptr : system.FindById(body.Parent)) {
            const double start = body.Position.DistanceFrom(parent->Position);
            orbits.push_back({&body, parent, start, start, start});
        }
    }
    ASSERT_EQ(static_cast<int>(orbits.size()), bodies - 1) << name;

    std::vector<std::string> messages;
    HeadlessRun run(system, [&](const std::string& line) { messages.push_back(line); });
    int plottedSteps = 0;
    EXPECT_TRUE(run.Run(7, 3, ThousandDaysOfDefaultSteps, [&](std::int64_t) {
        if (!run.LastStepPlotted())
            return;
        ++plottedSteps;
        for (Orbit& orbit : orbits) {
            const double distance = orbit.body->Position.DistanceFrom(orbit.parent->Position);
            orbit.least = std::min(orbit.least, distance);
            orbit.most = std::max(orbit.most, distance);
        }
    }));

    EXPECT_TRUE(messages.empty()) << name << ": " << messages.front();
    EXPECT_EQ(system.Count(), bodies) << name;
    EXPECT_EQ(plottedSteps, 3994) << name;  // steps 170, 339, ... up to 675,000
    for (const Orbit& orbit : orbits) {
        EXPECT_GT(orbit.least, orbit.start / 2) << name << ": " << orbit.body->PlanetName;
        EXPECT_LT(orbit.most, orbit.start * 2) << name << ": " << orbit.body->PlanetName;
    }
}

TEST(Examples, SolarSystemKeepsItsOrbitsFor1000Days) { ExpectStableFor1000Days("Solar.kmx", 11); }

TEST(Examples, EarthMoonKeepsItsOrbitFor1000Days) { ExpectStableFor1000Days("EarthMoon.kmx", 2); }

TEST(Examples, BinaryStarKeepsItsOrbitsFor1000Days) { ExpectStableFor1000Days("BinaryStar.kmx", 4); }

TEST(Examples, CollisionMergesWithinFiveDays)
{
    Example example("Collision.kmx");
    std::vector<std::string> messages;
    std::int64_t mergeStep = 0;
    HeadlessRun run(example.System(), [&](const std::string& line) { messages.push_back(line); });
    EXPECT_TRUE(run.Run(7, 3, 5 * 86400 / 128, [&](std::int64_t stepsDone) {
        if (mergeStep == 0 && !messages.empty())
            mergeStep = stepsDone;
    }));

    EXPECT_EQ(messages, std::vector<std::string>{"Moon collided with Earth!"});
    EXPECT_EQ(mergeStep, 3254);  // day 4.8
    ASSERT_EQ(example.System().Count(), 1);
    EXPECT_EQ(example.System().Item(1).PlanetName, "Earth & Moon");
}

}  // namespace
}  // namespace kosmolux

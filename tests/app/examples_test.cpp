#include <algorithm>
#include <string>
#include <utility>
#include <vector>

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

QString ExamplePath(const char* name) { return QStringLiteral(KOSMOLUX_EXAMPLES_DIR "/") + name; }

// An example loaded as the runner loads it.
struct Example {
    explicit Example(const char* name)
    {
        SilentCentreList centres;
        LoadSystem(globals, dialogs, centres, ExamplePath(name));
    }

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

// Every body with a parent, at every step of 1,000 days at the default
// speed, stays within a factor of two of its first distance from that parent,
// and no two bodies merge. Collision.kmx is the example that merges.
TEST(Examples, OrbitsStayWithinAFactorOfTwoFor1000Days)
{
    for (const auto& [name, bodies] : {std::pair{"Solar.kmx", 11}, {"EarthMoon.kmx", 2}, {"BinaryStar.kmx", 4}}) {
        Example example(name);
        Planets& system = *example.globals.CurrentSystem;
        ASSERT_EQ(system.Count(), bodies) << name;
        struct Orbit { const Planet* body; const Planet* parent; double start, least, most; };
        std::vector<Orbit> orbits;
        for (const Planet& body : system) {
            if (const Planet* parent = system.FindById(body.Parent)) {
                const double start = body.Position.DistanceFrom(parent->Position);
                orbits.push_back({&body, parent, start, start, start});
            }
        }
        ASSERT_EQ(static_cast<int>(orbits.size()), bodies - 1) << name;

        std::vector<std::string> messages;
        HeadlessRun run(system, [&](const std::string& line) { messages.push_back(line); });
        EXPECT_TRUE(run.Run(7, 3, 1000 * 86400 / 128, [&](std::int64_t) {
            for (Orbit& orbit : orbits) {
                const double distance = orbit.body->Position.DistanceFrom(orbit.parent->Position);
                orbit.least = std::min(orbit.least, distance);
                orbit.most = std::max(orbit.most, distance);
            }
        }));

        EXPECT_EQ(messages, std::vector<std::string>{}) << name;
        EXPECT_EQ(system.Count(), bodies) << name;
        for (const Orbit& orbit : orbits) {
            EXPECT_GT(orbit.least, orbit.start / 2) << name << ": " << orbit.body->PlanetName;
            EXPECT_LT(orbit.most, orbit.start * 2) << name << ": " << orbit.body->PlanetName;
        }
    }
}

}  // namespace
}  // namespace kosmolux

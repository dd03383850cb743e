#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <QDir>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/run/headlessrun.h"
#include "app/run/silentcentrelist.h"
#include "platform/scripteddialogservice.h"
#include "storage/filebytes.h"
#include "storage/globals.h"
#include "storage/systemfile.h"
#include "support/localeguard.h"

namespace kosmolux {
namespace {

QString ExamplePath(const QString& name) { return QStringLiteral(KOSMOLUX_EXAMPLES_DIR "/") + name; }

// An example loaded as the runner loads it; a path loads another file.
struct Example {
    explicit Example(const char* name) : Example(ExamplePath(QString::fromLatin1(name))) {}
    explicit Example(const QString& path)
    {
        SilentCentreList centres;
        LoadSystem(globals, dialogs, centres, path);
    }

    Globals globals;
    ScriptedDialogService dialogs;
};

// Every number of a loaded system and its start date, as bits.
std::vector<std::uint64_t> LoadedBits(const Example& example)
{
    std::vector<std::uint64_t> bits{static_cast<std::uint64_t>(example.globals.StartDate.toJulianDay())};
    for (const Planet& body : *example.globals.CurrentSystem)
        for (const double value : {double(body.Mass), body.Diameter, body.Position.XComp, body.Position.YComp,
                                   body.Position.ZComp, body.Velocity.XComp, body.Velocity.YComp,
                                   body.Velocity.ZComp})
            bits.push_back(std::bit_cast<std::uint64_t>(value));
    return bits;
}

// Each example, written in English, saves again to the same bytes there and
// loads to the same bits in every locale; what each locale writes loads back
// to them in English.
TEST(Examples, LoadToTheSameBitsInEveryLocaleAndSaveToTheSameBytes)
{
    const QTemporaryDir folder;
    const QString written = folder.filePath("Written.kmx");
    const QStringList names = QDir(QStringLiteral(KOSMOLUX_EXAMPLES_DIR)).entryList({"*.kmx"}, QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        const Example english(ExamplePath(name));
        ASSERT_TRUE(english.globals.SystemLoaded) << name.toStdString();
        EXPECT_TRUE(english.dialogs.Calls.empty()) << name.toStdString();
        EXPECT_EQ(SystemFileContents(english.globals), ReadBytes(ExamplePath(name))) << name.toStdString();
        for (const QLocale& language : {QLocale(QLocale::German, QLocale::Germany),
                                        QLocale(QLocale::French, QLocale::France), QLocale::c()}) {
            const std::string where = name.toStdString() + " " + language.name().toStdString();
            {
                const LocaleGuard locale(language);
                Example other(ExamplePath(name));
                EXPECT_TRUE(other.dialogs.Calls.empty()) << where;
                EXPECT_EQ(LoadedBits(other), LoadedBits(english)) << where;
                ASSERT_TRUE(SaveSystem(other.globals, other.dialogs, written)) << where;
            }
            EXPECT_EQ(LoadedBits(Example(written)), LoadedBits(english)) << where;
        }
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
        for (const Orbit& orbit : orbits) {
            EXPECT_GT(orbit.least, orbit.start / 2) << name << ": " << orbit.body->PlanetName;
            EXPECT_LT(orbit.most, orbit.start * 2) << name << ": " << orbit.body->PlanetName;
        }
    }
}

}  // namespace
}  // namespace kosmolux

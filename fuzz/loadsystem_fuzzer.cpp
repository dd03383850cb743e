// LoadSystem on arbitrary bytes: it ends with a loaded system, an unchanged
// one or an error message, never with a crash, and lists the values it could
// not read; what it loaded is sound; and a save of what it loaded loads back
// to the same bodies.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QLocale>
#include <QSet>
#include <QTemporaryDir>

#include "fuzzcheck.h"
#include "platform/programerror.h"
#include "platform/scripteddialogservice.h"
#include "platform/textformats.h"
#include "storage/bodyname.h"
#include "storage/inidocument.h"
#include "storage/sciformat.h"
#include "storage/systemfile.h"

namespace kosmolux {
namespace {

class CountingCentreList : public CentreList {
public:
    void ClearCentres() override { entries.clear(); }
    void AddCentre(const QString& name, std::int32_t itemData) override { entries.emplace_back(name, itemData); }
    void SelectFirstCentre() override { ++firstSelections; }

    std::vector<std::pair<QString, std::int32_t>> entries;
    int firstSelections = 0;
};

const QDate DateBefore(1999, 1, 1);
// How the message that lists the values a load could not read begins.
const QString UnreadableHeading = QStringLiteral("These values could not be read");
constexpr int MostBodies = 100;

// A program that has loaded a system before: one body named "Before".
void MakeSystemBefore(Globals& globals)
{
    globals.StartDate = DateBefore;
    Planets& system = globals.EnsureSystem();
    system.Add("Before", 7.0, 7.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    system.SystemName = "Before.kmx";
    globals.SystemLoaded = true;
}

bool Unchanged(const Globals& globals, const CountingCentreList& centres)
{
    const Planets& system = *globals.CurrentSystem;
    return system.Count() == 1 && system.Item(1).PlanetName == "Before" && system.SystemName == "Before.kmx" &&
           globals.StartDate == DateBefore && centres.entries.empty() && centres.firstSelections == 0;
}

// The number of bodies the file announces, by the rule of its count.
int AnnouncedCount(const QByteArray& bytes)
{
    const QString text =
        IniDocument::Parse(bytes).GetValue(QStringLiteral("General"), QStringLiteral("TotalBodies"), {});
    try {
        return text::IsNumeric(text) ? text::ToInt16(text) : 0;
    } catch (const ProgramError&) {
        return 0;
    }
}

bool IsFinite(const Vector& v)
{
    return std::isfinite(v.XComp) && std::isfinite(v.YComp) && std::isfinite(v.ZComp);
}

void CheckBodies(const Planets& system)
{
    for (const Planet& body : system) {
        Require(std::isfinite(body.Mass) && std::isfinite(body.Diameter) && IsFinite(body.Position) &&
                    IsFinite(body.Velocity),
                "every number read is finite");
        Require(body.Parent == -1 || system.FindById(body.Parent) != nullptr, "a parent is a body of the system");
    }
}

void CheckCentres(const Planets& system, const CountingCentreList& centres)
{
    Require(centres.firstSelections == 1, "a load selects the grid origin once");
    Require(centres.entries.size() == static_cast<std::size_t>(system.Count()) + 1,
            "the centre list holds the grid origin and every body");
    Require(centres.entries[0] == std::make_pair(QStringLiteral("Grid Origin"), -1), "the grid origin comes first");
    for (int i = 1; i <= system.Count(); ++i)
        Require(centres.entries[static_cast<std::size_t>(i)] ==
                    std::make_pair(QString::fromStdString(system.Item(i).PlanetName), system.Item(i).Id()),
                "each body's entry carries its name and Id");
}

// The position of a body's parent, 0 for none: Ids differ from load to load.
int ParentPosition(const Planets& system, const Planet& body)
{
    for (int i = 1; i <= system.Count(); ++i)
        if (system.Item(i).Id() == body.Parent)
            return i;
    return 0;
}

// Bodies whose names differ only in letter case share one section of the file.
bool NamesShareSections(const Planets& system)
{
    QSet<QString> folded;
    for (const Planet& body : system)
        folded.insert(QString::fromStdString(body.PlanetName).toCaseFolded());
    return folded.size() != system.Count();
}

bool SameNumber(double loaded, double reloaded)
{
    return SciFormat(loaded) == SciFormat(reloaded) && std::fabs(loaded - reloaded) <= 1e-14 * std::fabs(loaded);
}

void CheckSameBodies(const Planets& loaded, const Planets& reloaded)
{
    Require(reloaded.Count() == loaded.Count(), "a saved system loads back with all its bodies");
    const bool shared = NamesShareSections(loaded);
    for (int i = 1; i <= loaded.Count(); ++i) {
        const Planet& a = loaded.Item(i);
        const Planet& b = reloaded.Item(i);
        Require(a.PlanetName == b.PlanetName, "a saved name loads back");
        if (shared)
            continue;
        Require(SameNumber(a.Mass, b.Mass) && SameNumber(a.Diameter, b.Diameter) &&
                    SameNumber(a.Position.XComp, b.Position.XComp) &&
                    SameNumber(a.Position.YComp, b.Position.YComp) &&
                    SameNumber(a.Position.ZComp, b.Position.ZComp) &&
                    SameNumber(a.Velocity.XComp, b.Velocity.XComp) &&
                    SameNumber(a.Velocity.YComp, b.Velocity.YComp) && SameNumber(a.Velocity.ZComp, b.Velocity.ZComp),
                "saved numbers load back to 15 digits");
        Require(a.HiColor == b.HiColor && a.LoColor == b.LoColor && a.Lightweight == b.Lightweight &&
                    a.Locked == b.Locked,
                "saved colours and flags load back");
        Require(ParentPosition(loaded, a) == ParentPosition(reloaded, b), "a saved parent loads back");
    }
}

bool AnyNameUnstorable(const Planets& system)
{
    for (const Planet& body : system)
        if (!BodyNameProblem(QString::fromStdString(body.PlanetName)).isEmpty())
            return true;
    return false;
}

void CheckSaveAndReload(Globals& globals, const QString& copy)
{
    ScriptedDialogService dialogs;
    const bool storable = !AnyNameUnstorable(*globals.CurrentSystem);
    Require(SaveSystem(globals, dialogs, copy) == storable, "a system saves unless a name cannot be stored");
    if (!storable) {
        Require(dialogs.Calls.size() == 1 && dialogs.Calls[0].title == QStringLiteral("SaveSystem"),
                "a refused save says so once");
        return;
    }
    Require(dialogs.Calls.empty(), "a save that works shows nothing");

    Globals again;
    again.StartDate = QDate(1970, 1, 1);
    CountingCentreList centres;
    LoadSystem(again, dialogs, centres, copy);
    Require(dialogs.Calls.empty(), "a saved file loads without a message");
    if (globals.CurrentSystem->Count() == 0) {
        Require(!again.SystemLoaded, "a saved empty system loads as nothing");
        return;
    }
    Require(again.SystemLoaded, "a saved system loads");
    Require(again.StartDate == globals.StartDate, "a saved start date loads back");
    CheckSameBodies(*globals.CurrentSystem, *again.CurrentSystem);
    Require(SystemFileContents(again) == SystemFileContents(globals), "a reloaded system saves to the same bytes");
}

}  // namespace
}  // namespace kosmolux

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kosmolux;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const int count = AnnouncedCount(bytes);
    // Thousands of bodies take seconds under the sanitizers and show nothing
    // that a hundred do not; the limits test loads the largest count.
    if (count > MostBodies)
        return 0;
    static const QTemporaryDir folder;
    const QString input = folder.filePath(QStringLiteral("Input.kmx"));
    {
        QFile file(input);
        Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
                "the input file is written");
    }

    Globals globals;
    MakeSystemBefore(globals);
    ScriptedDialogService dialogs;
    CountingCentreList centres;
    const bool complete = LoadSystem(globals, dialogs, centres, input);

    CheckBodies(*globals.CurrentSystem);
    Require(complete == dialogs.Calls.empty(), "a load that tells of a problem says it was not complete");
    Require(dialogs.Calls.size() <= 2, "a load shows at most an error and the list of values it could not read");
    for (const ScriptedDialogService::Call& call : dialogs.Calls)
        Require(call.title == QStringLiteral("LoadSystem"), "a load's messages are titled LoadSystem");
    const bool listed = !dialogs.Calls.empty() && dialogs.Calls.back().text.startsWith(UnreadableHeading);
    if (dialogs.Calls.size() > (listed ? 1u : 0u)) {
        Require(!globals.SystemLoaded, "a failed load leaves no system loaded");
        return 0;
    }
    if (count == 0) {
        Require(Unchanged(globals, centres) && globals.SystemLoaded, "a file without bodies changes nothing");
        return 0;
    }
    Require(globals.SystemLoaded, "a load that works leaves the system loaded");
    Require(globals.CurrentSystem->Count() == std::max(count, 0), "a load reads the bodies the file announces");
    Require(globals.CurrentSystem->SystemName == "Input.kmx", "the system is named after its file");
    CheckCentres(*globals.CurrentSystem, centres);
    CheckSaveAndReload(globals, folder.filePath(QStringLiteral("Copy.kmx")));
    return 0;
}

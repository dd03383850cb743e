#include "storage/systemfile.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/programerror.h"
#include "platform/textformats.h"
#include "storage/bodyname.h"
#include "storage/diskfile.h"
#include "storage/inidocument.h"
#include "storage/sciformat.h"
#include "storage/unreadablevalues.h"

namespace kosmolux {

namespace {

const QString SystemSection = QStringLiteral("System");
const QString GeneralSection = QStringLiteral("General");
const QString NoParent = QStringLiteral("(none)");
const QString MethodKey = QStringLiteral("Method");

void ShowError(DialogService& dialogs, const ProgramError& error, const QString& title)
{
    dialogs.MessageBox(error.MessageText(), title, DialogService::Icon::None, DialogService::Buttons::Ok);
}

QString FlagText(bool flag)
{
    return flag ? QStringLiteral("Y") : QStringLiteral("N");
}

// A name as a message quotes it: long names by their start only.
QString QuotedName(const QString& name)
{
    constexpr qsizetype longest = 40;
    if (name.size() <= longest)
        return name;
    qsizetype length = longest;
    if (name[length - 1].isHighSurrogate())
        --length;
    return name.first(length) + QStringLiteral("...");
}

// The parent's name, or "(none)" also for a parent no longer in the system.
QString ParentName(const Planets& system, const Planet& body)
{
    const Planet* parent = body.Parent < 0 ? nullptr : system.FindById(body.Parent);
    return parent ? QString::fromStdString(parent->PlanetName) : NoParent;
}

void WriteBody(IniDocument& file, const Planets& system, const Planet& body, const QString& name)
{
    file.SetValue(name, QStringLiteral("Mass"), SciFormat(body.Mass));
    file.SetValue(name, QStringLiteral("Diameter"), SciFormat(body.Diameter));
    file.SetValue(name, QStringLiteral("X"), SciFormat(body.Position.XComp));
    file.SetValue(name, QStringLiteral("Y"), SciFormat(body.Position.YComp));
    file.SetValue(name, QStringLiteral("Z"), SciFormat(body.Position.ZComp));
    file.SetValue(name, QStringLiteral("VX"), SciFormat(body.Velocity.XComp));
    file.SetValue(name, QStringLiteral("VY"), SciFormat(body.Velocity.YComp));
    file.SetValue(name, QStringLiteral("VZ"), SciFormat(body.Velocity.ZComp));
    file.SetValue(name, QStringLiteral("HiColor"), QString::number(body.HiColor));
    file.SetValue(name, QStringLiteral("LoColor"), QString::number(body.LoColor));
    file.SetValue(name, QStringLiteral("Lightweight"), FlagText(body.Lightweight));
    file.SetValue(name, QStringLiteral("Locked"), FlagText(body.Locked));
    file.SetValue(name, QStringLiteral("Parent"), ParentName(system, body));
}

// A number of the file. A value that is there but is no number takes the
// missing key's default and is recorded; one too large for a double stops
// the load (Overflow).
double ReadNumber(const IniDocument& file, const QString& section, const QString& key, double missing,
                  UnreadableValues& unreadable)
{
    const QString text = file.GetValue(section, key, QString());
    if (text::IsNumeric(text))
        return text::ToDouble(text);
    if (file.HasValue(section, key))
        unreadable.Record(section, key, text);
    return missing;
}

// A colour: as a number, rounded to a 32-bit integer; out of range stops the load.
Colour ReadColour(const IniDocument& file, const QString& section, const QString& key,
                  UnreadableValues& unreadable)
{
    const QString text = file.GetValue(section, key, QString());
    if (text::IsNumeric(text))
        return text::ToInt32(text);
    if (file.HasValue(section, key))
        unreadable.Record(section, key, text);
    return 0;
}

bool ReadFlag(const IniDocument& file, const QString& section, const QString& key)
{
    return file.GetValue(section, key, QStringLiteral("N")) == QStringLiteral("Y");
}

void ReadBodies(const IniDocument& file, int count, Planets& system, CentreList& centres,
                UnreadableValues& unreadable)
{
    for (int i = 1; i <= count; ++i) {
        const QString name =
            file.GetValue(SystemSection, QString::number(i), QStringLiteral("Unnamed") + QString::number(i));
        const auto number = [&](const QString& key, double missing) {
            return ReadNumber(file, name, key, missing, unreadable);
        };
        const double mass = number(QStringLiteral("Mass"), 1.0);          // kg
        const double diameter = number(QStringLiteral("Diameter"), 1.0);  // metres
        const double x = number(QStringLiteral("X"), 0.0);    // metres
        const double y = number(QStringLiteral("Y"), 0.0);
        const double z = number(QStringLiteral("Z"), 0.0);
        const double vx = number(QStringLiteral("VX"), 0.0);  // metres per second
        const double vy = number(QStringLiteral("VY"), 0.0);
        const double vz = number(QStringLiteral("VZ"), 0.0);
        const Colour hiColor = ReadColour(file, name, QStringLiteral("HiColor"), unreadable);
        const Colour loColor = ReadColour(file, name, QStringLiteral("LoColor"), unreadable);
        const bool lightweight = ReadFlag(file, name, QStringLiteral("Lightweight"));
        const bool locked = ReadFlag(file, name, QStringLiteral("Locked"));

        Planet& body = system.Add(name.toStdString(), mass, diameter, x, y, z, vx, vy, vz);
        body.HiColor = hiColor;
        body.LoColor = loColor;
        body.Lightweight = lightweight;
        body.Locked = locked;
        // No parent until they are resolved: a load that stops before that
        // must not leave a body pointing at whichever body has Id 0.
        body.Parent = -1;
        centres.AddCentre(name, body.Id());
    }
}

// Parents are stored by name: the last body of that exact name wins.
void ResolveParents(const IniDocument& file, Planets& system)
{
    std::unordered_map<std::string, std::int32_t> lastBodyNamed;
    for (const Planet& body : system)
        lastBodyNamed[body.PlanetName] = body.Id();
    for (Planet& body : system) {
        const QString parentName =
            file.GetValue(QString::fromStdString(body.PlanetName), QStringLiteral("Parent"), NoParent);
        const auto parent = lastBodyNamed.find(parentName.toStdString());
        body.Parent = parent == lastBodyNamed.end() ? -1 : parent->second;
    }
}

// The method of stepping; a file without the key is Classic.
StepMethod ReadMethod(const IniDocument& file, UnreadableValues& unreadable)
{
    const QString classic = QString::fromLatin1(MethodName(StepMethod::Classic));
    const QString text = file.GetValue(GeneralSection, MethodKey, classic);
    if (const std::optional<StepMethod> method = MethodNamed(text.toStdString()))
        return *method;
    // Any other text is an unreadable value and takes the default of a missing key.
    unreadable.Record(GeneralSection, MethodKey, text);
    return StepMethod::Classic;
}

void ReadSystem(Globals& globals, CentreList& centres, const IniDocument& file, const QString& systemName,
                UnreadableValues& unreadable)
{
    const QString countKey = QStringLiteral("TotalBodies");
    const QString countText = file.GetValue(GeneralSection, countKey, QStringLiteral("0"));
    int count = 0;
    if (text::IsNumeric(countText))
        count = text::ToInt16(countText);
    else
        unreadable.Record(GeneralSection, countKey, countText);
    if (count == 0)
        return;
    const QString dateKey = QStringLiteral("StartDate");
    const QString dateText = file.GetValue(GeneralSection, dateKey, text::FormatShortDate(text::Today()));
    if (const std::optional<QDate> date = text::ParseDate(dateText)) {
        globals.StartDate = *date;
    } else {
        unreadable.Record(GeneralSection, dateKey, dateText);
        globals.StartDate = text::Today();
    }
    globals.Method = ReadMethod(file, unreadable);

    Planets& system = globals.EnsureSystem();
    while (system.Count() > 0)
        system.Remove(system.Count());
    system.SystemName = systemName.toStdString();
    centres.ClearCentres();
    centres.AddCentre(QStringLiteral("Grid Origin"), -1);
    ReadBodies(file, count, system, centres, unreadable);
    ResolveParents(file, system);
    centres.SelectFirstCentre();
    // Last: the window's reaction to the selection above still sees the value from before.
    globals.SystemLoaded = true;
}

}  // namespace

QString FileNameFromPath(const QString& path)
{
    const qsizetype separator = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.sliced(separator + 1);
}

QByteArray SystemFileContents(const Globals& globals)
{
    IniDocument file;
    if (globals.CurrentSystem) {
        const Planets& system = *globals.CurrentSystem;
        if (system.Count() > std::numeric_limits<std::int16_t>::max())
            throw ProgramError(QStringLiteral("Overflow"), ProgramError::Overflow);
        int n = 0;
        for (const Planet& body : system) {
            const QString name = QString::fromStdString(body.PlanetName);
            const QString problem = BodyNameProblem(name);
            if (!problem.isEmpty())
                throw ProgramError(
                    QStringLiteral("The body \"%1\" cannot be saved. %2").arg(QuotedName(name), problem),
                    UnstorableNameError);
            ++n;
            file.SetValue(SystemSection, QString::number(n), name);
            file.SetValue(GeneralSection, QStringLiteral("TotalBodies"), QString::number(n));
            WriteBody(file, system, body, name);
        }
    }
    file.SetValue(GeneralSection, QStringLiteral("StartDate"), text::FormatShortDate(globals.StartDate));
    // Classic writes no key: files of the default method keep their bytes.
    if (globals.Method != StepMethod::Classic)
        file.SetValue(GeneralSection, MethodKey, QString::fromLatin1(MethodName(globals.Method)));
    return file.Serialize();
}

bool SaveSystem(Globals& globals, DialogService& dialogs, const QString& fileName)
{
    try {
        ReplaceFile(fileName, SystemFileContents(globals));
    } catch (const ProgramError& error) {
        ShowError(dialogs, error, QStringLiteral("SaveSystem"));
        return false;
    }
    // Only a system that was written takes the file's name.
    if (globals.CurrentSystem)
        globals.CurrentSystem->SystemName = FileNameFromPath(fileName).toStdString();
    return true;
}

bool LoadSystem(Globals& globals, DialogService& dialogs, CentreList& centres, const QString& fileName)
{
    IniDocument file;
    try {
        // A missing file reads as an empty one.
        file = IniDocument::Parse(ReadFileIfPresent(fileName).value_or(QByteArray()));
    } catch (const ProgramError& error) {
        // Nothing has been touched: the system in memory stays as it was, and loaded.
        ShowError(dialogs, error, QStringLiteral("LoadSystem"));
        return false;
    }
    UnreadableValues unreadable;
    bool complete = true;
    try {
        ReadSystem(globals, centres, file, FileNameFromPath(fileName), unreadable);
    } catch (const ProgramError& error) {
        globals.SystemLoaded = false;
        ShowError(dialogs, error, QStringLiteral("LoadSystem"));
        complete = false;
    }
    if (!unreadable.IsEmpty()) {
        dialogs.MessageBox(unreadable.MessageText(), QStringLiteral("LoadSystem"), DialogService::Icon::None,
                           DialogService::Buttons::Ok);
        complete = false;
    }
    return complete;
}

}  // namespace kosmolux

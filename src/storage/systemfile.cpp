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

// The values a body takes from the file. A garbled number keeps the value of
// the body read before, so they live across the whole load.
struct BodyValues {
    double mass = 0.0;      // kg
    double diameter = 0.0;  // metres
    double x = 0.0, y = 0.0, z = 0.0;     // metres
    double vx = 0.0, vy = 0.0, vz = 0.0;  // metres per second
    Colour hiColor = 0;
    Colour loColor = 0;
};

void ReadNumber(const IniDocument& file, const QString& section, const QString& key,
                const QString& defaultText, double& variable)
{
    const QString text = file.GetValue(section, key, defaultText);
    if (text::IsNumeric(text))
        variable = text::ToDouble(text);
}

void ReadNumber(const IniDocument& file, const QString& section, const QString& key,
                const QString& defaultText, Colour& variable)
{
    const QString text = file.GetValue(section, key, defaultText);
    if (text::IsNumeric(text))
        variable = text::ToInt32(text);
}

bool ReadFlag(const IniDocument& file, const QString& section, const QString& key)
{
    return file.GetValue(section, key, QStringLiteral("N")) == QStringLiteral("Y");
}

void ReadBodies(const IniDocument& file, int count, Planets& system, CentreList& centres)
{
    const QString one = QStringLiteral("1");
    const QString zero = QStringLiteral("0");
    BodyValues values;
    for (int i = 1; i <= count; ++i) {
        const QString name =
            file.GetValue(SystemSection, QString::number(i), QStringLiteral("Unnamed") + QString::number(i));
        ReadNumber(file, name, QStringLiteral("Mass"), one, values.mass);
        ReadNumber(file, name, QStringLiteral("Diameter"), one, values.diameter);
        ReadNumber(file, name, QStringLiteral("X"), zero, values.x);
        ReadNumber(file, name, QStringLiteral("Y"), zero, values.y);
        ReadNumber(file, name, QStringLiteral("Z"), zero, values.z);
        ReadNumber(file, name, QStringLiteral("VX"), zero, values.vx);
        ReadNumber(file, name, QStringLiteral("VY"), zero, values.vy);
        ReadNumber(file, name, QStringLiteral("VZ"), zero, values.vz);
        ReadNumber(file, name, QStringLiteral("Hicolor"), zero, values.hiColor);
        ReadNumber(file, name, QStringLiteral("Locolor"), zero, values.loColor);
        const bool lightweight = ReadFlag(file, name, QStringLiteral("Lightweight"));
        const bool locked = ReadFlag(file, name, QStringLiteral("Locked"));

        Planet& body = system.Add(name.toStdString(), values.mass, values.diameter, values.x, values.y,
                                  values.z, values.vx, values.vy, values.vz);
        body.HiColor = values.hiColor;
        body.LoColor = values.loColor;
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
StepMethod ReadMethod(const IniDocument& file)
{
    const QString classic = QString::fromLatin1(MethodName(StepMethod::Classic));
    const QString text = file.GetValue(GeneralSection, MethodKey, classic);
    if (const std::optional<StepMethod> method = MethodNamed(text.toStdString()))
        return *method;
    // Any other text is an unreadable value and takes the default of a missing key.
    return StepMethod::Classic;
}

void ReadSystem(Globals& globals, CentreList& centres, const IniDocument& file, const QString& systemName)
{
    const QString countText = file.GetValue(GeneralSection, QStringLiteral("TotalBodies"), QStringLiteral("0"));
    const int count = text::IsNumeric(countText) ? text::ToInt16(countText) : 0;
    if (count == 0)
        return;
    const QString dateText = file.GetValue(GeneralSection, QStringLiteral("StartDate"),
                                           text::FormatShortDate(text::Today()));
    if (const std::optional<QDate> date = text::ParseDate(dateText))
        globals.StartDate = *date;
    globals.Method = ReadMethod(file);

    Planets& system = globals.EnsureSystem();
    while (system.Count() > 0)
        system.Remove(system.Count());
    system.SystemName = systemName.toStdString();
    centres.ClearCentres();
    centres.AddCentre(QStringLiteral("Grid Origin"), -1);
    ReadBodies(file, count, system, centres);
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

void LoadSystem(Globals& globals, DialogService& dialogs, CentreList& centres, const QString& fileName)
{
    IniDocument file;
    try {
        // A missing file reads as an empty one.
        file = IniDocument::Parse(ReadFileIfPresent(fileName).value_or(QByteArray()));
    } catch (const ProgramError& error) {
        // Nothing has been touched: the system in memory stays as it was, and loaded.
        ShowError(dialogs, error, QStringLiteral("LoadSystem"));
        return;
    }
    try {
        ReadSystem(globals, centres, file, FileNameFromPath(fileName));
    } catch (const ProgramError& error) {
        globals.SystemLoaded = false;
        ShowError(dialogs, error, QStringLiteral("LoadSystem"));
    }
}

}  // namespace kosmolux

#include "storage/systemfile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QHash>

#include "platform/numberreader.h"
#include "platform/programerror.h"
#include "platform/textformats.h"
#include "storage/diskfile.h"
#include "storage/inireader.h"
#include "storage/unreadablevalues.h"

namespace kosmolux {

namespace {

const QString GeneralSection = QStringLiteral("General");
// A body without a parent; also the name a missing "Parent" key reads as.
constexpr QByteArrayView NoParent("(none)");

void ShowError(DialogService& dialogs, const ProgramError& error, const QString& title)
{
    dialogs.MessageBox(error.MessageText(), title, DialogService::Icon::None, DialogService::Buttons::Ok);
}

// The names a load asks for in "System" and "General", each folded once.
struct FileNames {
    IniReader::Name system{"System"};
    IniReader::Name general{"General"};
    IniReader::Name totalBodies{"TotalBodies"};
    IniReader::Name startDate{"StartDate"};
    IniReader::Name method{"Method"};
};

// The keys of a body's section.
enum BodyKey { Mass, Diameter, X, Y, Z, VX, VY, VZ, HiColor, LoColor, Lightweight, Locked, Parent, BodyKeys };
constexpr const char* BodyKeyNames[BodyKeys] = {"Mass", "Diameter", "X",       "Y",           "Z",
                                                "VX",   "VY",       "VZ",      "HiColor",     "LoColor",
                                                "Lightweight",      "Locked",  "Parent"};

// One body's section as a load reads it; made once for all the bodies.
class BodyValues {
public:
    BodyValues(const text::NumberReader& numbers, UnreadableValues& unreadable)
        : numbers_(numbers), unreadable_(unreadable)
    {
        for (const char* key : BodyKeyNames)
            keys_.emplace_back(key);
    }

    // The section of the body's name, given as UTF-8 and as text.
    void Read(const IniReader& file, QByteArrayView utf8, const QString& name)
    {
        name_ = &name;
        // The sections of a file mostly follow the order of its list.
        const IniReader::Section* section = file.FindSection(utf8, section_);
        if (section)
            section_ = section;
        file.ReadEntries(section, entries_);
        IniReader::FindValues(entries_, keys_, values_);
    }

    const std::optional<QByteArrayView>& Value(BodyKey key) const { return values_[key]; }

    // A value that is there but is no number takes the missing key's default
    // and is recorded; one too large for a double stops the load (Overflow).
    double Number(BodyKey key, double missing)
    {
        const std::optional<text::NumberReader::Reading> reading = NumberAt(key);
        return reading ? text::NumberReader::ToDouble(*reading) : missing;
    }

    // A colour: as a number, rounded to a 32-bit integer; out of range stops the load.
    Colour ColourValue(BodyKey key)
    {
        const std::optional<text::NumberReader::Reading> reading = NumberAt(key);
        return reading ? text::NumberReader::ToInt32(*reading) : 0;
    }

    bool Flag(BodyKey key) const { return Value(key).value_or("N") == "Y"; }

private:
    // The reading of a value that is a number; nothing for a missing key or
    // a value that is no number, which is recorded.
    std::optional<text::NumberReader::Reading> NumberAt(BodyKey key)
    {
        const std::optional<QByteArrayView>& text = Value(key);
        if (!text)
            return std::nullopt;
        const text::NumberReader::Reading reading = numbers_.Read(*text);
        if (reading.kind != text::NumberReader::Reading::Kind::NotANumber)
            return reading;
        unreadable_.Record(*name_, QString::fromLatin1(BodyKeyNames[key]), IniReader::Text(*text));
        return std::nullopt;
    }

    const text::NumberReader& numbers_;
    UnreadableValues& unreadable_;
    std::vector<IniReader::Name> keys_;
    const QString* name_ = nullptr;
    const IniReader::Section* section_ = nullptr;  // the last section found
    std::vector<IniReader::Entry> entries_;
    std::array<std::optional<QByteArrayView>, BodyKeys> values_;
};

// The number a key of the list stands for, or 0. A key names body i when it
// is i's decimal digits: folding changes no digit and makes none.
int ListNumber(QByteArrayView key)
{
    int number = 0;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), number);
    if (error != std::errc() || end != key.data() + key.size() || key.front() == '0' || number < 0)
        return 0;
    return number;
}

// The names listed in "System" as the file holds them (UTF-8), by their
// number; nothing for a number not listed.
std::vector<std::optional<QByteArrayView>> ListedNames(const IniReader& file, const FileNames& names, int count)
{
    std::vector<IniReader::Entry> entries;
    file.ReadEntries(file.FindSection(names.system), entries);
    std::vector<std::optional<QByteArrayView>> listed(static_cast<std::size_t>(std::max(count, 0)));
    for (const IniReader::Entry& entry : entries) {
        const int number = ListNumber(entry.key);
        // The first entry of a key counts.
        if (number >= 1 && number <= count && !listed[static_cast<std::size_t>(number - 1)])
            listed[static_cast<std::size_t>(number - 1)] = entry.value;
    }
    return listed;
}

// Reads the bodies; returns the parent's name of each body added, in order.
std::vector<QByteArrayView> ReadBodies(const IniReader& file, const FileNames& names, int count, Planets& system,
                                       CentreList& centres, UnreadableValues& unreadable)
{
    const text::NumberReader numbers;
    BodyValues values(numbers, unreadable);
    std::vector<QByteArrayView> parents;
    parents.reserve(static_cast<std::size_t>(std::max(count, 0)));
    system.Reserve(count);
    int number = 0;
    for (const std::optional<QByteArrayView>& listed : ListedNames(file, names, count)) {
        ++number;
        const QByteArray unnamed = listed ? QByteArray() : "Unnamed" + QByteArray::number(number);
        const QByteArrayView utf8 = listed ? *listed : QByteArrayView(unnamed);
        const QString name = IniReader::Text(utf8);
        values.Read(file, utf8, name);
        const double mass = values.Number(Mass, 1.0);          // kg
        const double diameter = values.Number(Diameter, 1.0);  // metres
        const double x = values.Number(X, 0.0);                // metres
        const double y = values.Number(Y, 0.0);
        const double z = values.Number(Z, 0.0);
        const double vx = values.Number(VX, 0.0);  // metres per second
        const double vy = values.Number(VY, 0.0);
        const double vz = values.Number(VZ, 0.0);
        const Colour hiColor = values.ColourValue(HiColor);
        const Colour loColor = values.ColourValue(LoColor);
        const bool lightweight = values.Flag(Lightweight);
        const bool locked = values.Flag(Locked);

        // The name's UTF-8 is its bytes in the file.
        Planet& body = system.Add(std::string(utf8.data(), static_cast<std::size_t>(utf8.size())), mass, diameter,
                                  x, y, z, vx, vy, vz);
        body.HiColor = hiColor;
        body.LoColor = loColor;
        body.Lightweight = lightweight;
        body.Locked = locked;
        // No parent until they are resolved: a load that stops before that
        // must not leave a body pointing at whichever body has Id 0.
        body.Parent = -1;
        centres.AddCentre(name, body.Id());
        parents.push_back(values.Value(Parent).value_or(NoParent));
    }
    return parents;
}

// Parents are stored by name: the last body of that exact name wins.
void ResolveParents(const std::vector<QByteArrayView>& parents, Planets& system)
{
    // A body's name is the UTF-8 text of the file.
    const auto bytes = [](const std::string& name) {
        return QByteArrayView(name.data(), static_cast<qsizetype>(name.size()));
    };
    QHash<QByteArrayView, std::int32_t> lastBodyNamed;
    lastBodyNamed.reserve(static_cast<qsizetype>(parents.size()));
    for (const Planet& body : system)
        lastBodyNamed.insert(bytes(body.PlanetName), body.Id());
    std::size_t index = 0;
    for (Planet& body : system)
        body.Parent = lastBodyNamed.value(parents[index++], -1);
}

// The method of stepping; a file without the key is Classic.
StepMethod ReadMethod(const std::vector<IniReader::Entry>& general, const FileNames& names,
                      UnreadableValues& unreadable)
{
    const std::optional<QByteArrayView> text = IniReader::Value(general, names.method);
    if (!text)
        return StepMethod::Classic;
    if (const std::optional<StepMethod> method = MethodNamed(std::string_view(text->data(), text->size())))
        return *method;
    // Any other text is an unreadable value and takes the default of a missing key.
    unreadable.Record(GeneralSection, QStringLiteral("Method"), IniReader::Text(*text));
    return StepMethod::Classic;
}

void ReadSystem(Globals& globals, CentreList& centres, const IniReader& file, const QString& systemName,
                UnreadableValues& unreadable)
{
    const FileNames names;
    std::vector<IniReader::Entry> general;
    file.ReadEntries(file.FindSection(names.general), general);
    const QString countText = IniReader::Text(IniReader::Value(general, names.totalBodies).value_or("0"));
    int count = 0;
    if (text::IsNumeric(countText))
        count = text::ToInt16(countText);
    else
        unreadable.Record(GeneralSection, QStringLiteral("TotalBodies"), countText);
    if (count == 0)
        return;
    const std::optional<QByteArrayView> dateValue = IniReader::Value(general, names.startDate);
    const QString dateText = dateValue ? IniReader::Text(*dateValue) : text::FormatShortDate(text::Today());
    if (const std::optional<QDate> date = text::ParseDate(dateText)) {
        globals.StartDate = *date;
    } else {
        unreadable.Record(GeneralSection, QStringLiteral("StartDate"), dateText);
        globals.StartDate = text::Today();
    }
    globals.Method = ReadMethod(general, names, unreadable);

    Planets& system = globals.EnsureSystem();
    system.Clear();
    system.SystemName = systemName.toStdString();
    centres.ClearCentres();
    centres.AddCentre(QStringLiteral("Grid Origin"), -1);
    const std::vector<QByteArrayView> parents = ReadBodies(file, names, count, system, centres, unreadable);
    ResolveParents(parents, system);
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
    std::optional<IniReader> file;
    try {
        // A missing file reads as an empty one; the file's bytes go once they are read.
        file.emplace(ReadFileIfPresent(fileName).value_or(QByteArray()));
    } catch (const ProgramError& error) {
        // Nothing has been touched: the system in memory stays as it was, and loaded.
        ShowError(dialogs, error, QStringLiteral("LoadSystem"));
        return false;
    }
    UnreadableValues unreadable;
    bool complete = true;
    try {
        ReadSystem(globals, centres, *file, FileNameFromPath(fileName), unreadable);
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

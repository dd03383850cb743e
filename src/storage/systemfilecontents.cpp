// The bytes of a system file, written in one pass: the layout that writing
// every value into an INI document would give, without building the document.
#include <cstdint>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

#include <QByteArrayView>
#include <QHash>

#include "platform/programerror.h"
#include "platform/textformats.h"
#include "storage/bodyname.h"
#include "storage/sciformat.h"
#include "storage/systemfile.h"

namespace kosmolux {

namespace {

// Bytes a body takes in a file with short names: room reserved at once.
constexpr qsizetype BytesPerBody = 320;

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

// UTF-8 lines in the written form of the INI layout: CRLF ends, no blank lines.
class FileText {
public:
    explicit FileText(qsizetype expectedSize) { bytes_.reserve(expectedSize); }

    void Section(const QByteArray& name)
    {
        bytes_ += '[';
        bytes_ += name;
        bytes_ += "]\r\n";
    }
    // "key=" with the value still to come.
    void Key(QByteArrayView key)
    {
        bytes_ += key;
        bytes_ += '=';
    }
    void Value(QByteArrayView key, const QByteArray& value)
    {
        Key(key);
        bytes_ += value;
        bytes_ += "\r\n";
    }
    void Number(QByteArrayView key, double value, const SciFormatter& format)
    {
        Key(key);
        format.AppendTo(bytes_, value);
        bytes_ += "\r\n";
    }

    QByteArray Take() { return std::move(bytes_); }

private:
    QByteArray bytes_;
};

QByteArray FlagText(bool flag)
{
    return flag ? QByteArrayLiteral("Y") : QByteArrayLiteral("N");
}

// The parent's name, or "(none)" also for a parent no longer in the system.
QByteArray ParentName(const Planets& system, const Planet& body)
{
    const Planet* parent = body.Parent < 0 ? nullptr : system.FindById(body.Parent);
    return parent ? QString::fromStdString(parent->PlanetName).toUtf8() : QByteArrayLiteral("(none)");
}

void WriteBody(FileText& file, const Planets& system, const Planet& body, const SciFormatter& format)
{
    file.Number("Mass", body.Mass, format);
    file.Number("Diameter", body.Diameter, format);
    file.Number("X", body.Position.XComp, format);
    file.Number("Y", body.Position.YComp, format);
    file.Number("Z", body.Position.ZComp, format);
    file.Number("VX", body.Velocity.XComp, format);
    file.Number("VY", body.Velocity.YComp, format);
    file.Number("VZ", body.Velocity.ZComp, format);
    file.Value("HiColor", QByteArray::number(body.HiColor));
    file.Value("LoColor", QByteArray::number(body.LoColor));
    file.Value("Lightweight", FlagText(body.Lightweight));
    file.Value("Locked", FlagText(body.Locked));
    file.Value("Parent", ParentName(system, body));
}

// The bodies' names as the file holds them; throws for the first that
// would not load back as it is.
std::vector<QString> StorableNames(const Planets& system)
{
    std::vector<QString> names;
    names.reserve(static_cast<std::size_t>(system.Count()));
    for (const Planet& body : system) {
        QString name = QString::fromStdString(body.PlanetName);
        const QString problem = BodyNameProblem(name);
        if (!problem.isEmpty())
            throw ProgramError(
                QStringLiteral("The body \"%1\" cannot be saved. %2").arg(QuotedName(name), problem),
                UnstorableNameError);
        names.push_back(std::move(name));
    }
    return names;
}

// One section per body name, in the order of the first body of each name.
// Names that differ only in letter case are one section, under the first
// one's spelling, and the last body of the name gives its values: each body
// writes its values over those of the one before.
struct BodySection {
    qsizetype firstBody;
    qsizetype lastBody;
};

std::vector<BodySection> BodySections(const std::vector<QString>& names)
{
    std::vector<BodySection> sections;
    QHash<QString, std::size_t> sectionOfName;
    sectionOfName.reserve(static_cast<qsizetype>(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto index = static_cast<qsizetype>(i);
        const QString folded = names[i].toCaseFolded();
        const auto found = sectionOfName.constFind(folded);
        if (found == sectionOfName.cend()) {
            sectionOfName.insert(folded, sections.size());
            sections.push_back({index, index});
        } else {
            sections[*found].lastBody = index;
        }
    }
    return sections;
}

}  // namespace

QByteArray SystemFileContents(const Globals& globals)
{
    const Planets* system = globals.CurrentSystem.get();
    const int count = system ? system->Count() : 0;
    if (count > std::numeric_limits<std::int16_t>::max())
        throw ProgramError(QStringLiteral("Overflow"), ProgramError::Overflow);
    const std::vector<QString> names = system ? StorableNames(*system) : std::vector<QString>();

    FileText file(BytesPerBody * (count + 1));
    if (count > 0) {
        file.Section("System");
        for (int n = 1; n <= count; ++n)
            file.Value(QByteArray::number(n), names[static_cast<std::size_t>(n - 1)].toUtf8());
    }
    file.Section("General");
    if (count > 0)
        file.Value("TotalBodies", QByteArray::number(count));
    file.Value("StartDate", text::FormatShortDate(globals.StartDate).toUtf8());
    // Classic writes no key: files of the default method keep their bytes.
    if (globals.Method != StepMethod::Classic) {
        const std::string_view method = MethodName(globals.Method);
        file.Value("Method", QByteArray(method.data(), static_cast<qsizetype>(method.size())));
    }
    if (count > 0) {
        const SciFormatter format;
        for (const BodySection& section : BodySections(names)) {
            file.Section(names[static_cast<std::size_t>(section.firstBody)].toUtf8());
            WriteBody(file, *system, system->Item(static_cast<int>(section.lastBody) + 1), format);
        }
    }
    return file.Take();
}

}  // namespace kosmolux

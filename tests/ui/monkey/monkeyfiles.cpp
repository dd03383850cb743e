#include "ui/monkey/monkeyfiles.h"

#include <QFile>
#include <QStringList>

#include "ui/monkey/systemchecks.h"

namespace kosmolux::monkey {

namespace {

constexpr int SavedSlots = 5;
constexpr int GarbledSlots = 4;

const QString CurrentName = QStringLiteral("Current.kmx");
const QString MissingName = QStringLiteral("Missing.kmx");
// A folder where a file is expected, and a file in a folder that does not exist.
const QString FolderName = QStringLiteral("Folder.kmx");
const QString LostName = QStringLiteral("NoSuchFolder/Lost.kmx");

QString SavedName(int slot)
{
    return QStringLiteral("Saved%1.kmx").arg(slot);
}

QString GarbledName(int slot)
{
    return QStringLiteral("Garbled%1.kmx").arg(slot);
}

std::optional<QByteArray> Contents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

using FileAnswer = ScriptedDialogService::FileAnswer;

FileAnswer Failed()
{
    return {FileDialogOutcome::Failed, {}, QStringLiteral("Device unavailable"), 68};
}

}  // namespace

MonkeyFiles::MonkeyFiles(const QString& folder, const QString& examplesFolder, MonkeyInput& input)
    : folder_(folder), input_(input)
{
    const QDir examples(examplesFolder);
    for (const QString& name : examples.entryList({QStringLiteral("*.kmx")}, QDir::Files)) {
        if (const std::optional<QByteArray> contents = Contents(examples.filePath(name)))
            examples_.emplace_back(name, *contents);
    }
    folder_.mkdir(FolderName);
    for (const QString& name : KnownNames())
        seen_[PathOf(name)] = Contents(PathOf(name));
}

std::vector<QString> MonkeyFiles::KnownNames() const
{
    std::vector<QString> names{CurrentName, MissingName, FolderName, LostName};
    for (const auto& example : examples_)
        names.push_back(example.first);
    for (int slot = 0; slot < SavedSlots; ++slot)
        names.push_back(SavedName(slot));
    for (int slot = 0; slot < GarbledSlots; ++slot)
        names.push_back(GarbledName(slot));
    return names;
}

QString MonkeyFiles::Write(const QString& name, const QByteArray& contents)
{
    const QString path = PathOf(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(contents);
    file.close();
    seen_[path] = Contents(path);
    return path;
}

QString MonkeyFiles::ExamplePath(int index)
{
    const auto& [name, contents] = examples_[static_cast<std::size_t>(index)];
    return Write(name, contents);
}

QByteArray MonkeyFiles::SomeSystemFile()
{
    if (input_.Chance(0.3)) {
        if (const std::optional<QByteArray> saved =
                Contents(PathOf(SavedName(input_.Below(SavedSlots)))))
            return *saved;
    }
    return examples_[static_cast<std::size_t>(input_.Below(ExampleCount()))].second;
}

QString MonkeyFiles::GarbledPath(QString& how)
{
    QByteArray contents;
    switch (input_.Below(5)) {
    case 0:
        how = QStringLiteral("random bytes");
        contents = RandomBytes();
        break;
    case 1: {
        how = QStringLiteral("cut short");
        contents = SomeSystemFile();
        contents.truncate(input_.Below(static_cast<int>(contents.size()) + 1));
        break;
    }
    case 2:
        how = QStringLiteral("wild values");
        contents = WithWildValues(SomeSystemFile());
        break;
    case 3:
        how = QStringLiteral("lines shuffled");
        contents = WithLinesShuffled(SomeSystemFile());
        break;
    default:
        how = QStringLiteral("other encodings");
        contents = SomeSystemFile();
        if (input_.Chance(0.5))
            contents.replace("\r\n", "\n");
        if (input_.Chance(0.5))
            contents.replace("Earth", "\xC9\xE4rth");  // Latin-1, not UTF-8
        if (input_.Chance(0.5))
            contents.prepend("\xEF\xBB\xBF");
        break;
    }
    const QString name = GarbledName(nextGarbled_);
    nextGarbled_ = (nextGarbled_ + 1) % GarbledSlots;
    return Write(name, contents);
}

QByteArray MonkeyFiles::RandomBytes()
{
    static const std::vector<QByteArray> pieces = {
        "[", "]", "=", "\r\n", "\n", "[System]", "[General]", "TotalBodies=", "1=", "Sun", "Mass=",
        "E+", ";", " ", QByteArray(1, '\0'), "\xEF\xBB\xBF", "\xFF", "7", "-", "Parent="};
    QByteArray bytes;
    const int length = input_.Between(0, 3000);
    const bool structured = input_.Chance(0.5);
    while (bytes.size() < length) {
        if (structured)
            bytes += input_.PickFrom(pieces);
        else
            bytes += static_cast<char>(input_.Below(256));
    }
    return bytes;
}

QByteArray MonkeyFiles::WithWildValues(const QByteArray& source)
{
    static const std::vector<QByteArray> counts = {
        "0", "-1", "-32768", "32768", "1e3", "2.5", "abc", "", "40", "300", "7", "-0",
        "99999999999"};
    static const std::vector<QByteArray> numbers = {
        "1e308", "-1e308", "1.79769313486232E+308", "1e999", "nan", "", "4.9e-324", "1e-400",
        "1,5", "0x1p3", "-0.0E+0", "1.0E+30", "abc", "  3.5E+11  "};
    static const std::vector<QByteArray> colours = {
        "-1", "2147483647", "2147483648", "99999999999", "1.5", "abc", "16777215"};
    static const std::vector<QByteArray> flags = {"y", "Y", "yes", "N", ""};
    static const std::vector<QByteArray> names = {
        "Sun", "sun", "Earth", "(none)", "*", "Moon", "Unnamed1", "", "General",
        "\xCF\x83", "\xCF\x82"};
    QList<QByteArray> lines = source.split('\n');
    for (QByteArray& line : lines) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0 || !input_.Chance(0.3))
            continue;
        const QByteArray key = line.left(equals).trimmed().toLower();
        QByteArray value;
        if (key == "totalbodies")
            value = input_.PickFrom(counts);
        else if (key == "startdate")
            value = input_.PickFrom(std::vector<QByteArray>{"", "31/31/2000", "2/30/2001", "1/1/0",
                                                            "12/31/9999", "1/1/10000", "abc"});
        else if (key == "hicolor" || key == "locolor")
            value = input_.PickFrom(colours);
        else if (key == "lightweight" || key == "locked")
            value = input_.PickFrom(flags);
        else if (key == "parent" || (!key.isEmpty() && key.front() >= '0' && key.front() <= '9'))
            value = input_.PickFrom(names);
        else
            value = input_.PickFrom(numbers);
        line = line.left(equals + 1) + value + (line.endsWith('\r') ? "\r" : "");
    }
    return lines.join('\n');
}

QByteArray MonkeyFiles::WithLinesShuffled(const QByteArray& source)
{
    QList<QByteArray> lines = source.split('\n');
    const int changes = input_.Between(1, 6);
    for (int change = 0; change < changes && !lines.isEmpty(); ++change) {
        const int at = input_.Below(static_cast<int>(lines.size()));
        const int other = input_.Below(static_cast<int>(lines.size()));
        switch (input_.Below(4)) {
        case 0:
            lines.removeAt(at);
            break;
        case 1:
            lines.insert(other, lines[at]);
            break;
        case 2:
            lines.swapItemsAt(at, other);
            break;
        default:
            lines[at] = lines[at].toUpper();
            break;
        }
    }
    return lines.join('\n');
}

FileChoice MonkeyFiles::OpenChoice()
{
    const int roll = input_.Below(20);
    if (roll == 0)
        return {FileAnswer::Cancel(), QStringLiteral("cancelled")};
    if (roll == 1)
        return {Failed(), QStringLiteral("dialog failed")};
    if (roll == 2)
        return {FileAnswer::Choose(PathOf(MissingName)), MissingName};
    if (roll == 3)
        return {FileAnswer::Choose(PathOf(input_.Chance(0.5) ? FolderName : LostName)),
                QStringLiteral("not a readable file")};
    if (roll < 10) {
        const int index = input_.Below(ExampleCount());
        return {FileAnswer::Choose(ExamplePath(index)), examples_[std::size_t(index)].first};
    }
    if (roll < 14) {
        const QString name = SavedName(input_.Below(SavedSlots));
        return {FileAnswer::Choose(PathOf(name)), name};
    }
    QString how;
    const QString path = GarbledPath(how);
    return {FileAnswer::Choose(path),
            QFileInfo(path).fileName() + QStringLiteral(" (") + how + u')'};
}

FileChoice MonkeyFiles::SaveChoice()
{
    const int roll = input_.Below(20);
    if (roll < 3)
        return {FileAnswer::Cancel(), QStringLiteral("cancelled")};
    if (roll == 3)
        return {Failed(), QStringLiteral("dialog failed")};
    if (roll == 4)
        return {FileAnswer::Choose(PathOf(FolderName)), FolderName};
    if (roll == 5)
        return {FileAnswer::Choose(PathOf(LostName)), LostName};
    if (roll == 6) {
        const QString name = examples_[std::size_t(input_.Below(ExampleCount()))].first;
        return {FileAnswer::Choose(PathOf(name)), name};
    }
    if (roll == 7) {
        const QString name = GarbledName(input_.Below(GarbledSlots));
        return {FileAnswer::Choose(PathOf(name)), name};
    }
    const QString name = SavedName(input_.Below(SavedSlots));
    return {FileAnswer::Choose(PathOf(name)), name};
}

QString MonkeyFiles::StartupCommandLine()
{
    if (input_.Chance(0.5))
        return {};
    const FileChoice choice = OpenChoice();
    return choice.answer.path;
}

QString MonkeyFiles::CheckSavedFiles(const Globals& globals)
{
    for (auto& [path, known] : seen_) {
        std::optional<QByteArray> now = Contents(path);
        if (now == known)
            continue;
        known = std::move(now);
        if (!known)
            return path + QStringLiteral(" has gone");
        ++loadedBack_;
        const QString problem = RoundTripProblem(globals, path);
        if (!problem.isEmpty())
            return QFileInfo(path).fileName() + QStringLiteral(" as saved: ") + problem;
    }
    return {};
}

QString MonkeyFiles::StrayFiles() const
{
    // The folder of LostName must not come into being either.
    QStringList known;
    for (const QString& name : KnownNames()) {
        if (!name.contains(u'/'))
            known << name;
    }
    QStringList stray;
    for (const QString& name :
         folder_.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (!known.contains(name))
            stray << name;
    }
    return stray.join(QStringLiteral(", "));
}

}  // namespace kosmolux::monkey

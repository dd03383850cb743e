// The INI layout on arbitrary bytes: reading never fails, a written document
// reads back as itself, and every value read obeys the reading rules.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "fuzzcheck.h"
#include "storage/inidocument.h"
#include "storage/inireader.h"

namespace kosmolux {
namespace {

// Every ASCII letter in the other case: names must still match.
QString WithAsciiCaseSwapped(const QString& name)
{
    QString swapped = name;
    for (QChar& c : swapped) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 'a' + 'A');
        else if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() - 'A' + 'a');
    }
    return swapped;
}

// Names to ask for, taken roughly from the text so that most of them exist:
// what stands between "[" and "]", and what stands before "=".
struct Names {
    QStringList sections;
    QStringList keys;
};

// Enough names to reach most of a small file, few enough to keep runs fast.
constexpr qsizetype MostNames = 40;

Names NamesIn(const QByteArray& bytes)
{
    Names names;
    for (const QByteArray& rawLine : bytes.split('\n')) {
        const QString line = QString::fromUtf8(rawLine);
        const qsizetype open = line.indexOf(u'[');
        if (open >= 0)
            names.sections.append(line.sliced(open + 1).section(u']', 0, 0));
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0)
            names.keys.append(line.first(equals));
        if (names.sections.size() + names.keys.size() > MostNames)
            break;
    }
    names.keys.append(QStringLiteral("Missing"));
    names.sections.removeDuplicates();
    names.keys.removeDuplicates();
    return names;
}

// The reader a load uses finds the values the document finds.
QString ReadersValue(const IniReader& reader, const QString& section, const QString& key, const QString& fallback)
{
    std::vector<IniReader::Entry> entries;
    reader.ReadEntries(reader.FindSection(IniReader::Name(section.toUtf8())), entries);
    const std::optional<QByteArrayView> value = IniReader::Value(entries, IniReader::Name(key.toUtf8()));
    return value ? IniReader::Text(*value) : fallback;
}

void CheckValue(const IniDocument& document, const IniDocument& reread, const IniReader& reader,
                const QString& section, const QString& key)
{
    const QString fallback = QStringLiteral("fallback");
    const QString value = document.GetValue(section, key, fallback);
    Require(value.size() <= IniDocument::MaxValueLength, "a value is at most 255 characters");
    Require(ReadersValue(reader, section, key, fallback) == value, "the reader of a load reads the same value");
    Require(!value.contains(QChar(u'\0')), "a value ends at a NUL");
    Require(reread.GetValue(section, key, fallback) == value, "a written value reads back as it was");
    Require(document.GetValue(WithAsciiCaseSwapped(section), WithAsciiCaseSwapped(key), fallback) == value,
            "names match without regard to letter case");
}

void CheckSection(const IniDocument& document, const IniDocument& reread, const QString& section)
{
    const QString keys = document.GetSection(section);
    Require(keys.size() == IniDocument::SectionBufferLength, "a key list fills the whole buffer");
    QString list = keys;
    while (list.endsWith(u' '))
        list.chop(1);
    Require(list == QChar(u'\0') || list.endsWith(QString(2, QChar(u'\0'))),
            "a key list ends with two NULs, then blanks");
    Require(reread.GetSection(section) == keys, "a written section lists the same keys");
}

void CheckChanges(IniDocument document, const QString& section, const QString& key)
{
    const QString fallback = QStringLiteral("fallback");
    document.SetValue(section, key, QStringLiteral(" changed "));
    Require(document.GetValue(section, key, fallback) == QStringLiteral("changed"), "a value set reads back");
    document.DeleteSection(section);
    document.DeleteValue(section, key);
    document.SetValue(section, key, QStringLiteral("again"));
    Require(document.GetValue(section, key, fallback) == QStringLiteral("again"),
            "a value set after deletions reads back");
}

}  // namespace
}  // namespace kosmolux

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kosmolux;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const IniDocument document = IniDocument::Parse(bytes);
    const QByteArray written = document.Serialize();
    const IniDocument reread = IniDocument::Parse(written);
    Require(reread.Serialize() == written, "a written document reads back as itself");

    const IniReader reader(bytes);
    const Names names = NamesIn(bytes);
    for (const QString& section : names.sections) {
        for (const QString& key : names.keys)
            CheckValue(document, reread, reader, section, key);
    }
    // A key list is 32000 characters long: a few are enough, and keep the runs fast.
    for (const QString& section : names.sections.first(std::min<qsizetype>(names.sections.size(), 2)))
        CheckSection(document, reread, section);
    if (!names.sections.isEmpty())
        CheckChanges(document, names.sections.first(), names.keys.first());
    return 0;
}

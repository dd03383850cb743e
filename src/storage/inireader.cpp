#include "storage/inireader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include <QStringDecoder>

#include "storage/diskfile.h"
#include "storage/inidocument.h"
#include "storage/initext.h"

namespace kosmolux {

namespace {

// Offsets into the bytes fit 32 bits: a file holds at most LargestFile bytes,
// and a byte read as Windows-1252 takes at most three in UTF-8.
static_assert(3 * LargestFile <= std::numeric_limits<std::uint32_t>::max());

bool IsAscii(QByteArrayView text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// The blanks of the layout (IniDocument::IsBlank) in UTF-8: space, tab and
// the byte-order mark, whose three bytes are always the whole character.
bool IsMarkAt(const char* p)
{
    return p[0] == '\xEF' && p[1] == '\xBB' && p[2] == '\xBF';
}

// The first byte after the blanks that start [p, end).
const char* SkipBlanks(const char* p, const char* end)
{
    for (;;) {
        if (p < end && (*p == ' ' || *p == '\t'))
            ++p;
        else if (end - p >= 3 && IsMarkAt(p))
            p += 3;
        else
            return p;
    }
}

// The end of [begin, end) without the blanks that end it.
const char* SkipBlanksBack(const char* begin, const char* end)
{
    for (;;) {
        if (end > begin && (end[-1] == ' ' || end[-1] == '\t'))
            --end;
        else if (end - begin >= 3 && IsMarkAt(end - 3))
            end -= 3;
        else
            return end;
    }
}

QByteArrayView StripBlanks(QByteArrayView text)
{
    const char* first = SkipBlanks(text.begin(), text.end());
    return QByteArrayView(first, SkipBlanksBack(first, text.end()));
}

const char* Find(const char* from, const char* end, char c)
{
    const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return found ? static_cast<const char*>(found) : end;
}

const char* LineEnd(const char* p, const char* end)
{
    while (p < end && !IsLineEnd(*p))
        ++p;
    return p;
}

// The ends of the lines of a range, one line after another. A line ends at
// the first CR or LF: each of the two is searched for once over the range.
class LineEnds {
public:
    LineEnds(const char* begin, const char* end)
        : end_(end), cr_(Find(begin, end, '\r')), lf_(Find(begin, end, '\n'))
    {
    }

    // The end of the line that starts at a position after the last end found.
    const char* EndOf(const char* line)
    {
        if (cr_ < line)
            cr_ = Find(line, end_, '\r');
        if (lf_ < line)
            lf_ = Find(line, end_, '\n');
        return std::min(cr_, lf_);
    }

private:
    const char* end_;
    const char* cr_;
    const char* lf_;
};

// Bytes of a UTF-8 character, by its first byte.
qsizetype CharacterLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead < 0xE0)
        return 2;
    return lead < 0xF0 ? 3 : 4;
}

// A value as a reader gets it (IniDocument::GetValue): without blanks around
// it, without one pair of enclosing quotes, cut at a NUL and to 255 UTF-16
// characters, never keeping half of a character that takes two.
QByteArrayView ValueAsRead(QByteArrayView raw)
{
    QByteArrayView value = StripBlanks(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    value = QByteArrayView(value.begin(), Find(value.begin(), value.end(), '\0'));
    // Fewer bytes never make more UTF-16 characters.
    if (value.size() > IniDocument::MaxValueLength) {
        qsizetype end = 0;
        qsizetype characters = 0;
        while (end < value.size()) {
            const auto lead = static_cast<unsigned char>(value[end]);
            const qsizetype length = CharacterLength(lead);
            const qsizetype units = length == 4 ? 2 : 1;
            if (characters + units > IniDocument::MaxValueLength)
                break;
            characters += units;
            end += length;
        }
        value.truncate(end);
    }
    return value;
}

// Appends a name in the form names are compared in, as UTF-8.
void AppendFolded(QByteArray& folded, QByteArrayView name)
{
    const QByteArrayView stripped = StripBlanks(name);
    if (!IsAscii(stripped)) {
        folded += IniReader::Text(stripped).toCaseFolded().toUtf8();
        return;
    }
    const qsizetype start = folded.size();
    folded.resize(start + stripped.size());
    std::transform(stripped.begin(), stripped.end(), folded.begin() + start, AsciiLower);
}

QByteArray Fold(QByteArrayView name)
{
    QByteArray folded;
    AppendFolded(folded, name);
    return folded;
}

// Whether a name the file holds, all ASCII, folds to the folded name.
bool FoldsTo(QByteArrayView asciiName, QByteArrayView folded)
{
    if (asciiName.size() != folded.size())
        return false;
    for (qsizetype i = 0; i < asciiName.size(); ++i) {
        if (AsciiLower(asciiName[i]) != folded[i])
            return false;
    }
    return true;
}

}  // namespace

IniReader::Name::Name(QByteArrayView utf8) : folded_(Fold(utf8)) {}

IniReader::IniReader(const QByteArray& bytes)
{
    if (bytes.size() > LargestFile)
        throw SystemError(EFBIG);
    // UTF-8 as it is; anything else decoded as IniDocument decodes it.
    utf8_ = bytes.isValidUtf8() ? bytes : DecodeIniText(bytes).toUtf8();

    // A "[" with only blanks before it on its line starts a section.
    const char* const begin = utf8_.constBegin();
    const char* const end = utf8_.constEnd();
    std::vector<QByteArrayView> names;
    for (const char* bracket = Find(begin, end, '['); bracket != end; bracket = Find(bracket + 1, end, '[')) {
        const char* lineStart = SkipBlanksBack(begin, bracket);
        if (lineStart != begin && !IsLineEnd(lineStart[-1]))
            continue;
        const char* const lineEnd = LineEnd(bracket, end);
        names.push_back(QByteArrayView(bracket + 1, Find(bracket + 1, lineEnd, ']')));
        if (!sections_.empty())
            sections_.back().end = static_cast<std::uint32_t>(bracket - begin);
        sections_.push_back({static_cast<std::uint32_t>(lineEnd - begin), static_cast<std::uint32_t>(end - begin)});
        bracket = lineEnd - 1;
    }
    IndexSections(names);
}

void IniReader::IndexSections(const std::vector<QByteArrayView>& names)
{
    // All folded names in one piece, so that the index holds no copy of its own.
    for (std::size_t section = 0; section < names.size(); ++section) {
        sections_[section].nameStart = static_cast<std::uint32_t>(foldedNames_.size());
        AppendFolded(foldedNames_, names[section]);
        sections_[section].nameLength = static_cast<std::uint32_t>(foldedNames_.size()) - sections_[section].nameStart;
    }
    sectionIndex_.reserve(static_cast<qsizetype>(sections_.size()));
    for (std::size_t section = 0; section < sections_.size(); ++section) {
        const QByteArrayView folded = FoldedName(sections_[section]);
        sections_[section].first = !sectionIndex_.contains(folded);
        if (sections_[section].first)
            sectionIndex_.insert(folded, static_cast<std::uint32_t>(section));
    }
}

QByteArrayView IniReader::FoldedName(const Section& section) const
{
    return QByteArrayView(foldedNames_).sliced(section.nameStart, section.nameLength);
}

const IniReader::Section* IniReader::FindSection(const Name& name) const
{
    const auto found = sectionIndex_.constFind(QByteArrayView(name.Folded()));
    return found == sectionIndex_.cend() ? nullptr : &sections_[*found];
}

const IniReader::Section* IniReader::FindSection(QByteArrayView name, const Section* before) const
{
    if (before && before + 1 < sections_.data() + sections_.size() && before[1].first) {
        const QByteArrayView stripped = StripBlanks(name);
        const QByteArrayView folded = FoldedName(before[1]);
        if (IsAscii(stripped) ? FoldsTo(stripped, folded) : Fold(stripped) == folded)
            return before + 1;
    }
    return FindSection(Name(name));
}

void IniReader::ReadEntries(const Section* section, std::vector<Entry>& entries) const
{
    entries.clear();
    if (!section)
        return;
    const char* const end = utf8_.constBegin() + section->end;
    LineEnds lineEnds(utf8_.constBegin() + section->start, end);
    for (const char* line = utf8_.constBegin() + section->start; line < end;) {
        const char* const lineEnd = lineEnds.EndOf(line);
        const char* const first = SkipBlanks(line, lineEnd);
        const char* const equals = Find(line, lineEnd, '=');
        // Blank lines and comments carry no value, nor a line without "=".
        if (first != lineEnd && *first != ';' && equals != lineEnd)
            entries.push_back({QByteArrayView(first, SkipBlanksBack(first, equals)),
                               ValueAsRead(QByteArrayView(equals + 1, lineEnd))});
        line = lineEnd == end ? end : lineEnd + 1;
    }
}

void IniReader::FindValues(const std::vector<Entry>& entries, std::span<const Name> keys,
                           std::span<std::optional<QByteArrayView>> values)
{
    std::fill(values.begin(), values.end(), std::nullopt);
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const Entry& entry = entries[index];
        // Keys are mostly ASCII: those are compared in place, others folded.
        const bool ascii = IsAscii(entry.key);
        const QByteArray folded = ascii ? QByteArray() : Fold(entry.key);
        const auto matches = [&](std::size_t key) {
            return ascii ? FoldsTo(entry.key, keys[key].Folded()) : folded == keys[key].Folded();
        };
        // The names differ, so at most one matches. Files mostly hold the
        // keys in the order asked for: the one at the entry's place goes first.
        const std::size_t first = index < keys.size() ? index : 0;
        for (std::size_t tried = 0; tried < keys.size(); ++tried) {
            const std::size_t key = (first + tried) % keys.size();
            if (matches(key)) {
                if (!values[key])
                    values[key] = entry.value;
                break;
            }
        }
    }
}

std::optional<QByteArrayView> IniReader::Value(const std::vector<Entry>& entries, const Name& key)
{
    std::optional<QByteArrayView> value;
    FindValues(entries, std::span(&key, 1), std::span(&value, 1));
    return value;
}

QString IniReader::Text(QByteArrayView utf8)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(utf8);
}

}  // namespace kosmolux

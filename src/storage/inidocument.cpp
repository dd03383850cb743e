#include "storage/inidocument.h"

#include "storage/initext.h"

namespace kosmolux {

namespace {

QString StripBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && IniDocument::IsBlank(text[first]))
        ++first;
    while (end > first && IniDocument::IsBlank(text[end - 1]))
        --end;
    if (first == 0 && end == text.size())
        return text;
    return text.sliced(first, end - first);
}

// Names are compared in this form: blanks around dropped, case folded.
QString Fold(const QString& name)
{
    return StripBlanks(name).toCaseFolded();
}

// The text's lines: a line ends at LF, CR LF or a lone CR. Blank lines carry
// nothing, so a run of line ends (such as CR CR LF) may count as one.
std::vector<QStringView> SplitLines(const QString& text)
{
    std::vector<QStringView> lines;
    const QStringView all(text);
    qsizetype start = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (all[i] == u'\r' || all[i] == u'\n') {
            if (i > start)
                lines.push_back(all.sliced(start, i - start));
            start = i + 1;
        }
    }
    if (start < all.size())
        lines.push_back(all.sliced(start));
    return lines;
}

// A value as a reader gets it: without blanks around it, without one pair of
// enclosing quotes, cut at a NUL and to the longest value a read returns.
QString ValueAsRead(const QString& raw)
{
    QString value = StripBlanks(raw);
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    const qsizetype nul = value.indexOf(QChar(u'\0'));
    if (nul >= 0)
        value.truncate(nul);
    if (value.size() > IniDocument::MaxValueLength) {
        qsizetype length = IniDocument::MaxValueLength;
        // Never keep half of a character that takes two UTF-16 units.
        if (value[length - 1].isHighSurrogate())
            --length;
        value.truncate(length);
    }
    return value;
}

}  // namespace

bool IniDocument::IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0xFEFF);
}

const IniDocument::Line* IniDocument::Section::FindKey(const QString& key) const
{
    const auto found = keyIndex.constFind(Fold(key));
    return found == keyIndex.cend() ? nullptr : &lines[*found];
}

void IniDocument::Section::Reindex()
{
    keyIndex.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].isKeyLine)
            continue;
        const QString folded = Fold(lines[i].key);
        if (!keyIndex.contains(folded))
            keyIndex.insert(folded, i);
    }
}

IniDocument IniDocument::Parse(const QByteArray& bytes)
{
    IniDocument document;
    const QString text = DecodeIniText(bytes);
    for (const QStringView rawLine : SplitLines(text)) {
        const QString line = rawLine.toString();
        const QString stripped = StripBlanks(line);
        if (stripped.isEmpty())
            continue;
        if (stripped.front() == u'[') {
            const qsizetype close = stripped.indexOf(u']');
            const qsizetype nameEnd = close < 0 ? stripped.size() : close;
            document.sections_.push_back({StripBlanks(stripped.sliced(1, nameEnd - 1)), {}, {}});
            continue;
        }
        std::vector<Line>& lines =
            document.sections_.empty() ? document.preamble_ : document.sections_.back().lines;
        const qsizetype equals = line.indexOf(u'=');
        if (stripped.front() == u';' || equals < 0 || document.sections_.empty())
            lines.push_back({false, {}, line});
        else
            lines.push_back({true, StripBlanks(line.first(equals)), line.sliced(equals + 1)});
    }
    for (Section& section : document.sections_)
        section.Reindex();
    document.ReindexSections();
    return document;
}

QByteArray IniDocument::Serialize() const
{
    QString text;
    const auto appendLine = [&text](const Line& line) {
        if (line.isKeyLine) {
            text += line.key;
            text += u'=';
        }
        text += line.text;
        text += u"\r\n";
    };
    for (const Line& line : preamble_)
        appendLine(line);
    for (const Section& section : sections_) {
        text += u'[';
        text += section.name;
        text += u"]\r\n";
        for (const Line& line : section.lines)
            appendLine(line);
    }
    return text.toUtf8();
}

QString IniDocument::GetValue(const QString& section, const QString& key,
                              const QString& defaultValue) const
{
    const Section* found = FindSection(section);
    const Line* line = found ? found->FindKey(key) : nullptr;
    return ValueAsRead(line ? line->text : defaultValue);
}

QString IniDocument::GetSection(const QString& section) const
{
    QString names;
    if (const Section* found = FindSection(section)) {
        for (const Line& line : found->lines) {
            if (line.isKeyLine)
                names += line.key + QChar(u'\0');
        }
    }
    // Like a fixed buffer: a list too long loses its end but still ends with two NULs.
    if (names.size() + 1 > SectionBufferLength) {
        names.truncate(SectionBufferLength - 2);
        names += QChar(u'\0');
    }
    names += QChar(u'\0');
    return names.leftJustified(SectionBufferLength, u' ');
}

void IniDocument::SetValue(const QString& section, const QString& key, const QString& value)
{
    Section* target = FindSection(section);
    if (!target) {
        sectionIndex_.insert(Fold(section), sections_.size());
        sections_.push_back({section, {}, {}});
        target = &sections_.back();
    }
    const auto found = target->keyIndex.constFind(Fold(key));
    if (found != target->keyIndex.cend()) {
        target->lines[*found].text = value;
        return;
    }
    target->keyIndex.insert(Fold(key), target->lines.size());
    target->lines.push_back({true, key, value});
}

void IniDocument::DeleteValue(const QString& section, const QString& key)
{
    Section* target = FindSection(section);
    if (!target)
        return;
    const auto found = target->keyIndex.constFind(Fold(key));
    if (found == target->keyIndex.cend())
        return;
    target->lines.erase(target->lines.begin() + static_cast<std::ptrdiff_t>(*found));
    target->Reindex();
}

void IniDocument::DeleteSection(const QString& section)
{
    const auto found = sectionIndex_.constFind(Fold(section));
    if (found == sectionIndex_.cend())
        return;
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(*found));
    ReindexSections();
}

IniDocument::Section* IniDocument::FindSection(const QString& name)
{
    const auto found = sectionIndex_.constFind(Fold(name));
    return found == sectionIndex_.cend() ? nullptr : &sections_[*found];
}

const IniDocument::Section* IniDocument::FindSection(const QString& name) const
{
    const auto found = sectionIndex_.constFind(Fold(name));
    return found == sectionIndex_.cend() ? nullptr : &sections_[*found];
}

void IniDocument::ReindexSections()
{
    sectionIndex_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const QString folded = Fold(sections_[i].name);
        if (!sectionIndex_.contains(folded))
            sectionIndex_.insert(folded, i);
    }
}

}  // namespace kosmolux

#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace kosmolux {

// The contents of one INI file held in memory, with the layout rules of the
// format in one place:
// - "[name]" starts a section; "key=value" lines belong to the section above;
// - section and key names match without regard to letter case;
// - a value is read without the blanks around it and without one pair of
//   quotes (single or double) enclosing it, and is at most 255 characters;
// - a new section goes to the end of the file, a new key to the end of its
//   section, an existing key keeps its place;
// - lines starting with ";" are comments: ignored when reading, kept when writing.
// Written as UTF-8 with CRLF line ends and no blank lines; read with LF, CRLF
// or lone CR line ends (stray CRs before a line end dropped), and as
// Windows-1252 when the bytes are not valid UTF-8.
class IniDocument {
public:
    // The longest value a read returns, in characters.
    static constexpr qsizetype MaxValueLength = 255;
    // The length of the text GetSection returns.
    static constexpr qsizetype SectionBufferLength = 32000;

    // The blanks stripped around names and values: space, tab and the
    // byte-order mark (a zero-width no-break space), wherever it stands.
    static bool IsBlank(QChar c);

    static IniDocument Parse(const QByteArray& bytes);
    QByteArray Serialize() const;

    // The value as read, cut at a NUL and to MaxValueLength; the default
    // (cut alike) when the section or key is missing.
    QString GetValue(const QString& section, const QString& key, const QString& defaultValue) const;
    // The section's key names, each followed by a NUL, then one more NUL,
    // then blanks up to SectionBufferLength characters.
    QString GetSection(const QString& section) const;

    void SetValue(const QString& section, const QString& key, const QString& value);
    void DeleteValue(const QString& section, const QString& key);
    void DeleteSection(const QString& section);

private:
    // A "key=value" line, or a line kept as it stands (comments, stray text).
    struct Line {
        bool isKeyLine = false;
        QString key;
        QString text;  // the raw value of a key line, or the whole line
    };
    struct Section {
        QString name;
        std::vector<Line> lines;
        QHash<QString, std::size_t> keyIndex;  // folded key name -> first line with it

        const Line* FindKey(const QString& key) const;
        void Reindex();
    };

    Section* FindSection(const QString& name);
    const Section* FindSection(const QString& name) const;
    void ReindexSections();

    std::vector<Line> preamble_;  // lines before the first section
    std::vector<Section> sections_;
    QHash<QString, std::size_t> sectionIndex_;  // folded name -> first section with it
};

}  // namespace kosmolux

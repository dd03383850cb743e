#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

namespace kosmolux {

// A whole INI file read once for many lookups, as a system file is loaded.
// It keeps the file's bytes (as UTF-8) and where each section stands, and
// reads a section's lines when asked for them. Every value reads as
// IniDocument::GetValue reads it, by the same layout rules applied to the
// UTF-8 bytes: no UTF-16 copy of the file and no object per line.
class IniReader {
public:
    // A section or key name in the form names are compared in: blanks
    // around dropped, case folded. Made once, compared often.
    class Name {
    public:
        explicit Name(QByteArrayView utf8);
        const QByteArray& Folded() const { return folded_; }

    private:
        QByteArray folded_;
    };

    // One "key=value" line: its key, and its value as read (without blanks
    // and enclosing quotes, cut at a NUL and to 255 characters). The views
    // last as long as the reader.
    struct Entry {
        QByteArrayView key;
        QByteArrayView value;
    };

    // A section of the file.
    struct Section {
        // Its lines: from the end of its "[name]" line up to the next one.
        std::uint32_t start = 0;
        std::uint32_t end = 0;
        // Its name, folded, in the reader's list of folded names.
        std::uint32_t nameStart = 0;
        std::uint32_t nameLength = 0;
        // No section before it has its name.
        bool first = false;
    };

    // Takes the bytes as the file holds them. Throws ProgramError for more
    // than a file may hold (LargestFile).
    explicit IniReader(const QByteArray& bytes);
    // The views it hands out point into it.
    IniReader(const IniReader&) = delete;
    IniReader& operator=(const IniReader&) = delete;

    // The first section of that name, or nullptr.
    const Section* FindSection(const Name& name) const;
    // The same for a name given as UTF-8. Files mostly list their sections
    // in the order they are asked for: the section after the one found
    // before, when given, is tried first.
    const Section* FindSection(QByteArrayView name, const Section* before) const;
    // The section's entries in the order of the file; none for a null section.
    // Fills the vector given, so that one vector serves a whole load.
    void ReadEntries(const Section* section, std::vector<Entry>& entries) const;
    // For each key, the value of its first entry, or nothing: in one pass
    // over the entries, each key of the file folded once. The keys' names
    // must differ from one another.
    static void FindValues(const std::vector<Entry>& entries, std::span<const Name> keys,
                           std::span<std::optional<QByteArrayView>> values);
    // The value of the first entry of one key, or nothing.
    static std::optional<QByteArrayView> Value(const std::vector<Entry>& entries, const Name& key);

    // A value as text, a byte-order mark at its start kept.
    static QString Text(QByteArrayView utf8);

private:
    void IndexSections(const std::vector<QByteArrayView>& names);
    QByteArrayView FoldedName(const Section& section) const;

    QByteArray utf8_;
    std::vector<Section> sections_;
    QByteArray foldedNames_;  // the sections' names, folded, one after another
    QHash<QByteArrayView, std::uint32_t> sectionIndex_;  // folded name -> first section with it
};

}  // namespace kosmolux

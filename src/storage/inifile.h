#pragma once

#include <QString>

#include "storage/inidocument.h"

namespace kosmolux {

// One INI file on disk. It keeps no contents of its own: every call reads the
// file as it is now, and every change is written at once. No call reports a
// failure: a missing or unreadable file reads as empty, and a change that
// cannot be written leaves the file as it was.
class INIFile {
public:
    void DeleteValue(const QString& section, const QString& key);
    void DeleteSection(const QString& section);
    void SetValue(const QString& section, const QString& key, const QString& value);
    // At most 255 characters; the default when the file, section or key is missing.
    QString GetValue(const QString& section, const QString& key, const QString& defaultValue) const;
    // The key names, each followed by a NUL, one more NUL, blanks up to 32000 characters.
    QString GetSection(const QString& section) const;

    // The file all calls use, taken as it is; without a folder it is relative
    // to the current folder.
    QString filename;

private:
    IniDocument Read() const;
    template <typename Change>
    void Update(Change change);
};

}  // namespace kosmolux

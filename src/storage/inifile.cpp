#include "storage/inifile.h"

#include <optional>

#include "platform/programerror.h"
#include "storage/diskfile.h"

namespace kosmolux {

void INIFile::DeleteValue(const QString& section, const QString& key)
{
    Update([&](IniDocument& document) { document.DeleteValue(section, key); });
}

void INIFile::DeleteSection(const QString& section)
{
    Update([&](IniDocument& document) { document.DeleteSection(section); });
}

void INIFile::SetValue(const QString& section, const QString& key, const QString& value)
{
    Update([&](IniDocument& document) { document.SetValue(section, key, value); });
}

QString INIFile::GetValue(const QString& section, const QString& key, const QString& defaultValue) const
{
    return Read().GetValue(section, key, defaultValue);
}

QString INIFile::GetSection(const QString& section) const
{
    return Read().GetSection(section);
}

IniDocument INIFile::Read() const
{
    try {
        return IniDocument::Parse(ReadFileIfPresent(filename).value_or(QByteArray()));
    } catch (const ProgramError&) {
        return {};
    }
}

template <typename Change>
void INIFile::Update(Change change)
{
    try {
        // A file that exists but cannot be read is left alone: rewriting it
        // from an empty document would lose its contents.
        const std::optional<QByteArray> bytes = ReadFileIfPresent(filename);
        IniDocument document = IniDocument::Parse(bytes.value_or(QByteArray()));
        change(document);
        ReplaceFile(filename, document.Serialize());
    } catch (const ProgramError&) {
        // Failures are not reported: the file stays as it was.
    }
}

}  // namespace kosmolux

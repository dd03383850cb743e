#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "platform/programerror.h"

namespace kosmolux {

// Whole-file reads and writes whose failures carry the operating system's
// error text and number (ProgramError). A path without a folder is taken
// relative to the current folder.

// The error number of a save over something that is not a plain file.
inline constexpr int NotARegularFileError = 75;

// The largest file read or written, in bytes: room for a system of 32767
// bodies with names of up to 50 characters or so, and small enough that any
// file of this size loads within seconds. A larger file fails with EFBIG
// ("File too large") before any of it is read or written.
inline constexpr qint64 LargestFile = 16 * 1024 * 1024;

// The operating system's error number with its text, as file errors are shown.
ProgramError SystemError(int number);

// The file's bytes, or nothing when there is no such file. A file that exists
// but cannot be read (no permission, a folder, too large) throws.
std::optional<QByteArray> ReadFileIfPresent(const QString& path);

// Writes the contents to a temporary file beside the target and renames it
// over the target: either the whole new file is there or the previous file is
// untouched, and no temporary file is left behind. Refuses a target the user
// may not write, although its folder would allow the rename, a target that is
// not a plain file, and contents larger than LargestFile. Throws on failure.
void ReplaceFile(const QString& path, const QByteArray& contents);

}  // namespace kosmolux

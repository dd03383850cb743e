#pragma once

#include <QByteArray>
#include <QString>

namespace kosmolux {

// The text of an INI file's bytes: UTF-8, or Windows-1252 when the bytes are
// not valid UTF-8. A byte-order mark stays in the text, where it reads as a
// blank. A sequence cut short at the very end is dropped, as Qt's decoder
// drops it.
QString DecodeIniText(const QByteArray& bytes);

}  // namespace kosmolux

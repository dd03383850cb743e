#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

#include "platform/dialogservice.h"

namespace kosmolux {

// "Label|pattern|Label|pattern" as Qt name filters, "Label (pattern)". Each
// pattern matches both letter cases, so that "*.kmx" also finds "SOLAR.KMX" on
// a case-sensitive file system; "*.*" means every file; several patterns of
// one label are separated by ";".
QStringList QtNameFilters(const QString& filter);

// Sets up a file dialog from the program's settings: filters, the default
// extension in lower case, the flags and the last chosen name.
void ApplyFileDialogSettings(QFileDialog& box, const FileDialog& dialog, QFileDialog::AcceptMode mode);

// The outcome for a chosen path: Failed when the flags require a file or a
// folder that does not exist; otherwise Chosen, with the path kept in
// dialog.FileName.
FileDialogResult AcceptChosenPath(FileDialog& dialog, const QString& path);

}  // namespace kosmolux

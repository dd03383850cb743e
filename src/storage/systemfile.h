#pragma once

#include <cstdint>

#include <QString>

#include "platform/dialogservice.h"
#include "storage/globals.h"

namespace kosmolux {

// The main window's centre-on list as loading fills it.
class CentreList {
public:
    virtual ~CentreList() = default;
    virtual void ClearCentres() = 0;
    // An entry with its item data: -1 for "Grid Origin", otherwise a body's Id.
    virtual void AddCentre(const QString& name, std::int32_t itemData) = 0;
    // Selects entry 0; the window reacts as to any other selection.
    virtual void SelectFirstCentre() = 0;
};

// The text after the last backslash of a path (only a backslash separates).
QString FileNameFromPath(const QString& path);

// Writes the current system and the start date to a system file. Failures are
// shown in the "SaveSystem" message box; returns whether the file was written.
bool SaveSystem(Globals& globals, DialogService& dialogs, const QString& fileName);

// Reads a system file into the current system. Failures are shown in the
// "LoadSystem" message box. A file without bodies changes nothing.
void LoadSystem(Globals& globals, DialogService& dialogs, CentreList& centres,
                const QString& fileName);

}  // namespace kosmolux

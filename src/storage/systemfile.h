#pragma once

#include <cstdint>

#include <QByteArray>
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

// The text after the last slash or backslash of a path: empty when the path
// ends with one, the whole text when it has none.
QString FileNameFromPath(const QString& path);

// The bytes of the system file for the current system and the start date.
// Throws ProgramError for a system that cannot be stored: more than 32767
// bodies ("Overflow"), or a body name that would not load back as it is.
QByteArray SystemFileContents(const Globals& globals);

// Writes the current system and the start date to a system file, all or
// nothing, and names the system after the file. Failures are shown in the
// "SaveSystem" message box and leave any previous file as it was; returns
// whether the file was written.
bool SaveSystem(Globals& globals, DialogService& dialogs, const QString& fileName);

// Reads a system file into the current system, fills the centre list and
// names the system after the file. Failures are shown in the "LoadSystem"
// message box. A missing file, or one without bodies, changes nothing.
// Values that are there but cannot be read take the default of a missing
// key and are listed in one "LoadSystem" box at the end. Returns false when
// the load told of any problem: the system in memory is then not the file's.
bool LoadSystem(Globals& globals, DialogService& dialogs, CentreList& centres,
                const QString& fileName);

}  // namespace kosmolux

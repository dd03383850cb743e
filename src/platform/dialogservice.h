#pragma once

#include <optional>

#include <QString>

#include "model/planet.h"

namespace kosmolux {

// The settings and the kept file name of one file dialog; each window that
// uses a file dialog owns one.
struct FileDialog {
    // Flag values as the program sets them before each use.
    static constexpr int OverwritePrompt = 2;   // ask before overwriting an existing file
    static constexpr int PathMustExist = 2048;  // the chosen folder must exist
    static constexpr int FileMustExist = 4096;  // the chosen file must exist

    QString Filter;      // label|pattern pairs, e.g. "Kosmolux Files|*.kmx|All Files|*.*"
    QString DefaultExt;  // added to a typed name without extension, e.g. "kmx"
    int Flags = 0;
    QString FileName;    // the last chosen path, kept between uses; empty at first
    QString InitDir;     // the folder shown while FileName is empty
};

enum class FileDialogOutcome { Chosen, Cancelled, Failed };

struct FileDialogResult {
    FileDialogOutcome Outcome = FileDialogOutcome::Cancelled;
    // For Failed: shown as "description: number".
    QString ErrorDescription;
    int ErrorNumber = 0;
};

// Every modal dialog the program needs from the platform. Windows talk to
// dialogs only through this, so that tests can answer them from a script.
class DialogService {
public:
    enum class Icon { None, Exclamation, Information };
    enum class Buttons { Ok, YesNo };
    enum class Button { Ok, Yes, No };

    virtual ~DialogService() = default;

    // Blocks until the user closes the box; returns the button pressed.
    virtual Button MessageBox(const QString& text, const QString& title, Icon icon,
                              Buttons buttons) = 0;
    // Returns the typed text; Cancel returns an empty text.
    virtual QString InputBox(const QString& prompt, const QString& title,
                             const QString& proposed = {}) = 0;
    // On Chosen, dialog.FileName holds the chosen path.
    virtual FileDialogResult ShowOpen(FileDialog& dialog) = 0;
    virtual FileDialogResult ShowSave(FileDialog& dialog) = 0;
    // The chosen colour, or nothing when the user cancels.
    virtual std::optional<Colour> ChooseColour() = 0;
    // Hands a help file to the desktop; false when nothing could open it.
    virtual bool OpenHelpFile(const QString& path) = 0;
};

}  // namespace kosmolux

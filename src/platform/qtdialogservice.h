#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/dialogservice.h"

namespace kosmolux {

// The dialog service of the running program: Qt's message box, input box, file
// and colour dialogs, and the desktop's viewer for the help file. A dialog
// opens on the innermost dialog open, else on the main window, and is modal
// to it and the windows below it (SetDialogModality).
class QtDialogService : public DialogService {
public:
    // The window that dialogs open on when no other dialog is open; until
    // there is one, the active window.
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }

    Button MessageBox(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& proposed = {}) override;
    FileDialogResult ShowOpen(FileDialog& dialog) override;
    FileDialogResult ShowSave(FileDialog& dialog) override;
    std::optional<Colour> ChooseColour() override;
    bool OpenHelpFile(const QString& path) override;

private:
    QWidget* Owner() const;

    QPointer<QWidget> mainWindow_;
};

}  // namespace kosmolux

#pragma once

#include "platform/dialogservice.h"

namespace kosmolux {

// The dialog service of the running program: Qt's message box, input box, file
// and colour dialogs, each modal and parented to the active window, and the
// desktop's viewer for the help file.
class QtDialogService : public DialogService {
public:
    Button MessageBox(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& proposed = {}) override;
    FileDialogResult ShowOpen(FileDialog& dialog) override;
    FileDialogResult ShowSave(FileDialog& dialog) override;
    std::optional<Colour> ChooseColour() override;
    bool OpenHelpFile(const QString& path) override;
};

}  // namespace kosmolux

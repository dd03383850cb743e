#pragma once

#include <ostream>

#include "platform/dialogservice.h"

namespace kosmolux {

// The dialog service of a program without a window: message boxes become
// lines "title: text" on a stream (standard error), and every question is
// answered as a cancel would answer it.
class ConsoleDialogService : public DialogService {
public:
    explicit ConsoleDialogService(std::ostream& out) : out_(out) {}

    Button MessageBox(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& proposed = {}) override;
    FileDialogResult ShowOpen(FileDialog& dialog) override;
    FileDialogResult ShowSave(FileDialog& dialog) override;
    std::optional<Colour> ChooseColour() override;
    bool OpenHelpFile(const QString& path) override;

    // How many message boxes have been written so far.
    int MessagesShown() const { return messagesShown_; }

private:
    std::ostream& out_;
    int messagesShown_ = 0;
};

}  // namespace kosmolux

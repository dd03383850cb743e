#pragma once

#include <deque>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "platform/dialogservice.h"

namespace kosmolux {

// A dialog service that records every call and answers from queues, for
// tests and fuzzing: nothing is ever shown. An OK message box needs no
// scripted answer; a Yes/No box, an input box, a file dialog and a colour
// choice take the next queued answer and throw std::logic_error when none is
// left, so that an unexpected dialog fails the test instead of hanging it.
class ScriptedDialogService : public DialogService {
public:
    enum class Kind { Message, Input, Open, Save, Colour, Help };

    struct Call {
        Kind kind;
        QString text;      // message text, input prompt, file dialog filter, help path
        QString title;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        QString proposed;  // the input box's proposed answer; a file dialog's name before the call
        int flags = 0;     // a file dialog's flags
    };

    struct FileAnswer {
        FileDialogOutcome outcome = FileDialogOutcome::Cancelled;
        QString path;  // for Chosen
        QString errorDescription;
        int errorNumber = 0;

        static FileAnswer Choose(const QString& chosen) { return {FileDialogOutcome::Chosen, chosen, {}, 0}; }
        static FileAnswer Cancel() { return {}; }
    };

    Button MessageBox(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& proposed = {}) override;
    FileDialogResult ShowOpen(FileDialog& dialog) override;
    FileDialogResult ShowSave(FileDialog& dialog) override;
    std::optional<Colour> ChooseColour() override;
    bool OpenHelpFile(const QString& path) override;

    // Calls of one kind, in order.
    std::vector<Call> CallsOf(Kind kind) const;
    // The texts of all message boxes shown, in order.
    QStringList MessageTexts() const;

    std::vector<Call> Calls;
    std::deque<Button> YesNoAnswers;
    std::deque<QString> InputAnswers;  // an empty text stands for Cancel
    std::deque<FileAnswer> FileAnswers;
    std::deque<std::optional<Colour>> ColourAnswers;  // nothing stands for Cancel
    bool HelpOpens = false;

private:
    FileDialogResult AnswerFileDialog(Kind kind, FileDialog& dialog);
};

}  // namespace kosmolux

#include "platform/scripteddialogservice.h"

#include <stdexcept>

namespace kosmolux {

namespace {

template <typename T>
T TakeAnswer(std::deque<T>& queue, const char* what, const QString& context)
{
    if (queue.empty())
        throw std::logic_error(std::string("ScriptedDialogService: no answer left for ") + what +
                               ": " + context.toStdString());
    T answer = queue.front();
    queue.pop_front();
    return answer;
}

}  // namespace

DialogService::Button ScriptedDialogService::MessageBox(const QString& text, const QString& title,
                                                        Icon icon, Buttons buttons)
{
    Calls.push_back({Kind::Message, text, title, icon, buttons, {}, 0});
    if (buttons == Buttons::Ok)
        return Button::Ok;
    return TakeAnswer(YesNoAnswers, "a Yes/No box", text);
}

QString ScriptedDialogService::InputBox(const QString& prompt, const QString& title,
                                        const QString& proposed)
{
    Calls.push_back({Kind::Input, prompt, title, Icon::None, Buttons::Ok, proposed, 0});
    return TakeAnswer(InputAnswers, "an input box", prompt);
}

FileDialogResult ScriptedDialogService::ShowOpen(FileDialog& dialog)
{
    return AnswerFileDialog(Kind::Open, dialog);
}

FileDialogResult ScriptedDialogService::ShowSave(FileDialog& dialog)
{
    return AnswerFileDialog(Kind::Save, dialog);
}

FileDialogResult ScriptedDialogService::AnswerFileDialog(Kind kind, FileDialog& dialog)
{
    Calls.push_back({kind, dialog.Filter, {}, Icon::None, Buttons::Ok, dialog.FileName, dialog.Flags});
    const FileAnswer answer = TakeAnswer(FileAnswers, "a file dialog", dialog.Filter);
    if (answer.outcome == FileDialogOutcome::Chosen)
        dialog.FileName = answer.path;
    return {answer.outcome, answer.errorDescription, answer.errorNumber};
}

std::optional<Colour> ScriptedDialogService::ChooseColour()
{
    Calls.push_back({Kind::Colour, {}, {}, Icon::None, Buttons::Ok, {}, 0});
    return TakeAnswer(ColourAnswers, "a colour choice", {});
}

bool ScriptedDialogService::OpenHelpFile(const QString& path)
{
    Calls.push_back({Kind::Help, path, {}, Icon::None, Buttons::Ok, {}, 0});
    return HelpOpens;
}

std::vector<ScriptedDialogService::Call> ScriptedDialogService::CallsOf(Kind kind) const
{
    std::vector<Call> result;
    for (const Call& call : Calls)
        if (call.kind == kind)
            result.push_back(call);
    return result;
}

QStringList ScriptedDialogService::MessageTexts() const
{
    QStringList texts;
    for (const Call& call : Calls)
        if (call.kind == Kind::Message)
            texts << call.text;
    return texts;
}

}  // namespace kosmolux

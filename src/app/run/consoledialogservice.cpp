#include "app/run/consoledialogservice.h"

namespace kosmolux {

DialogService::Button ConsoleDialogService::MessageBox(const QString& text, const QString& title, Icon,
                                                       Buttons buttons)
{
    out_ << (title + QStringLiteral(": ") + text).toStdString() << std::endl;
    ++messagesShown_;
    return buttons == Buttons::YesNo ? Button::No : Button::Ok;
}

QString ConsoleDialogService::InputBox(const QString&, const QString&, const QString&) { return {}; }

FileDialogResult ConsoleDialogService::ShowOpen(FileDialog&) { return {}; }

FileDialogResult ConsoleDialogService::ShowSave(FileDialog&) { return {}; }

std::optional<Colour> ConsoleDialogService::ChooseColour() { return std::nullopt; }

bool ConsoleDialogService::OpenHelpFile(const QString&) { return false; }

}  // namespace kosmolux

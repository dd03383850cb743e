#include "platform/qtdialogservice.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

#include "platform/filedialogsettings.h"

namespace kosmolux {

namespace {

QMessageBox::Icon QtIcon(DialogService::Icon icon)
{
    switch (icon) {
    case DialogService::Icon::Exclamation:
        return QMessageBox::Warning;
    case DialogService::Icon::Information:
        return QMessageBox::Information;
    case DialogService::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

FileDialogResult ShowFileDialog(FileDialog& dialog, QFileDialog::AcceptMode mode)
{
    QFileDialog box(QApplication::activeWindow());
    ApplyFileDialogSettings(box, dialog, mode);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return {FileDialogOutcome::Cancelled, {}, 0};
    return AcceptChosenPath(dialog, box.selectedFiles().constFirst());
}

}  // namespace

DialogService::Button QtDialogService::MessageBox(const QString& text, const QString& title, Icon icon,
                                                  Buttons buttons)
{
    const bool yesNo = buttons == Buttons::YesNo;
    QMessageBox box(QtIcon(icon), title, text, yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    const int pressed = box.exec();
    if (!yesNo)
        return Button::Ok;
    // Closing the box any other way than by Yes is no consent.
    return pressed == QMessageBox::Yes ? Button::Yes : Button::No;
}

QString QtDialogService::InputBox(const QString& prompt, const QString& title, const QString& proposed)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal,
                                               proposed, &accepted);
    return accepted ? text : QString();
}

FileDialogResult QtDialogService::ShowOpen(FileDialog& dialog)
{
    return ShowFileDialog(dialog, QFileDialog::AcceptOpen);
}

FileDialogResult QtDialogService::ShowSave(FileDialog& dialog)
{
    return ShowFileDialog(dialog, QFileDialog::AcceptSave);
}

std::optional<Colour> QtDialogService::ChooseColour()
{
    const QColor chosen = QColorDialog::getColor(Qt::white, QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return chosen.red() + 256 * chosen.green() + 65536 * chosen.blue();
}

bool QtDialogService::OpenHelpFile(const QString& path)
{
    // A missing file would otherwise be handed on, and the viewer's complaint lost.
    if (!QFileInfo(path).isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace kosmolux

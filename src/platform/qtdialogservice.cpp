#include "platform/qtdialogservice.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

#include "platform/dialogmodality.h"
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

FileDialogResult ShowFileDialog(FileDialog& dialog, QFileDialog::AcceptMode mode, QWidget* owner)
{
    QFileDialog box(owner);
    SetDialogModality(box);
    ApplyFileDialogSettings(box, dialog, mode);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return {FileDialogOutcome::Cancelled, {}, 0};
    return AcceptChosenPath(dialog, box.selectedFiles().constFirst());
}

}  // namespace

QWidget* QtDialogService::Owner() const
{
    if (QWidget* dialog = QApplication::activeModalWidget())
        return dialog;
    return mainWindow_ ? mainWindow_.data() : QApplication::activeWindow();
}

DialogService::Button QtDialogService::MessageBox(const QString& text, const QString& title, Icon icon,
                                                  Buttons buttons)
{
    const bool yesNo = buttons == Buttons::YesNo;
    QMessageBox box(QtIcon(icon), title, text, yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    Owner());
    SetDialogModality(box);
    const int pressed = box.exec();
    if (!yesNo)
        return Button::Ok;
    // Closing the box any other way than by Yes is no consent.
    return pressed == QMessageBox::Yes ? Button::Yes : Button::No;
}

QString QtDialogService::InputBox(const QString& prompt, const QString& title, const QString& proposed)
{
    QInputDialog box(Owner());
    SetDialogModality(box);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(proposed);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

FileDialogResult QtDialogService::ShowOpen(FileDialog& dialog)
{
    return ShowFileDialog(dialog, QFileDialog::AcceptOpen, Owner());
}

FileDialogResult QtDialogService::ShowSave(FileDialog& dialog)
{
    return ShowFileDialog(dialog, QFileDialog::AcceptSave, Owner());
}

std::optional<Colour> QtDialogService::ChooseColour()
{
    QColorDialog box(Qt::white, Owner());
    SetDialogModality(box);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    const QColor chosen = box.selectedColor();
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

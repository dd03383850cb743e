#include "ui/dialogs/helpviewer.h"

#include <QDir>
#include <QFileInfo>

#include "platform/dialogservice.h"
#include "ui/dialogs/helpwindow.h"

namespace kosmolux {

HelpViewer::HelpViewer(const QString& programFolder, DialogService& dialogs)
    : programFolder_(programFolder), dialogs_(dialogs)
{
}

HelpViewer::~HelpViewer()
{
    delete window_;
}

void HelpViewer::ShowHelp(QWidget* parent)
{
    const QDir folder(programFolder_);
    const QString compiledHelp = folder.filePath(QStringLiteral("Kosmolux.chm"));
    if (QFileInfo::exists(compiledHelp) && dialogs_.OpenHelpFile(compiledHelp))
        return;

    const QString indexPage = folder.filePath(QStringLiteral("help/index.html"));
    if (!QFileInfo::exists(indexPage)) {
        dialogs_.MessageBox(
            QStringLiteral("The user guide could not be opened. Kosmolux looked in the folder %1 "
                           "for \"Kosmolux.chm\" and for \"help/index.html\".")
                .arg(QDir::toNativeSeparators(folder.absolutePath())),
            QStringLiteral("Help"), DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
        return;
    }

    if (!window_) {
        window_ = new HelpWindow(indexPage, parent);
        // A closed guide window goes away; the next request opens a fresh one.
        window_->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        window_->ShowContents();
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

}  // namespace kosmolux

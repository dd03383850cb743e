#include "ui/dialogs/helpviewer.h"

#include <QDir>
#include <QFileInfo>

#include "platform/dialogservice.h"
#include "platform/installpaths.h"
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

HelpWindow* HelpViewer::Window() const
{
    return window_;
}

void HelpViewer::ShowHelp()
{
    const QString compiledHelp = QDir(programFolder_).filePath(QStringLiteral("Kosmolux.chm"));
    if (QFileInfo::exists(compiledHelp) && dialogs_.OpenHelpFile(compiledHelp))
        return;

    const QString indexPage = FindShippedData(programFolder_, QStringLiteral("help/index.html"));
    if (indexPage.isEmpty()) {
        const QStringList folders = ShippedDataFolders(programFolder_);
        dialogs_.MessageBox(
            QStringLiteral("The user guide could not be opened. Kosmolux looked in the folder %1 "
                           "for \"Kosmolux.chm\" and for \"help/index.html\", and in the folder %2 "
                           "for \"help/index.html\".")
                .arg(QDir::toNativeSeparators(folders[0]), QDir::toNativeSeparators(folders[1])),
            QStringLiteral("Help"), DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
        return;
    }

    if (!window_) {
        window_ = new HelpWindow(indexPage);
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

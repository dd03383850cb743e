// Systems opened without the file dialog: File > Recent Systems and files
// dropped on the window. Both load as Load System does.
#include "ui/main/frmmain.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMetaObject>
#include <QMimeData>
#include <QUrl>

#include "ui/main/usersettings.h"

namespace kosmolux {

namespace {

// The one system file a drag carries; empty when it carries anything else.
QString DraggedSystemFile(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QString path = urls.first().toLocalFile();
    const bool systemFile =
        QFileInfo(path).suffix().compare(QStringLiteral("kmx"), Qt::CaseInsensitive) == 0;
    return systemFile ? path : QString();
}

}  // namespace

void frmMain::BuildRecentMenu()
{
    auto* mnuFile = findChild<QMenu*>(QStringLiteral("mnuFile"));
    mnuFileRecent_ = new QMenu(QStringLiteral("&Recent Systems"), mnuFile);
    mnuFileRecent_->setObjectName(QStringLiteral("mnuFileRecent"));
    mnuFileRecent_->menuAction()->setObjectName(QStringLiteral("mnuFileRecent"));
    mnuFile->insertMenu(findChild<QAction*>(QStringLiteral("mnuLine1")), mnuFileRecent_);
    // Filled when the File menu opens: another Kosmolux may have added to it.
    connect(mnuFile, &QMenu::aboutToShow, this, &frmMain::FillRecentMenu);
    connect(mnuFileRecent_, &QMenu::triggered, this,
            [this](const QAction* item) { LoadSystemFile(item->data().toString()); });
    FillRecentMenu();
}

void frmMain::FillRecentMenu()
{
    mnuFileRecent_->clear();
    int number = 0;
    for (const QString& path : RecentSystems()) {
        // A file moved or deleted since is not offered.
        if (!QFileInfo::exists(path))
            continue;
        ++number;
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item =
            mnuFileRecent_->addAction(QStringLiteral("&%1 %2").arg(QString::number(number), shown));
        item->setData(path);
    }
    mnuFileRecent_->setEnabled(number > 0);
}

void frmMain::LoadSystemFile(const QString& path)
{
    const QString currentFile = commonDialog1_.FileName;
    commonDialog1_.FileName = path;
    LoadChosenFile(currentFile);
}

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DraggedSystemFile(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    const QString path = DraggedSystemFile(*event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Loaded after the drop has ended, so that the program the file came
    // from does not wait for the load and its questions.
    QMetaObject::invokeMethod(this, [this, path] { LoadDroppedFile(path); }, Qt::QueuedConnection);
}

void frmMain::LoadDroppedFile(const QString& path)
{
    // A drop is easily made by mistake: what a run has done to the system is
    // not thrown away without asking.
    if (globals_.SystemAltered
        && dialogs_.MessageBox(QStringLiteral("The simulation has changed the current system. "
                                              "Load %1 in its place?")
                                   .arg(QFileInfo(path).fileName()),
                               QStringLiteral("Load System"), DialogService::Icon::None,
                               DialogService::Buttons::YesNo)
               != DialogService::Button::Yes)
        return;
    LoadSystemFile(path);
}

}  // namespace kosmolux

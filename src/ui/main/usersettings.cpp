#include "ui/main/usersettings.h"

#include <QFileInfo>
#include <QSettings>
#include <QWidget>

namespace kosmolux {

namespace {

const QString RecentKey = QStringLiteral("RecentSystems");
const QString GeometryKey = QStringLiteral("MainWindow/Geometry");

QSettings UserSettings()
{
    return QSettings(QStringLiteral("Kosmolux"), QStringLiteral("Kosmolux"));
}

}  // namespace

QStringList RecentSystems()
{
    return UserSettings().value(RecentKey).toStringList();
}

void AddRecentSystem(const QString& path)
{
    // One entry per file, however it was named.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList paths = RecentSystems();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    UserSettings().setValue(RecentKey, paths.mid(0, MaxRecentSystems));
}

void SaveWindowGeometry(const QWidget& window)
{
    UserSettings().setValue(GeometryKey, window.saveGeometry());
}

void RestoreWindowGeometry(QWidget& window)
{
    const QByteArray geometry = UserSettings().value(GeometryKey).toByteArray();
    if (!geometry.isEmpty())
        window.restoreGeometry(geometry);
}

}  // namespace kosmolux

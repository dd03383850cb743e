#include "storage/currentfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kosmolux {

QString CurrentFilePath(const Globals& globals)
{
    const QString fileName = QStringLiteral("Current.kmx");
    const QFileInfo programFolder(globals.ProgramFolder);
    if (programFolder.isDir() && programFolder.isWritable())
        return QDir(globals.ProgramFolder).filePath(fileName);

    // An installed program's folder belongs to the system, not to the user.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // A folder that cannot be made is reported by the save that follows.
    QDir().mkpath(dataFolder);
    return QDir(dataFolder).filePath(fileName);
}

}  // namespace kosmolux

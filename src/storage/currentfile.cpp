#include "storage/currentfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/installpaths.h"

namespace kosmolux {

QString CurrentFilePath(const Globals& globals)
{
    const QString fileName = QStringLiteral("Current.kmx");
    // An installed program's folder holds programs only, even when the user may
    // write to it (a prefix of the user's own, such as ~/.local).
    const QFileInfo programFolder(globals.ProgramFolder);
    if (programFolder.isDir() && programFolder.isWritable() && !IsInstalledProgramFolder(globals.ProgramFolder))
        return QDir(globals.ProgramFolder).filePath(fileName);

    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // A folder that cannot be made is reported by the save that follows.
    QDir().mkpath(dataFolder);
    return QDir(dataFolder).filePath(fileName);
}

}  // namespace kosmolux

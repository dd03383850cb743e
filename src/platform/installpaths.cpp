#include "platform/installpaths.h"

#include <QDir>
#include <QFileInfo>

namespace kosmolux {

QStringList ShippedDataFolders(const QString& programFolder)
{
    const QDir programs(programFolder);
    // Relative, so that an installed tree still works when it is moved.
    return {programs.absolutePath(),
            QDir::cleanPath(programs.absoluteFilePath(QStringLiteral(KOSMOLUX_DATA_FROM_PROGRAMS)))};
}

bool IsInstalledProgramFolder(const QString& programFolder)
{
    return QFileInfo(ShippedDataFolders(programFolder).constLast()).isDir();
}

QString FindShippedData(const QString& programFolder, const QString& relativePath)
{
    for (const QString& folder : ShippedDataFolders(programFolder)) {
        const QString candidate = QDir(folder).filePath(relativePath);
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return {};
}

}  // namespace kosmolux

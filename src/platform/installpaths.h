#pragma once

#include <QString>
#include <QStringList>

namespace kosmolux {

// The folders that may hold what ships with the programs (the guide "help",
// the example systems "examples"), in the order they are searched: the
// program's own folder, as in the build folder, where help/ and examples/ lie
// beside the programs; then the installed data folder, PREFIX/share/kosmolux
// for programs in PREFIX/bin.
QStringList ShippedDataFolders(const QString& programFolder);

// Whether the programs in programFolder are installed: the installed data
// folder, PREFIX/share/kosmolux, lies beside them. The build folder has none.
bool IsInstalledProgramFolder(const QString& programFolder);

// The full path of relativePath in the first of those folders that holds it;
// empty when none does.
QString FindShippedData(const QString& programFolder, const QString& relativePath);

}  // namespace kosmolux

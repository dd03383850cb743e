#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace kosmolux {

// What the program keeps for the user between sessions, apart from any
// system: the main window's size and place, and the systems last loaded or
// saved. Kept in QSettings under the organisation and application "Kosmolux".

// The recent systems, newest first, at most MaxRecentSystems.
inline constexpr int MaxRecentSystems = 8;
QStringList RecentSystems();
// Puts a system file first in the list (once), dropping the oldest beyond the limit.
void AddRecentSystem(const QString& path);

void SaveWindowGeometry(const QWidget& window);
// Gives the window its saved size and place; nothing when none is saved.
void RestoreWindowGeometry(QWidget& window);

}  // namespace kosmolux

#include <csignal>
#include <memory>

#include <QApplication>
#include <QStringList>

#include "platform/qtdialogservice.h"
#include "platform/randomsource.h"
#include "storage/globals.h"
#include "ui/main/frmmain.h"
#include "ui/main/usersettings.h"

// The window program: one main window on the program-wide state. Everything
// after the program's name on the command line, joined by blanks, is the
// path of a system file to load at start.
int main(int argc, char** argv)
{
    // Beyond the file-size limit (ulimit -f) a write then fails with "File too
    // large", which a save reports, instead of the signal ending the program
    // and taking the system in memory with it.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    // Lets desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kosmolux.Kosmolux"));

    kosmolux::Globals globals;
    globals.ProgramFolder = QCoreApplication::applicationDirPath();
    globals.Random = std::make_unique<kosmolux::ClockSeededRandom>();
    kosmolux::QtDialogService dialogs;

    const QString commandLine = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
    kosmolux::frmMain window(globals, dialogs, commandLine);
    dialogs.SetMainWindow(&window);
    // The size and place of the last session; the design size the first time.
    kosmolux::RestoreWindowGeometry(window);
    window.show();
    return application.exec();
}

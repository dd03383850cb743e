#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/scripteddialogservice.h"
#include "storage/currentfile.h"
#include "storage/filebytes.h"
#include "storage/systemfile.h"

namespace kosmolux {
namespace {

// Points the user's data folder somewhere else for one scope.
class DataHome {
public:
    explicit DataHome(const QString& folder) { Set(folder); }
    ~DataHome()
    {
        if (hadOne_)
            qputenv("XDG_DATA_HOME", previous_);
        else
            qunsetenv("XDG_DATA_HOME");
    }
    static void Set(const QString& folder) { qputenv("XDG_DATA_HOME", QFile::encodeName(folder)); }

private:
    const bool hadOne_ = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    const QByteArray previous_ = qgetenv("XDG_DATA_HOME");
};

// "Current.kmx" stays in the program's folder when that can be written and is
// not an installed program's; else it goes to the user's data folder.
TEST(CurrentFileTest, StaysInAWritableProgramFolderOrGoesToTheUserDataFolder)
{
    QTemporaryDir home, program;
    ASSERT_TRUE(home.isValid() && program.isValid());
    const DataHome dataHome(home.path());
    const QString userCopy = QDir(home.path()).filePath(QCoreApplication::applicationName() + "/Current.kmx");
    Globals globals;
    globals.StartDate = QDate(2000, 1, 1);
    globals.EnsureSystem().Add("Sun", 1.989e30, 1.392e9, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    ScriptedDialogService dialogs;

    globals.ProgramFolder = program.path();
    EXPECT_EQ(CurrentFilePath(globals), program.filePath("Current.kmx"));
    if (geteuid() != 0) {
        const QFile::Permissions before = QFile::permissions(program.path());
        ASSERT_TRUE(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner));
        const QString path = CurrentFilePath(globals);
        QFile::setPermissions(program.path(), before);
        EXPECT_EQ(path, userCopy);
    }

    // A folder below a plain file can be written by nobody, not even root.
    ASSERT_TRUE(WriteBytes(program.filePath("plain"), "x"));
    globals.ProgramFolder = program.filePath("plain/bin");
    const QString path = CurrentFilePath(globals);
    EXPECT_EQ(path, userCopy);
    ASSERT_TRUE(SaveSystem(globals, dialogs, path));
    EXPECT_TRUE(ReadBytes(userCopy).startsWith("[System]\r\n1=Sun\r\n"));

    // PREFIX/bin beside PREFIX/share/kosmolux, as under ~/.local: written to
    // by the user, and still left alone.
    ASSERT_TRUE(QDir(program.path()).mkpath("bin") && QDir(program.path()).mkpath("share/kosmolux"));
    globals.ProgramFolder = program.filePath("bin");
    EXPECT_EQ(CurrentFilePath(globals), userCopy);

    // A data folder that cannot be made either: the save says so.
    DataHome::Set(program.filePath("plain/share"));
    EXPECT_FALSE(SaveSystem(globals, dialogs, CurrentFilePath(globals)));
    EXPECT_EQ(dialogs.Calls.size(), 1u);
}

}  // namespace
}  // namespace kosmolux

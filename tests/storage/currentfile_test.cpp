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

using Kind = ScriptedDialogService::Kind;

// The user's data folders point into a temporary folder during each test.
class CurrentFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home_.isValid());
        ASSERT_TRUE(program_.isValid());
        hadDataHome_ = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        oldDataHome_ = qgetenv("XDG_DATA_HOME");
        SetDataHome(home_.path());
        globals_.StartDate = QDate(2000, 1, 1);
        globals_.EnsureSystem().Add("Sun", 1.989e30, 1.392e9, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    }

    void TearDown() override
    {
        if (hadDataHome_)
            qputenv("XDG_DATA_HOME", oldDataHome_);
        else
            qunsetenv("XDG_DATA_HOME");
    }

    static void SetDataHome(const QString& folder) { qputenv("XDG_DATA_HOME", QFile::encodeName(folder)); }

    // Where the copy goes when the program's folder cannot be written.
    QString UserCopy() const
    {
        return QDir(home_.path()).filePath(QCoreApplication::applicationName() + QStringLiteral("/Current.kmx"));
    }

    QTemporaryDir home_;
    QTemporaryDir program_;
    bool hadDataHome_ = false;
    QByteArray oldDataHome_;
    Globals globals_;
    ScriptedDialogService dialogs_;
};

TEST_F(CurrentFileTest, StaysInAWritableProgramFolderOrGoesToTheUserDataFolder)
{
    globals_.ProgramFolder = program_.path();
    EXPECT_EQ(CurrentFilePath(globals_), program_.filePath("Current.kmx"));
    EXPECT_TRUE(FolderEntries(home_.path()).isEmpty());

    // A folder below a plain file can be written by nobody, not even root.
    ASSERT_TRUE(WriteBytes(program_.filePath("plain"), "x"));
    globals_.ProgramFolder = program_.filePath("plain/bin");
    ASSERT_FALSE(QFileInfo::exists(QFileInfo(UserCopy()).path()));

    const QString path = CurrentFilePath(globals_);
    EXPECT_EQ(path, UserCopy());
    ASSERT_TRUE(SaveSystem(globals_, dialogs_, path));
    EXPECT_TRUE(dialogs_.Calls.empty());
    EXPECT_TRUE(ReadBytes(UserCopy()).startsWith("[System]\r\n1=Sun\r\n"));
    EXPECT_EQ(FolderEntries(program_.path()), QStringList{"plain"});

    // A data folder that cannot be made either: the save says so.
    SetDataHome(program_.filePath("plain/share"));
    EXPECT_FALSE(SaveSystem(globals_, dialogs_, CurrentFilePath(globals_)));
    const auto messages = dialogs_.CallsOf(Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "SaveSystem");
}

TEST_F(CurrentFileTest, AnInstalledProgramFolderIsLeftAloneEvenWhenWritable)
{
    // PREFIX/bin beside PREFIX/share/kosmolux, as under ~/.local.
    ASSERT_TRUE(QDir(program_.path()).mkpath("bin"));
    ASSERT_TRUE(QDir(program_.path()).mkpath("share/kosmolux"));
    globals_.ProgramFolder = program_.filePath("bin");
    EXPECT_EQ(CurrentFilePath(globals_), UserCopy());
}

TEST_F(CurrentFileTest, LeavesAReadOnlyProgramFolderAlone)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write into a read-only folder";
    const QFile::Permissions before = QFile::permissions(program_.path());
    ASSERT_TRUE(QFile::setPermissions(program_.path(), QFile::ReadOwner | QFile::ExeOwner));
    globals_.ProgramFolder = program_.path();
    const QString path = CurrentFilePath(globals_);
    QFile::setPermissions(program_.path(), before);
    EXPECT_EQ(path, UserCopy());
}

}  // namespace
}  // namespace kosmolux

#include <csignal>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/scripteddialogservice.h"
#include "platform/textformats.h"
#include "storage/filebytes.h"
#include "storage/recordingcentrelist.h"
#include "storage/systemfile.h"

namespace kosmolux {
namespace {

// Saves that the operating system makes fail. Each must say why in the
// "SaveSystem" box, keep the previous file byte for byte, leave no temporary
// file and keep the system in memory as it was.
class SaveFaultTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        globals_.StartDate = QDate(2000, 3, 5);
        Planets& system = globals_.EnsureSystem();
        Planet& sun = system.Add("Sun", 1.989e30, 1.392e9, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
        sun.Parent = -1;
        system.Add("Earth", 5.976e24, 1.2756e7, 1.496e11, 0.0, 0.0, 0.0, 2.978e4, 0.0).Parent = sun.Id();
        system.SystemName = "Solar.kmx";
        ASSERT_TRUE(WriteBytes(PathOf("Solar.kmx"), Previous));
        inMemory_ = SystemFileContents(globals_);
    }

    QString PathOf(const QString& name) const { return folder_.filePath(name); }

    void ExpectSaveFails(const QString& path, const QString& message)
    {
        const std::size_t callsBefore = dialogs_.Calls.size();
        EXPECT_FALSE(SaveSystem(globals_, dialogs_, path));
        ASSERT_EQ(dialogs_.Calls.size(), callsBefore + 1);
        const ScriptedDialogService::Call& shown = dialogs_.Calls.back();
        EXPECT_EQ(shown.text, message);
        EXPECT_EQ(shown.title, "SaveSystem");
        EXPECT_EQ(shown.icon, DialogService::Icon::None);
        EXPECT_EQ(shown.buttons, DialogService::Buttons::Ok);
        EXPECT_EQ(SystemFileContents(globals_), inMemory_);
        EXPECT_EQ(globals_.CurrentSystem->SystemName, "Solar.kmx");
    }

    void ExpectPreviousFileAlone(const QStringList& entries = {"Solar.kmx"})
    {
        EXPECT_EQ(ReadBytes(PathOf("Solar.kmx")), Previous);
        EXPECT_EQ(FolderEntries(folder_.path()), entries);
    }

    static inline const QByteArray Previous = "[General]\r\nStartDate=1/1/1999\r\n";
    QTemporaryDir folder_;
    Globals globals_;
    ScriptedDialogService dialogs_;
    QByteArray inMemory_;
};

TEST_F(SaveFaultTest, PathsThatCannotBeWrittenEvenByTheSuperuser)
{
    ExpectSaveFails(PathOf("Missing/Solar.kmx"), "No such file or directory: 2");
    ExpectPreviousFileAlone();

    // A file stands where a folder should be.
    ExpectSaveFails(PathOf("Solar.kmx/Solar.kmx"), "Not a directory: 20");
    ExpectPreviousFileAlone();

    // A folder stands where the file should be; it keeps what it holds.
    ASSERT_TRUE(QDir(folder_.path()).mkpath("Taken.kmx/Inner"));
    ExpectSaveFails(PathOf("Taken.kmx"), "Is a directory: 21");
    EXPECT_EQ(FolderEntries(PathOf("Taken.kmx")), QStringList{"Inner"});
    ExpectPreviousFileAlone({"Solar.kmx", "Taken.kmx"});
}

// Lowers the largest file this process may write, as a full disk would: a
// write past the limit fails (EFBIG instead of ENOSPC) in the middle of the
// save's own writing, on the same line a full disk would make it fail.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        // Without this the kernel ends the process instead of failing the write.
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_ {};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(SaveFaultTest, AWriteThatRunsOutOfSpaceKeepsThePreviousFile)
{
    // Half of the new file fits, so the failure comes after a partial write.
    ASSERT_GT(inMemory_.size(), 200);
    {
        const FileSizeLimit limit(static_cast<rlim_t>(inMemory_.size() / 2));
        ExpectSaveFails(PathOf("Solar.kmx"), "File too large: 27");
    }
    ExpectPreviousFileAlone();
    EXPECT_TRUE(SaveSystem(globals_, dialogs_, PathOf("Solar.kmx")));
    EXPECT_EQ(ReadBytes(PathOf("Solar.kmx")), inMemory_);
}

TEST_F(SaveFaultTest, AReadOnlyFileOrFolderIsReported)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop the superuser";
    ASSERT_TRUE(QFile::setPermissions(PathOf("Solar.kmx"), QFile::ReadOwner));
    ExpectSaveFails(PathOf("Solar.kmx"), "Permission denied: 13");
    ExpectPreviousFileAlone();
    ASSERT_TRUE(QFile::setPermissions(PathOf("Solar.kmx"), QFile::ReadOwner | QFile::WriteOwner));

    ASSERT_TRUE(QFile::setPermissions(folder_.path(), QFile::ReadOwner | QFile::ExeOwner));
    ExpectSaveFails(PathOf("Solar.kmx"), "Permission denied: 13");
    ExpectSaveFails(PathOf("New.kmx"), "Permission denied: 13");
    ASSERT_TRUE(QFile::setPermissions(folder_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    ExpectPreviousFileAlone();
}

// A save renames a new file over the target: over a named pipe or a device
// (a superuser saving to /dev/null) that would put a plain file in its place.
TEST_F(SaveFaultTest, APipeOrDeviceIsNotReplaced)
{
    const QByteArray pipe = QFile::encodeName(PathOf("Pipe.kmx"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    // With a reader the pipe can be opened for writing.
    const int reader = ::open(pipe.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ExpectSaveFails(PathOf("Pipe.kmx"), "Not a regular file: 75");
    ::close(reader);
    struct stat status {};
    ASSERT_EQ(::stat(pipe.constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    ExpectPreviousFileAlone({"Pipe.kmx", "Solar.kmx"});
}

// A load that stops on an error keeps the bodies read so far, under the new
// file name, and is not a loaded system; none of the bodies may point at a
// body as its parent, since parents were not read yet.
TEST(LoadFaultTest, ABrokenLoadLeavesNoParentPointingAnywhere)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("Broken.kmx");
    ASSERT_TRUE(WriteBytes(path, "[System]\r\n1=Sun\r\n2=Earth\r\n3=Broken\r\n[General]\r\nTotalBodies=3\r\n"
                                 "[Sun]\r\nParent=Sun\r\n[Earth]\r\nParent=Sun\r\n[Broken]\r\nMass=1.0E+999\r\n"));
    Globals globals;
    globals.SystemLoaded = true;
    ScriptedDialogService dialogs;
    RecordingCentreList centres;
    LoadSystem(globals, dialogs, centres, path);
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{"Overflow: 6"});
    EXPECT_FALSE(globals.SystemLoaded);
    EXPECT_EQ(globals.CurrentSystem->SystemName, "Broken.kmx");
    EXPECT_EQ(centres.Entries.size(), 3u);
    EXPECT_EQ(centres.FirstSelections, 0);
    ASSERT_EQ(globals.CurrentSystem->Count(), 2);
    // The first body of the program has Id 0: a parent of 0 would name the Sun.
    EXPECT_EQ(globals.CurrentSystem->Item(1).Id(), 0);
    EXPECT_EQ(globals.CurrentSystem->Item(1).Parent, -1);
    EXPECT_EQ(globals.CurrentSystem->Item(2).Parent, -1);
}

// A year before 1 is written with a minus sign that does not read back:
// such a start date would be lost by the next save and load.
TEST(LoadFaultTest, AStartDateBeforeYearOneIsNoDate)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    EXPECT_EQ(text::ParseDate("-0500-03-05"), std::nullopt);
    EXPECT_EQ(text::ParseDate("0005-03-05"), QDate(5, 3, 5));
    QLocale::setDefault(before);
}

}  // namespace
}  // namespace kosmolux

#include <csignal>
#include <optional>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "storage/systemfiletest.h"

namespace kosmolux {
namespace {

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

// Saves that the operating system makes fail. Each says why in the
// "SaveSystem" box, keeps the previous file byte for byte, leaves no temporary
// file and keeps the system in memory as it was.
TEST_F(SystemFileTest, ASaveThatFailsSaysWhyAndChangesNothing)
{
    const QByteArray previous = "[General]\r\nStartDate=1/1/1999\r\n";
    ASSERT_TRUE(WriteBytes(PathOf("Before.kmx"), previous));
    ASSERT_TRUE(QDir(folder_.path()).mkpath("Taken.kmx/Inner"));
    // A save renames a new file over its target: over a named pipe (or a
    // device) that would put a plain file in its place. With a reader the
    // pipe can be opened for writing.
    const QByteArray pipe = QFile::encodeName(PathOf("Pipe.kmx"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    const int reader = ::open(pipe.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const QByteArray inMemory = SystemFileContents(globals_);
    const struct {
        QString path;
        QString message;
        rlim_t sizeLimit = RLIM_INFINITY;
        QString readOnly = {};  // made read-only for the save; permissions do not stop the superuser
    } faults[] = {
        {PathOf("Missing/Before.kmx"), "No such file or directory: 2"},
        {PathOf("Before.kmx/Before.kmx"), "Not a directory: 20"},
        {PathOf("Taken.kmx"), "Is a directory: 21"},
        {PathOf(QString(256, u'n')), "File name too long: 36"},
        {PathOf("Pipe.kmx"), "Not a regular file: 75"},
        // Half of the new file fits, so the failure comes after a partial write.
        {PathOf("Before.kmx"), "File too large: 27", static_cast<rlim_t>(inMemory.size() / 2)},
        {PathOf("Before.kmx"), "Permission denied: 13", RLIM_INFINITY, PathOf("Before.kmx")},
        {PathOf("Before.kmx"), "Permission denied: 13", RLIM_INFINITY, folder_.path()},
        {PathOf("New.kmx"), "Permission denied: 13", RLIM_INFINITY, folder_.path()},
    };
    for (const auto& [path, message, sizeLimit, readOnly] : faults) {
        if (!readOnly.isEmpty() && geteuid() == 0)
            continue;
        const QFile::Permissions permissions = QFile::permissions(readOnly);
        if (!readOnly.isEmpty()) {
            ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner));
        }
        dialogs_.Calls.clear();
        {
            std::optional<FileSizeLimit> limit;
            if (sizeLimit != RLIM_INFINITY)
                limit.emplace(sizeLimit);
            EXPECT_FALSE(SaveSystem(globals_, dialogs_, path)) << message.toStdString();
        }
        if (!readOnly.isEmpty())
            QFile::setPermissions(readOnly, permissions);
        ASSERT_EQ(dialogs_.Calls.size(), 1u) << message.toStdString();
        EXPECT_EQ(dialogs_.Calls[0].text, message);
        EXPECT_EQ(dialogs_.Calls[0].title, "SaveSystem");
        EXPECT_EQ(SystemFileContents(globals_), inMemory);
        EXPECT_EQ(globals_.CurrentSystem->SystemName, "Before.kmx");
        EXPECT_EQ(ReadBytes(PathOf("Before.kmx")), previous) << message.toStdString();
        EXPECT_EQ(FolderEntries(folder_.path()), QStringList({"Before.kmx", "Pipe.kmx", "Taken.kmx"}));
        EXPECT_EQ(FolderEntries(PathOf("Taken.kmx")), QStringList{"Inner"});
    }
    ::close(reader);
    // The temporary file has a short name of its own: a name as long as a
    // name can be still saves.
    EXPECT_TRUE(SaveSystem(globals_, dialogs_, PathOf(QString(255, u'n'))));
    EXPECT_TRUE(SaveSystem(globals_, dialogs_, PathOf("Before.kmx")));
    EXPECT_EQ(ReadBytes(PathOf("Before.kmx")), inMemory);
}

// A load that stops on an error keeps the bodies read so far, under the new
// file name, and is not a loaded system; none of the bodies may point at a
// body as its parent, since parents were not read yet.
TEST_F(SystemFileTest, ABrokenLoadIsNoLoadedSystemAndLeavesNoParents)
{
    LoadLines("[System]\n1=Sun\n2=Earth\n3=Broken\n[General]\nTotalBodies=3\n"
              "[Sun]\nParent=Sun\n[Earth]\nParent=Sun\n[Broken]\nMass=1.0E+999\n",
              "Broken.kmx");
    EXPECT_EQ(dialogs_.MessageTexts(), QStringList{"Overflow: 6"});
    EXPECT_FALSE(globals_.SystemLoaded);
    EXPECT_EQ(globals_.CurrentSystem->SystemName, "Broken.kmx");
    EXPECT_EQ(centres_.Entries.size(), 3u);
    EXPECT_EQ(centres_.FirstSelections, 0);
    ASSERT_EQ(globals_.CurrentSystem->Count(), 2);
    EXPECT_EQ(Body(1).Parent, -1);
    EXPECT_EQ(Body(2).Parent, -1);
}

}  // namespace
}  // namespace kosmolux

#include <algorithm>
#include <csignal>

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
        rlim_t sizeLimit = RLIM_INFINITY;  // the largest file this process may write, as a full disk would
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
        // Past the limit a write fails (EFBIG instead of ENOSPC) in the middle of
        // the save's own writing; without the signal ignored the kernel would end
        // the process instead.
        rlimit saved {};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit lowered = saved;
        lowered.rlim_cur = std::min(sizeLimit, saved.rlim_cur);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &lowered);
        EXPECT_FALSE(SaveSystem(globals_, dialogs_, path)) << message.toStdString();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
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

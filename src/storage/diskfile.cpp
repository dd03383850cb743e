#include "storage/diskfile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include "platform/programerror.h"

namespace kosmolux {

namespace {

// The permissions of the file about to be replaced, or nothing for a new file.
// Throws when the file exists but may not be written, or is no plain file: a
// pipe or a device (a superuser saving to /dev/null) must not be replaced by one.
std::optional<mode_t> ModeOfWritableFile(const QByteArray& path)
{
    // Non-blocking, so that a named pipe cannot hang the program.
    const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        throw SystemError(errno);
    }
    struct stat status {};
    const int statResult = ::fstat(fd, &status);
    const int statError = errno;
    ::close(fd);
    if (statResult != 0)
        throw SystemError(statError);
    if (!S_ISREG(status.st_mode))
        throw ProgramError(QStringLiteral("Not a regular file"), NotARegularFileError);
    return status.st_mode & 07777;
}

// A new file with a fresh name in the folder, removed again unless Keep() is called.
class TemporaryFile {
public:
    explicit TemporaryFile(const QString& folder)
    {
        // A short name: the target's own name may already be as long as a name can be.
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = QFile::encodeName(folder + QStringLiteral("/.kosmolux-") +
                                      QString::number(QRandomGenerator::global()->generate(), 16) +
                                      QStringLiteral(".tmp"));
            fd_ = ::open(path_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0 || errno != EEXIST)
                break;
        }
        if (fd_ < 0)
            throw SystemError(errno);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!kept_)
            ::unlink(path_.constData());
    }

    int Descriptor() const { return fd_; }
    const QByteArray& Path() const { return path_; }
    void Close()
    {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            throw SystemError(errno);
    }
    void Keep() { kept_ = true; }

private:
    QByteArray path_;
    int fd_ = -1;
    bool kept_ = false;
};

void WriteAll(int fd, const QByteArray& contents)
{
    const char* next = contents.constData();
    qsizetype left = contents.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw SystemError(errno);
        }
        next += written;
        left -= written;
    }
}

}  // namespace

ProgramError SystemError(int number)
{
    return ProgramError(QString::fromLocal8Bit(std::strerror(number)), number);
}

std::optional<QByteArray> ReadFileIfPresent(const QString& path)
{
    // Non-blocking, so that a named pipe cannot hang the program.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        throw SystemError(errno);
    }
    QByteArray contents;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && status.st_size > 0) {
        if (status.st_size > LargestFile) {
            ::close(fd);
            throw SystemError(EFBIG);
        }
        contents.reserve(static_cast<qsizetype>(status.st_size));
    }
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            const int readError = errno;
            ::close(fd);
            throw SystemError(readError);
        }
        contents.append(buffer, count);
        // A device or a pipe may never end.
        if (contents.size() > LargestFile) {
            ::close(fd);
            throw SystemError(EFBIG);
        }
    }
    ::close(fd);
    return contents;
}

void ReplaceFile(const QString& path, const QByteArray& contents)
{
    // What could not be read back is not written.
    if (contents.size() > LargestFile)
        throw SystemError(EFBIG);
    QString target = path;
    // Replace the file a symbolic link points to, and keep the link.
    const QFileInfo info(path);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
        target = info.canonicalFilePath();
    const QByteArray nativeTarget = QFile::encodeName(target);
    const std::optional<mode_t> mode = ModeOfWritableFile(nativeTarget);

    TemporaryFile temporary(QFileInfo(target).path());
    WriteAll(temporary.Descriptor(), contents);
    if (mode && ::fchmod(temporary.Descriptor(), *mode) != 0)
        throw SystemError(errno);
    if (::fsync(temporary.Descriptor()) != 0)
        throw SystemError(errno);
    temporary.Close();
    if (::rename(temporary.Path().constData(), nativeTarget.constData()) != 0)
        throw SystemError(errno);
    temporary.Keep();
}

}  // namespace kosmolux

#include "posix_file_system.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileStatus fromErrno(int error)
{
    return FileStatus::failure(QString::fromLocal8Bit(std::strerror(error)));
}

FileStatus lastError()
{
    return fromErrno(errno);
}

FileStatus checkRegular(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return lastError();
    if (!S_ISREG(info.st_mode))
        return FileStatus::failure(QStringLiteral("it is not a regular file"));
    return FileStatus::success();
}

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

} // namespace

FileStatus PosixFileSystem::makeFolder(const QString &path)
{
    if (::mkdir(encoded(path).constData(), 0777) != 0)
        return lastError();
    return FileStatus::success();
}

FileStatus PosixFileSystem::openForAppend(const QString &path, Handle *handle, bool *created)
{
    const QByteArray name = encoded(path);
    *created = false;
    // O_NONBLOCK so that a FIFO is refused instead of waiting for a reader.
    const int flags = O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    int fd = ::open(name.constData(), flags);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(name.constData(), flags | O_CREAT | O_EXCL, 0666);
        if (fd >= 0)
            *created = true;
        else if (errno == EEXIST)
            fd = ::open(name.constData(), flags);
    }
    if (fd < 0)
        return lastError();
    const FileStatus regular = checkRegular(fd);
    if (!regular.ok()) {
        ::close(fd);
        return regular;
    }
    *handle = fd;
    return FileStatus::success();
}

FileStatus PosixFileSystem::lockExclusive(Handle handle, int timeoutMs)
{
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(timeoutMs);
    while (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return lastError();
        if (steady_clock::now() >= deadline)
            return FileStatus::failure(QStringLiteral("another program keeps the file locked"));
        std::this_thread::sleep_for(milliseconds(10));
    }
    return FileStatus::success();
}

FileStatus PosixFileSystem::size(Handle handle, qint64 *bytes)
{
    struct stat info {};
    if (::fstat(handle, &info) != 0)
        return lastError();
    *bytes = info.st_size;
    return FileStatus::success();
}

FileStatus PosixFileSystem::write(Handle handle, const QByteArray &bytes, qint64 *written)
{
    *written = 0;
    if (bytes.isEmpty())
        return FileStatus::success();
    ssize_t n;
    do {
        n = ::write(handle, bytes.constData(), size_t(bytes.size()));
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return lastError();
    *written = n;
    return FileStatus::success();
}

FileStatus PosixFileSystem::sync(Handle handle)
{
    if (::fdatasync(handle) != 0)
        return lastError();
    return FileStatus::success();
}

FileStatus PosixFileSystem::truncate(Handle handle, qint64 bytes)
{
    if (::ftruncate(handle, off_t(bytes)) != 0)
        return lastError();
    return FileStatus::success();
}

FileStatus PosixFileSystem::close(Handle handle)
{
    // The descriptor is gone after close whatever it returns, so it is never
    // retried.
    if (::close(handle) != 0)
        return lastError();
    return FileStatus::success();
}

FileStatus PosixFileSystem::syncFolderOf(const QString &path)
{
    const QByteArray folder = encoded(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return lastError();
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    return synced ? FileStatus::success() : fromErrno(error);
}

FileStatus PosixFileSystem::readAll(const QString &path, QByteArray *bytes)
{
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return lastError();
    const FileStatus regular = checkRegular(fd);
    if (!regular.ok()) {
        ::close(fd);
        return regular;
    }
    bytes->clear();
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return fromErrno(error);
        }
        if (n == 0)
            break;
        bytes->append(buffer, n);
    }
    ::close(fd);
    return FileStatus::success();
}

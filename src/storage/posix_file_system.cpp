#include "native_file_system.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileStatus fromErrno(int error)
{
    return FileStatus::failure(QString::fromLocal8Bit(std::strerror(error)),
                               error == ENOENT || error == ENOTDIR);
}

FileStatus lastError()
{
    return fromErrno(errno);
}

// A call that gives 0 on success and sets errno otherwise.
FileStatus statusOf(int result)
{
    return result == 0 ? FileStatus::success() : lastError();
}

int descriptor(FileSystem::Handle handle)
{
    return int(handle);
}

FileStatus refusal(mode_t mode)
{
    if (S_ISLNK(mode))
        return refusal(NotPlainFile::Link);
    if (S_ISDIR(mode))
        return refusal(NotPlainFile::Folder);
    if (S_ISFIFO(mode))
        return refusal(NotPlainFile::Pipe);
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return refusal(NotPlainFile::Device);
    return refusal(NotPlainFile::Other);
}

// A path's folder, open, and the plain name of the file in it. The folder is
// opened anew by every call, through any links its path leads through, so
// that a folder moved or removed meanwhile is noticed, not written into.
class InFolder
{
public:
    InFolder() = default;
    ~InFolder()
    {
        if (folder >= 0)
            ::close(folder);
    }
    InFolder(const InFolder &) = delete;
    InFolder &operator=(const InFolder &) = delete;

    FileStatus open(const QString &path)
    {
        const QByteArray bytes = QFile::encodeName(path);
        const qsizetype slash = bytes.lastIndexOf('/');
        const QByteArray folderPath = slash < 0    ? QByteArray(".")
                                      : slash == 0 ? QByteArray("/")
                                                   : bytes.left(slash);
        name = bytes.mid(slash + 1);
        if (name.isEmpty() || name == "." || name == "..")
            return refusal(NotPlainFile::Folder);
        folder = ::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        return folder >= 0 ? FileStatus::success() : lastError();
    }

    int folder = -1;
    QByteArray name;
};

// Opens a plain file of the folder by its name and nothing else. The kind is
// looked at before the open, because opening a device or a FIFO can block or
// act on the device; O_NOFOLLOW, O_NONBLOCK and the second look through the
// descriptor cover an entry that changes in between.
FileStatus openRegular(const QString &path, int access, FileSystem::Creation creation,
                       FileSystem::Handle *handle, bool *created)
{
    using Creation = FileSystem::Creation;
    *created = false;
    InFolder at;
    FileStatus status = at.open(path);
    if (!status.ok())
        return status;
    const bool creating = creation != Creation::Never;
    const bool exclusive = creation == Creation::PrivateNew;
    const mode_t mode =
        creation == Creation::PrivateIfMissing || creation == Creation::PrivateNew ? 0600 : 0666;
    const char *name = at.name.constData();
    struct stat info = {};
    if (::fstatat(at.folder, name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
        if (!S_ISREG(info.st_mode))
            return refusal(info.st_mode);
        if (exclusive)
            return fromErrno(EEXIST);
    } else if (errno != ENOENT || !creating) {
        return lastError();
    }

    const int flags = access | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW;
    int opened = exclusive ? -1 : ::openat(at.folder, name, flags);
    if (exclusive || (opened < 0 && errno == ENOENT && creating)) {
        // O_EXCL also refuses to create through a dangling link.
        opened = ::openat(at.folder, name, flags | O_CREAT | O_EXCL, mode);
        if (opened >= 0)
            *created = true;
        else if (errno == EEXIST && !exclusive)
            opened = ::openat(at.folder, name, flags);
    }
    if (opened < 0)
        return errno == ELOOP ? refusal(NotPlainFile::Link) : lastError();

    if (::fstat(opened, &info) != 0) {
        const int error = errno;
        ::close(opened);
        return fromErrno(error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(opened);
        return refusal(info.st_mode);
    }
    const int statusFlags = ::fcntl(opened, F_GETFL);
    if (statusFlags < 0 || ::fcntl(opened, F_SETFL, statusFlags & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(opened);
        return fromErrno(error);
    }
    *handle = opened;
    return FileStatus::success();
}

} // namespace

FileStatus NativeFileSystem::makeFolder(const QString &path)
{
    return statusOf(::mkdir(QFile::encodeName(path).constData(), 0777));
}

FileStatus NativeFileSystem::openForLock(const QString &path, Handle *handle, bool *created)
{
    return openRegular(path, O_RDONLY, Creation::IfMissing, handle, created);
}

FileStatus NativeFileSystem::lockExclusive(Handle handle, int timeoutMs)
{
    return waitForLock(timeoutMs, [handle]() -> std::optional<FileStatus> {
        if (::flock(descriptor(handle), LOCK_EX | LOCK_NB) == 0)
            return FileStatus::success();
        if (errno == EWOULDBLOCK || errno == EINTR)
            return std::nullopt;
        return lastError();
    });
}

FileStatus NativeFileSystem::unlock(Handle handle)
{
    return statusOf(::flock(descriptor(handle), LOCK_UN));
}

FileStatus NativeFileSystem::openForAppend(const QString &path, Creation creation, Handle *handle,
                                           bool *created)
{
    return openRegular(path, O_WRONLY | O_APPEND, creation, handle, created);
}

FileStatus NativeFileSystem::size(Handle handle, qint64 *bytes)
{
    struct stat info = {};
    if (::fstat(descriptor(handle), &info) != 0)
        return lastError();
    *bytes = info.st_size;
    return FileStatus::success();
}

FileStatus NativeFileSystem::identity(Handle handle, QString *id)
{
    struct stat info = {};
    if (::fstat(descriptor(handle), &info) != 0)
        return lastError();
    *id = QStringLiteral("%1:%2").arg(quint64(info.st_dev)).arg(quint64(info.st_ino));
    return FileStatus::success();
}

FileStatus NativeFileSystem::ownedByUser(Handle handle, bool *owned)
{
    struct stat info = {};
    if (::fstat(descriptor(handle), &info) != 0)
        return lastError();
    *owned = info.st_uid == ::geteuid();
    return FileStatus::success();
}

FileStatus NativeFileSystem::write(Handle handle, const QByteArray &bytes, qint64 *written)
{
    *written = 0;
    if (bytes.isEmpty())
        return FileStatus::success();
    ssize_t n;
    do {
        n = ::write(descriptor(handle), bytes.constData(), size_t(bytes.size()));
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return lastError();
    *written = n;
    return FileStatus::success();
}

FileStatus NativeFileSystem::sync(Handle handle)
{
    return statusOf(::fdatasync(descriptor(handle)));
}

FileStatus NativeFileSystem::truncate(Handle handle, qint64 bytes)
{
    int result;
    do {
        result = ::ftruncate(descriptor(handle), off_t(bytes));
    } while (result != 0 && errno == EINTR);
    return statusOf(result);
}

FileStatus NativeFileSystem::close(Handle handle)
{
    // Linux releases the descriptor even when close fails, so it is never
    // retried: a second close could hit a descriptor opened meanwhile.
    return statusOf(::close(descriptor(handle)));
}

FileStatus NativeFileSystem::syncFolderOf(const QString &path)
{
    InFolder at;
    FileStatus status = at.open(path);
    if (status.ok())
        status = statusOf(::fsync(at.folder));
    return status;
}

FileStatus NativeFileSystem::openForRead(const QString &path, Handle *handle)
{
    bool created = false;
    return openRegular(path, O_RDONLY, Creation::Never, handle, &created);
}

FileStatus NativeFileSystem::readSome(Handle handle, char *buffer, qint64 size, qint64 *read)
{
    ssize_t n;
    do {
        n = ::read(descriptor(handle), buffer, size_t(size));
    } while (n < 0 && errno == EINTR);
    *read = n;
    return n < 0 ? lastError() : FileStatus::success();
}

FileStatus NativeFileSystem::rename(const QString &from, const QString &to)
{
    InFolder source;
    InFolder target;
    FileStatus status = source.open(from);
    if (status.ok())
        status = target.open(to);
    if (!status.ok())
        return status;
    struct stat sourceFolder = {};
    struct stat targetFolder = {};
    if (::fstat(source.folder, &sourceFolder) != 0 || ::fstat(target.folder, &targetFolder) != 0)
        return lastError();
    if (sourceFolder.st_dev != targetFolder.st_dev || sourceFolder.st_ino != targetFolder.st_ino)
        return FileStatus::failure(QStringLiteral("the two names are not in one folder"));
    return statusOf(
        ::renameat(source.folder, source.name.constData(), source.folder, target.name.constData()));
}

FileStatus NativeFileSystem::remove(const QString &path)
{
    InFolder at;
    FileStatus status = at.open(path);
    if (status.ok())
        status = statusOf(::unlinkat(at.folder, at.name.constData(), 0));
    return status;
}

FileStatus NativeFileSystem::listFolder(const QString &folder, const QString &prefix,
                                        QStringList *names)
{
    names->clear();
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return lastError();
    const QByteArray start = QFile::encodeName(prefix);
    errno = 0;
    while (const dirent *entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, start.constData(), size_t(start.size())) == 0)
            names->append(QFile::decodeName(entry->d_name));
    }
    const int error = errno;
    ::closedir(dir);
    return error == 0 ? FileStatus::success() : fromErrno(error);
}

std::unique_ptr<FileSystem> makeNativeFileSystem()
{
    // A file-size limit must fail the write, not kill the program.
    std::signal(SIGXFSZ, SIG_IGN);
    return std::make_unique<NativeFileSystem>();
}

#pragma once

#include <QByteArray>
#include <QString>

// The outcome of one file operation: the system's reason when it failed.
struct FileStatus
{
    QString reason;
    bool ok() const { return reason.isEmpty(); }
    static FileStatus success() { return {}; }
    static FileStatus failure(const QString &why) { return {why.isEmpty() ? QStringLiteral("unknown error") : why}; }
};

// The operating system's files, one call per operation, so that a test can
// make any single call fail. Paths are native paths. A handle stands for an
// open file: a descriptor opened with O_APPEND on POSIX systems; on Windows
// the same calls map to a handle opened with FILE_APPEND_DATA only, and the
// lock to LockFileEx.
class FileSystem
{
public:
    using Handle = int;

    virtual ~FileSystem() = default;

    virtual FileStatus makeFolder(const QString &path) = 0;

    // Opens a regular file for appending, creating it when missing. Anything
    // else (a folder, a FIFO, a device, a missing folder) is refused at once.
    virtual FileStatus openForAppend(const QString &path, Handle *handle, bool *created) = 0;
    // Waits at most timeoutMs for an exclusive lock; it goes with the close.
    virtual FileStatus lockExclusive(Handle handle, int timeoutMs) = 0;
    virtual FileStatus size(Handle handle, qint64 *bytes) = 0;
    // One write call; *written tells how much of it went out.
    virtual FileStatus write(Handle handle, const QByteArray &bytes, qint64 *written) = 0;
    virtual FileStatus sync(Handle handle) = 0;
    virtual FileStatus truncate(Handle handle, qint64 bytes) = 0;
    virtual FileStatus close(Handle handle) = 0;
    // Makes a newly created entry of the folder that holds path durable.
    virtual FileStatus syncFolderOf(const QString &path) = 0;

    virtual FileStatus readAll(const QString &path, QByteArray *bytes) = 0;
};

#pragma once

#include "file_system.h"

#include <QByteArray>

#include <functional>
#include <memory>
#include <optional>

// The file layer of the system the program was built for: the build compiles
// posix_file_system.cpp or win32_file_system.cpp for it.
class NativeFileSystem : public FileSystem
{
public:
    FileStatus makeFolder(const QString &path) override;
    FileStatus openForLock(const QString &path, Handle *handle, bool *created) override;
    FileStatus lockExclusive(Handle handle, int timeoutMs) override;
    FileStatus unlock(Handle handle) override;
    FileStatus openForAppend(const QString &path, Creation creation, Handle *handle,
                             bool *created) override;
    FileStatus size(Handle handle, qint64 *bytes) override;
    FileStatus identity(Handle handle, QString *id) override;
    FileStatus ownedByUser(Handle handle, bool *owned) override;
    FileStatus write(Handle handle, const QByteArray &bytes, qint64 *written) override;
    FileStatus sync(Handle handle) override;
    FileStatus truncate(Handle handle, qint64 bytes) override;
    FileStatus close(Handle handle) override;
    FileStatus syncFolderOf(const QString &path) override;
    FileStatus readAll(const QString &path, QByteArray *bytes) override;
    FileStatus rename(const QString &from, const QString &to) override;
    FileStatus remove(const QString &path) override;
    FileStatus listFolder(const QString &folder, const QString &prefix,
                          QStringList *names) override;

private:
    // The system's own halves of readAll: a plain file opened for reading,
    // refused as above, and one read of what comes next (nothing at the end).
    static FileStatus openForRead(const QString &path, Handle *handle);
    static FileStatus readSome(Handle handle, char *buffer, qint64 size, qint64 *read);
};

// What the layers of both systems share; the system calls stay in each.

// The kinds of entry that are refused where a plain file should be, and the
// reason given for each.
enum class NotPlainFile
{
    Link,
    Folder,
    Pipe,
    Device,
    Other
};
FileStatus refusal(NotPlainFile kind);

// Tries to take a lock until tryOnce takes it or timeoutMs have passed;
// tryOnce gives nothing while another copy holds the lock.
FileStatus waitForLock(int timeoutMs, const std::function<std::optional<FileStatus>()> &tryOnce);

// The program's file layer; on POSIX systems a file-size limit then fails a
// write instead of killing the program.
std::unique_ptr<FileSystem> makeNativeFileSystem();

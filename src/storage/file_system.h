#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The outcome of a file operation, and the one failure type of the storage
// layer: the native path of the file it concerns (once a caller named it),
// the system's reason when it failed, and whether that was because nothing
// is there (no such file, or no such folder on the way to it).
struct FileStatus
{
    QString path;
    QString reason;
    bool missing = false;
    bool ok() const { return reason.isEmpty(); }
    static FileStatus success() { return {}; }
    static FileStatus failure(const QString &why, bool missing = false)
    {
        return {{}, why.isEmpty() ? QStringLiteral("unknown error") : why, missing};
    }
    // The same outcome, naming the file it concerns.
    FileStatus of(const QString &file) const { return {file, reason, missing}; }
};

// The operating system's files, one call per operation, so that a test can
// make any single call fail. Paths are native paths.
//
// A path is a folder and a plain name. Every call opens the folder anew from
// its path (links on the way are followed: the student chose that path), then
// the file by its plain name in that folder, never through a link: a link, a
// folder, a device or a pipe where a file should be is refused at once, and
// the reason says that it is not a plain file. Files for the user alone are
// created with mode 0600, new files exclusively.
//
// A handle stands for an open file: a descriptor on POSIX systems, a HANDLE
// on Windows, where each call is one Win32 call (win32_file_system.cpp).
class FileSystem
{
public:
    using Handle = qintptr;
    static constexpr Handle noHandle = -1;

    enum class Creation
    {
        IfMissing,        // created when missing, readable as the system's defaults allow
        PrivateIfMissing, // created when missing, for the user alone
        PrivateNew,       // created now, for the user alone; refused when the name is taken
        Never
    };

    virtual ~FileSystem() = default;

    virtual FileStatus makeFolder(const QString &path) = 0;

    // The file that guards a record, opened only to hold its lock; it is
    // created when missing. Anything but a plain file is refused as above.
    virtual FileStatus openForLock(const QString &path, Handle *handle, bool *created) = 0;
    // Waits at most timeoutMs for an exclusive lock of the file behind the
    // handle; it lasts until unlock or close. The lock is advisory on POSIX:
    // it keeps out other copies of the program, which take it too.
    virtual FileStatus lockExclusive(Handle handle, int timeoutMs) = 0;
    virtual FileStatus unlock(Handle handle) = 0;

    // Opens a plain file for appending. Anything else (a link, a folder, a
    // FIFO, a device, a path in a missing folder) is refused at once, without
    // waiting and without creating anything.
    virtual FileStatus openForAppend(const QString &path, Creation creation, Handle *handle,
                                     bool *created) = 0;
    virtual FileStatus size(Handle handle, qint64 *bytes) = 0;
    // What tells this file from another one put at the same path later.
    virtual FileStatus identity(Handle handle, QString *id) = 0;
    // Whether the file belongs to the user running the program.
    virtual FileStatus ownedByUser(Handle handle, bool *owned) = 0;
    // One write call at the end of the file; *written tells how much of it
    // went out.
    virtual FileStatus write(Handle handle, const QByteArray &bytes, qint64 *written) = 0;
    // The file's data on stable storage. A failure is final: the data may be
    // lost whatever a second call says.
    virtual FileStatus sync(Handle handle) = 0;
    virtual FileStatus truncate(Handle handle, qint64 bytes) = 0;
    // The handle is gone afterwards, whatever the result.
    virtual FileStatus close(Handle handle) = 0;
    // Makes a newly created entry of the folder that holds path durable.
    virtual FileStatus syncFolderOf(const QString &path) = 0;

    // The whole content of a plain file; other kinds are refused as above.
    virtual FileStatus readAll(const QString &path, QByteArray *bytes) = 0;

    // Puts the file at from in the place of the one at to, both in one
    // folder, in one step: a reader finds the old file or the new one, never
    // a part of either. The folder's sync makes it durable.
    virtual FileStatus rename(const QString &from, const QString &to) = 0;
    // Removes the entry itself, a link included, never what a link points at.
    virtual FileStatus remove(const QString &path) = 0;
    // The names of the folder's entries that begin with prefix.
    virtual FileStatus listFolder(const QString &folder, const QString &prefix,
                                  QStringList *names) = 0;
};

// Writes the bytes at the end of the file with one call; a write that takes
// only part of them is a failure (the disk may be full).
FileStatus writeWhole(FileSystem &files, FileSystem::Handle handle, const QByteArray &bytes);

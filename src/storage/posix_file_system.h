#pragma once

#include "file_system.h"

class PosixFileSystem : public FileSystem
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
};

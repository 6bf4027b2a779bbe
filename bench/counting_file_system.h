#pragma once

#include "storage/file_system.h"

// The platform's file layer, counting the calls that reach stable storage.
class CountingFileSystem : public FileSystem
{
public:
    explicit CountingFileSystem(FileSystem &real) : m_real(real) {}

    int syncs = 0;
    int folderSyncs = 0;
    int writes = 0;

    FileStatus makeFolder(const QString &path) override { return m_real.makeFolder(path); }
    FileStatus openForLock(const QString &path, Handle *handle, bool *created) override
    {
        return m_real.openForLock(path, handle, created);
    }
    FileStatus lockExclusive(Handle handle, int timeoutMs) override
    {
        return m_real.lockExclusive(handle, timeoutMs);
    }
    FileStatus unlock(Handle handle) override { return m_real.unlock(handle); }
    FileStatus openForAppend(const QString &path, Creation creation, Handle *handle,
                             bool *created) override
    {
        return m_real.openForAppend(path, creation, handle, created);
    }
    FileStatus size(Handle handle, qint64 *bytes) override { return m_real.size(handle, bytes); }
    FileStatus identity(Handle handle, QString *id) override { return m_real.identity(handle, id); }
    FileStatus ownedByUser(Handle handle, bool *owned) override
    {
        return m_real.ownedByUser(handle, owned);
    }
    FileStatus write(Handle handle, const QByteArray &bytes, qint64 *written) override
    {
        ++writes;
        return m_real.write(handle, bytes, written);
    }
    FileStatus sync(Handle handle) override
    {
        ++syncs;
        return m_real.sync(handle);
    }
    FileStatus truncate(Handle handle, qint64 bytes) override
    {
        return m_real.truncate(handle, bytes);
    }
    FileStatus close(Handle handle) override { return m_real.close(handle); }
    FileStatus syncFolderOf(const QString &path) override
    {
        ++folderSyncs;
        return m_real.syncFolderOf(path);
    }
    FileStatus readAll(const QString &path, QByteArray *bytes) override
    {
        return m_real.readAll(path, bytes);
    }
    FileStatus rename(const QString &from, const QString &to) override
    {
        return m_real.rename(from, to);
    }
    FileStatus remove(const QString &path) override { return m_real.remove(path); }
    FileStatus listFolder(const QString &folder, const QString &prefix, QStringList *names) override
    {
        return m_real.listFolder(folder, prefix, names);
    }

private:
    FileSystem &m_real;
};

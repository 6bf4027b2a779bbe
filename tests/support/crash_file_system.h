#pragma once

#include "storage/file_system.h"

#include <QList>
#include <QMap>

// Files in memory that remember what reached the disk. Every operation that
// changes a file is recorded in order; a sync makes a file's earlier changes
// durable, a folder sync makes the files created in it durable. From the
// record, crashStates() builds what a power loss after any prefix of the
// operations can leave: nothing unsynced, everything, or each single
// unsynced change on top of what was durable.
class CrashFileSystem : public FileSystem
{
public:
    struct File
    {
        QByteArray data;
        QString identity;
    };
    using Files = QMap<QString, File>;

    struct Change
    {
        enum Kind
        {
            Create,
            Write,
            Truncate,
            Sync,
            SyncFolder
        };
        Kind kind;
        QString path;
        qint64 offset = 0; // a write's place, a truncate's length
        QByteArray bytes;
        QString identity; // of a created file
    };

    explicit CrashFileSystem(const Files &files = {});

    const Files &files() const { return m_files; }
    const QList<Change> &changes() const { return m_changes; }
    QByteArray read(const QString &path) const { return m_files.value(path).data; }

    // What the disk may hold after a crash once the first count changes ran.
    static QList<Files> crashStates(const Files &before, const QList<Change> &changes,
                                    qsizetype count);

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

    int openHandles() const { return int(m_handles.size()); }

private:
    Files m_files;
    QList<Change> m_changes;
    QMap<Handle, QString> m_handles;
    Handle m_next = 3;
    int m_created = 0;
};

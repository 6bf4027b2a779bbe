#pragma once

#include "storage/file_system.h"

#include <QList>
#include <QSet>

#include <functional>
#include <optional>

// A file layer over a real one that can be told to fail. Calls are counted
// from 1, across every kind or within the one kind a fault is limited to; a
// failed call does nothing, except that a failed close still closes (the
// handle is gone either way), and it gives the fault's reason. Short writes
// count writes only: the chosen write puts out half of its bytes and reports
// that. A child process can also be made to die at a chosen call, as at a
// power cut.
class FaultyFileSystem : public FileSystem
{
public:
    enum class Call
    {
        MakeFolder,
        OpenForLock,
        Lock,
        Unlock,
        OpenForAppend,
        Size,
        Write,
        Sync,
        Truncate,
        Close,
        SyncFolder,
        ReadAll,
        Identity,
        Owner,
        Rename,
        Remove,
        ListFolder
    };
    enum class Fault
    {
        None,
        FailOnce,           // call n fails, the rest work
        FailFromThenOn,     // call n and every later call fail
        ShortWrite,         // write n is short, the rest work
        ShortWriteThenFail, // write n is short, every later call fails
        KillBefore          // the process dies by SIGKILL as call n begins
    };

    struct Entry
    {
        Call call;
        Handle handle;
        bool failed;
    };

    explicit FaultyFileSystem(FileSystem &real);

    // Only calls of the given kind count towards n when one is given; an
    // empty reason stands for injectedReason.
    void inject(Fault fault, int n, std::optional<Call> only = std::nullopt,
                const QString &reason = QString());

    bool triggered() const { return m_triggered; }
    int calls() const { return int(log.size()); }
    // Handles opened through this layer and not closed yet.
    int openHandles() const { return int(m_open.size()); }
    int count(Call call, Handle handle = noHandle) const;

    QList<Entry> log;
    // Kinds of call that fail every time, besides the injected fault, except
    // on the handles that spared() names.
    QSet<Call> alwaysFailing;
    std::function<bool(Handle)> spared;
    // Runs as each call begins, before the call is counted: what another
    // program does to the files meanwhile.
    std::function<void(Call)> beforeCall;
    QString injectedReason = QStringLiteral("injected fault");

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
    // Logs the call and tells whether it is to fail, and why.
    bool fails(Call call, Handle handle);
    FileStatus injected() const { return FileStatus::failure(m_why); }

    FileSystem &m_real;
    Fault m_fault = Fault::None;
    int m_n = 0;
    std::optional<Call> m_only;
    QString m_reason;
    QString m_why;
    int m_writes = 0;
    bool m_failing = false; // every call fails from now on
    bool m_triggered = false;
    QSet<Handle> m_open;
};

#include "faulty_file_system.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#endif

namespace {

// Ends the process as a kill from outside does: no handler, no flush.
[[noreturn]] void killSelf()
{
#ifdef Q_OS_WIN
    // The exit code of QProcess::kill(), which its caller reads as a crash.
    TerminateProcess(GetCurrentProcess(), 0xf291);
#else
    std::raise(SIGKILL);
#endif
    std::abort();
}

} // namespace

FaultyFileSystem::FaultyFileSystem(FileSystem &real) : m_real(real) {}

void FaultyFileSystem::inject(Fault fault, int n, std::optional<Call> only, const QString &reason)
{
    m_fault = fault;
    m_n = n;
    m_only = only;
    m_reason = reason;
}

int FaultyFileSystem::count(Call call, Handle handle) const
{
    int n = 0;
    for (const Entry &entry : log)
        if (entry.call == call && (handle == noHandle || entry.handle == handle))
            ++n;
    return n;
}

bool FaultyFileSystem::fails(Call call, Handle handle)
{
    if (beforeCall)
        beforeCall(call);
    bool failed = m_failing || (alwaysFailing.contains(call) && !(spared && spared(handle)));
    m_why = m_failing && !m_reason.isEmpty() ? m_reason : injectedReason;
    const bool counted = !m_only || *m_only == call;
    const int number = m_only ? count(call) + 1 : int(log.size()) + 1;
    if (m_fault == Fault::KillBefore && counted && number == m_n)
        killSelf();
    if (!failed && counted && number == m_n &&
        (m_fault == Fault::FailOnce || m_fault == Fault::FailFromThenOn)) {
        failed = true;
        m_triggered = true;
        m_failing = m_fault == Fault::FailFromThenOn;
        if (!m_reason.isEmpty())
            m_why = m_reason;
    }
    log.append({call, handle, failed});
    return failed;
}

FileStatus FaultyFileSystem::makeFolder(const QString &path)
{
    return fails(Call::MakeFolder, noHandle) ? injected() : m_real.makeFolder(path);
}

FileStatus FaultyFileSystem::openForLock(const QString &path, Handle *handle, bool *created)
{
    if (fails(Call::OpenForLock, noHandle))
        return injected();
    const FileStatus status = m_real.openForLock(path, handle, created);
    if (status.ok()) {
        m_open.insert(*handle);
        log.last().handle = *handle;
    }
    return status;
}

FileStatus FaultyFileSystem::lockExclusive(Handle handle, int timeoutMs)
{
    return fails(Call::Lock, handle) ? injected() : m_real.lockExclusive(handle, timeoutMs);
}

FileStatus FaultyFileSystem::unlock(Handle handle)
{
    return fails(Call::Unlock, handle) ? injected() : m_real.unlock(handle);
}

FileStatus FaultyFileSystem::openForAppend(const QString &path, Creation creation, Handle *handle,
                                           bool *created)
{
    if (fails(Call::OpenForAppend, noHandle))
        return injected();
    const FileStatus status = m_real.openForAppend(path, creation, handle, created);
    if (status.ok()) {
        m_open.insert(*handle);
        log.last().handle = *handle;
    }
    return status;
}

FileStatus FaultyFileSystem::size(Handle handle, qint64 *bytes)
{
    return fails(Call::Size, handle) ? injected() : m_real.size(handle, bytes);
}

FileStatus FaultyFileSystem::write(Handle handle, const QByteArray &bytes, qint64 *written)
{
    *written = 0;
    if (fails(Call::Write, handle))
        return injected();
    ++m_writes;
    const bool shortWrite =
        m_writes == m_n && (m_fault == Fault::ShortWrite || m_fault == Fault::ShortWriteThenFail);
    if (!shortWrite)
        return m_real.write(handle, bytes, written);
    m_triggered = true;
    m_failing = m_fault == Fault::ShortWriteThenFail;
    return m_real.write(handle, bytes.first(bytes.size() / 2), written);
}

FileStatus FaultyFileSystem::identity(Handle handle, QString *id)
{
    return fails(Call::Identity, handle) ? injected() : m_real.identity(handle, id);
}

FileStatus FaultyFileSystem::ownedByUser(Handle handle, bool *owned)
{
    return fails(Call::Owner, handle) ? injected() : m_real.ownedByUser(handle, owned);
}

FileStatus FaultyFileSystem::sync(Handle handle)
{
    return fails(Call::Sync, handle) ? injected() : m_real.sync(handle);
}

FileStatus FaultyFileSystem::truncate(Handle handle, qint64 bytes)
{
    return fails(Call::Truncate, handle) ? injected() : m_real.truncate(handle, bytes);
}

FileStatus FaultyFileSystem::close(Handle handle)
{
    const bool failed = fails(Call::Close, handle);
    m_open.remove(handle);
    const FileStatus status = m_real.close(handle);
    return failed ? injected() : status;
}

FileStatus FaultyFileSystem::syncFolderOf(const QString &path)
{
    return fails(Call::SyncFolder, noHandle) ? injected() : m_real.syncFolderOf(path);
}

FileStatus FaultyFileSystem::readAll(const QString &path, QByteArray *bytes)
{
    return fails(Call::ReadAll, noHandle) ? injected() : m_real.readAll(path, bytes);
}

FileStatus FaultyFileSystem::rename(const QString &from, const QString &to)
{
    return fails(Call::Rename, noHandle) ? injected() : m_real.rename(from, to);
}

FileStatus FaultyFileSystem::remove(const QString &path)
{
    return fails(Call::Remove, noHandle) ? injected() : m_real.remove(path);
}

FileStatus FaultyFileSystem::listFolder(const QString &folder, const QString &prefix,
                                        QStringList *names)
{
    return fails(Call::ListFolder, noHandle) ? injected()
                                             : m_real.listFolder(folder, prefix, names);
}

#include "record_writer.h"

#include "file_system.h"
#include "native_path.h"
#include "record_journal.h"

#include <QStringList>

#include <vector>

namespace {

struct Target
{
    QString path;
    const QByteArray *bytes = nullptr;
    FileSystem::Handle handle = FileSystem::noHandle;
    bool open = false;
    bool created = false;
    qint64 sizeBefore = 0;
    QString identity;
    bool touched = false; // a write was tried, so the file may hold part of the record
};

// The lock of the master file, held on a descriptor of its own: every file
// of the record, the master file included, is closed and checked while other
// copies of the program are still kept out.
class RecordLock
{
public:
    explicit RecordLock(FileSystem &files) : m_files(files) {}
    ~RecordLock()
    {
        // Nothing was written through this handle, and the record is whole
        // and synced (or taken back) by now, so these results cannot change
        // what the files hold; the lock goes with the close in any case.
        if (!m_open)
            return;
        if (m_locked)
            m_files.unlock(m_handle);
        m_files.close(m_handle);
    }
    RecordLock(const RecordLock &) = delete;
    RecordLock &operator=(const RecordLock &) = delete;

    FileStatus take(const QString &path, int timeoutMs, bool *created)
    {
        FileStatus status = m_files.openForLock(path, &m_handle, created);
        if (!status.ok())
            return status;
        m_open = true;
        status = m_files.lockExclusive(m_handle, timeoutMs);
        m_locked = status.ok();
        return status;
    }

private:
    FileSystem &m_files;
    FileSystem::Handle m_handle = FileSystem::noHandle;
    bool m_open = false;
    bool m_locked = false;
};

void closeOpen(FileSystem &files, std::vector<Target> &targets)
{
    for (Target &target : targets) {
        if (target.open)
            files.close(target.handle);
        target.open = false;
    }
}

// Cuts a file back to its length before the record. Only ever shortens it:
// a file that is somehow shorter already is left as it is.
FileStatus cutBack(FileSystem &files, Target &target)
{
    FileSystem::Handle handle = target.handle;
    if (!target.open) {
        bool created = false;
        const FileStatus reopened =
            files.openForAppend(target.path, FileSystem::Creation::Never, &handle, &created);
        if (!reopened.ok())
            return reopened;
    }
    qint64 length = 0;
    const bool grown = !files.size(handle, &length).ok() || length > target.sizeBefore;
    FileStatus status;
    if (grown) {
        status = files.truncate(handle, target.sizeBefore);
        if (status.ok())
            status = files.sync(handle);
    }
    if (!target.open) {
        const FileStatus closed = files.close(handle);
        if (status.ok())
            status = closed;
    }
    return status;
}

// Takes the record back out of every file that may hold part of it, and
// names in the failure those where that did not work; true when it worked
// in every one.
bool takeBack(FileSystem &files, std::vector<Target> &targets, FileStatus *failure)
{
    QStringList remaining;
    for (Target &target : targets) {
        if (!target.touched)
            continue;
        const FileStatus status = cutBack(files, target);
        if (!status.ok())
            remaining.append(QStringLiteral("%1 (%2)").arg(target.path, status.reason));
    }
    if (remaining.isEmpty())
        return true;
    failure->reason += QStringLiteral("; part of the record may remain in ") +
                       remaining.join(QStringLiteral(", "));
    return false;
}

FileStatus writeAndSync(FileSystem &files, const Target &target)
{
    FileStatus status = writeWhole(files, target.handle, *target.bytes);
    if (status.ok())
        status = files.sync(target.handle);
    if (status.ok() && target.created)
        status = files.syncFolderOf(target.path);
    return status;
}

} // namespace

QString journalPathFor(const QString &firstPath)
{
    const QString first = absolutePathOf(firstPath);
    const QString name = plainNameOf(first);
    return first.chopped(name.size()) + u'.' + name + QStringLiteral(".journal");
}

FileStatus recoverRecord(FileSystem &files, const QString &firstPathText, const CutOffKeeper &keep,
                         int lockTimeoutMs)
{
    const FileStatus native = toNativePath(firstPathText);
    if (!native.ok())
        return native;
    // An empty or missing journal needs no lock: a copy that is putting down
    // an intent meanwhile is alive and clears it itself. Nothing is created.
    {
        FileSystem::Handle probe = FileSystem::noHandle;
        bool created = false;
        if (!files
                 .openForAppend(journalPathFor(native.path), FileSystem::Creation::Never, &probe,
                                &created)
                 .ok())
            return {};
        qint64 length = 0;
        const FileStatus sized = files.size(probe, &length);
        files.close(probe);
        if (sized.ok() && length == 0)
            return {};
    }
    RecordLock lock(files);
    bool created = false;
    const FileStatus status = lock.take(native.path, lockTimeoutMs, &created);
    if (!status.ok())
        return status.of(native.path);
    return RecordJournal(files, journalPathFor(native.path)).open(keep);
}

FileStatus appendRecord(FileSystem &files, const QList<FileRecord> &parts, int lockTimeoutMs,
                        const CutOffKeeper &keep)
{
    if (parts.isEmpty())
        return {};
    std::vector<Target> targets;
    targets.reserve(size_t(parts.size()));
    for (const FileRecord &part : parts) {
        const FileStatus native = toNativePath(part.pathText);
        if (!native.ok())
            return native;
        Target target;
        target.path = native.path;
        target.bytes = &part.bytes;
        targets.push_back(target);
    }

    RecordLock lock(files);
    bool masterCreated = false;
    FileStatus status = lock.take(targets[0].path, lockTimeoutMs, &masterCreated);
    if (!status.ok())
        return status.of(targets[0].path);

    // A record that a crash cut off is taken back before this one starts.
    const QString journalPath = journalPathFor(targets[0].path);
    RecordJournal journal(files, journalPath);
    status = journal.open(keep);
    if (!status.ok())
        return status;

    QList<JournalEntry> intent;
    for (Target &target : targets) {
        status = files.openForAppend(target.path, FileSystem::Creation::IfMissing, &target.handle,
                                     &target.created);
        if (status.ok()) {
            target.open = true;
            // Read under the lock: no other copy can append until we are done.
            status = files.size(target.handle, &target.sizeBefore);
        }
        if (status.ok())
            status = files.identity(target.handle, &target.identity);
        if (!status.ok()) {
            closeOpen(files, targets);
            return status.of(target.path);
        }
        intent.append({plainNameOf(target.path), target.identity, target.sizeBefore});
    }
    targets[0].created = targets[0].created || masterCreated;

    // A file created just now must not vanish while the journal names it.
    for (Target &target : targets) {
        if (target.created)
            status = files.syncFolderOf(target.path);
        if (status.ok())
            target.created = false;
        else
            break;
    }
    if (status.ok())
        status = journal.putIntent(intent);
    if (!status.ok()) {
        closeOpen(files, targets);
        return status.of(journalPath);
    }

    for (Target &target : targets) {
        target.touched = true;
        status = writeAndSync(files, target);
        if (!status.ok()) {
            FileStatus result = status.of(target.path);
            const bool takenBack = takeBack(files, targets, &result);
            closeOpen(files, targets);
            if (takenBack)
                journal.clear();
            return result;
        }
    }

    // A close can still report lost data (on a network folder, say), so a
    // failed one undoes the record in every file while the lock is held.
    FileStatus result;
    for (Target &target : targets) {
        target.open = false;
        status = files.close(target.handle);
        if (!status.ok() && result.ok())
            result = status.of(target.path);
    }
    // Until the journal is empty the record would be taken back by the next
    // recovery, so a journal that cannot be cleared fails the record.
    if (result.ok())
        result = journal.clear().of(journalPath);
    if (!result.ok() && takeBack(files, targets, &result))
        journal.clear();
    return result;
}

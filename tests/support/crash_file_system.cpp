#include "crash_file_system.h"

#include <QFileInfo>

namespace {

void apply(CrashFileSystem::File &file, const CrashFileSystem::Change &change)
{
    if (change.kind == CrashFileSystem::Change::Write) {
        const qint64 end = change.offset + change.bytes.size();
        if (file.data.size() < end)
            file.data.resize(end, '\0');
        file.data.replace(change.offset, change.bytes.size(), change.bytes);
    } else if (change.kind == CrashFileSystem::Change::Truncate) {
        file.data.resize(change.offset, '\0');
    }
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

} // namespace

CrashFileSystem::CrashFileSystem(const Files &files) : m_files(files) {}

QList<CrashFileSystem::Files>
CrashFileSystem::crashStates(const Files &before, const QList<Change> &changes, qsizetype count)
{
    // What is durable, and the changes not yet made durable, in order.
    Files durable = before;
    QMap<QString, QList<int>> pending;
    QMap<QString, int> pendingCreation; // path -> its Create change
    for (qsizetype i = 0; i < count; ++i) {
        const Change &change = changes[i];
        switch (change.kind) {
        case Change::Create:
            pendingCreation.insert(change.path, int(i));
            break;
        case Change::Write:
        case Change::Truncate:
            pending[change.path].append(int(i));
            break;
        case Change::Sync: {
            File &file = durable[change.path];
            for (int j : pending.value(change.path))
                apply(file, changes[j]);
            if (pendingCreation.contains(change.path))
                file.identity = changes[pendingCreation.value(change.path)].identity;
            pending.remove(change.path);
            break;
        }
        case Change::SyncFolder:
            for (auto it = pendingCreation.begin(); it != pendingCreation.end();) {
                if (folderOf(it.key()) == change.path) {
                    durable[it.key()].identity = changes[it.value()].identity;
                    it = pendingCreation.erase(it);
                } else {
                    ++it;
                }
            }
            break;
        }
    }

    QList<int> unsynced;
    for (const QList<int> &list : pending)
        unsynced += list;
    for (int creation : pendingCreation)
        unsynced.append(creation);
    std::sort(unsynced.begin(), unsynced.end());

    auto state = [&](const QList<int> &reached) {
        Files files = durable;
        // A file whose entry never reached the disk is gone, with its data.
        for (auto it = pendingCreation.begin(); it != pendingCreation.end(); ++it) {
            if (!reached.contains(it.value()))
                files.remove(it.key());
            else
                files[it.key()].identity = changes[it.value()].identity;
        }
        for (int j : reached) {
            const Change &change = changes[j];
            if (change.kind == Change::Create || !files.contains(change.path))
                continue;
            apply(files[change.path], change);
        }
        return files;
    };

    QList<Files> states = {state({})};
    if (!unsynced.isEmpty())
        states.append(state(unsynced));
    if (unsynced.size() > 1) {
        for (int single : unsynced)
            states.append(state({single}));
    }
    return states;
}

FileStatus CrashFileSystem::makeFolder(const QString &)
{
    return FileStatus::success();
}

FileStatus CrashFileSystem::openForAppend(const QString &path, Creation creation, Handle *handle,
                                          bool *created)
{
    *created = false;
    if (m_files.contains(path) && creation == Creation::PrivateNew)
        return FileStatus::failure(QStringLiteral("File exists"));
    if (!m_files.contains(path)) {
        if (creation == Creation::Never)
            return FileStatus::failure(QStringLiteral("No such file or directory"));
        const QString identity = QStringLiteral("created %1").arg(++m_created);
        m_files.insert(path, {QByteArray(), identity});
        m_changes.append({Change::Create, path, 0, {}, identity});
        *created = true;
    }
    *handle = m_next++;
    m_handles.insert(*handle, path);
    return FileStatus::success();
}

FileStatus CrashFileSystem::openForLock(const QString &path, Handle *handle, bool *created)
{
    return openForAppend(path, Creation::IfMissing, handle, created);
}

FileStatus CrashFileSystem::lockExclusive(Handle, int)
{
    return FileStatus::success();
}

FileStatus CrashFileSystem::unlock(Handle)
{
    return FileStatus::success();
}

FileStatus CrashFileSystem::size(Handle handle, qint64 *bytes)
{
    *bytes = m_files.value(m_handles.value(handle)).data.size();
    return FileStatus::success();
}

FileStatus CrashFileSystem::identity(Handle handle, QString *id)
{
    *id = m_files.value(m_handles.value(handle)).identity;
    return FileStatus::success();
}

FileStatus CrashFileSystem::ownedByUser(Handle, bool *owned)
{
    *owned = true;
    return FileStatus::success();
}

FileStatus CrashFileSystem::write(Handle handle, const QByteArray &bytes, qint64 *written)
{
    const QString path = m_handles.value(handle);
    File &file = m_files[path];
    const Change change{Change::Write, path, file.data.size(), bytes, {}};
    apply(file, change);
    m_changes.append(change);
    *written = bytes.size();
    return FileStatus::success();
}

FileStatus CrashFileSystem::sync(Handle handle)
{
    m_changes.append({Change::Sync, m_handles.value(handle), 0, {}, {}});
    return FileStatus::success();
}

FileStatus CrashFileSystem::truncate(Handle handle, qint64 bytes)
{
    const QString path = m_handles.value(handle);
    const Change change{Change::Truncate, path, bytes, {}, {}};
    apply(m_files[path], change);
    m_changes.append(change);
    return FileStatus::success();
}

FileStatus CrashFileSystem::close(Handle handle)
{
    m_handles.remove(handle);
    return FileStatus::success();
}

FileStatus CrashFileSystem::syncFolderOf(const QString &path)
{
    m_changes.append({Change::SyncFolder, folderOf(path), 0, {}, {}});
    return FileStatus::success();
}

FileStatus CrashFileSystem::readAll(const QString &path, QByteArray *bytes)
{
    if (!m_files.contains(path))
        return FileStatus::failure(QStringLiteral("No such file or directory"));
    *bytes = m_files.value(path).data;
    return FileStatus::success();
}

// The model follows the record files, which are only ever appended to and
// cut back; replacing and removing files is not part of it.
FileStatus CrashFileSystem::rename(const QString &, const QString &)
{
    return FileStatus::failure(QStringLiteral("renaming is not modelled"));
}

FileStatus CrashFileSystem::remove(const QString &)
{
    return FileStatus::failure(QStringLiteral("removing is not modelled"));
}

FileStatus CrashFileSystem::listFolder(const QString &folder, const QString &prefix,
                                       QStringList *names)
{
    names->clear();
    for (auto it = m_files.cbegin(); it != m_files.cend(); ++it) {
        const QFileInfo info(it.key());
        if (info.absolutePath() == folder && info.fileName().startsWith(prefix))
            names->append(info.fileName());
    }
    return FileStatus::success();
}

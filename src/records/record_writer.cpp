#include "record_writer.h"

#include "platform/file_system.h"
#include "platform/native_path.h"

#include <vector>

namespace {

struct OpenFile
{
    QString path;
    FileSystem::Handle handle = -1;
    bool created = false;
    qint64 sizeBefore = 0;
    bool written = false;
    bool open = false;
};

void closeAll(FileSystem &files, std::vector<OpenFile> &open)
{
    for (auto it = open.rbegin(); it != open.rend(); ++it) {
        if (it->open)
            files.close(it->handle);
        it->open = false;
    }
}

// Takes back what this record added, as far as the system lets it.
void rollBack(FileSystem &files, std::vector<OpenFile> &open)
{
    for (OpenFile &file : open) {
        if (!file.written || !file.open)
            continue;
        if (files.truncate(file.handle, file.sizeBefore).ok())
            files.sync(file.handle);
    }
}

// For a file that is closed already: reopen it and cut it back.
void rollBackClosed(FileSystem &files, const OpenFile &file)
{
    FileSystem::Handle handle;
    bool created;
    if (!files.openForAppend(file.path, &handle, &created).ok())
        return;
    if (files.truncate(handle, file.sizeBefore).ok())
        files.sync(handle);
    files.close(handle);
}

WriteFailure failure(const QString &path, const FileStatus &status)
{
    return {path, status.reason};
}

} // namespace

WriteFailure appendRecord(FileSystem &files, const QList<FileRecord> &parts)
{
    std::vector<OpenFile> open;
    open.reserve(size_t(parts.size()));
    for (const FileRecord &part : parts) {
        const NativePath native = toNativePath(part.pathText);
        if (!native.ok())
            return {part.pathText, native.error};
        open.push_back({native.path});
    }

    for (size_t i = 0; i < open.size(); ++i) {
        OpenFile &file = open[i];
        FileStatus status = files.openForAppend(file.path, &file.handle, &file.created);
        if (status.ok()) {
            file.open = true;
            if (i == 0)
                status = files.lockExclusive(file.handle, recordLockTimeoutMs);
        }
        if (status.ok())
            status = files.size(file.handle, &file.sizeBefore);
        if (!status.ok()) {
            closeAll(files, open);
            return failure(file.path, status);
        }
    }

    for (size_t i = 0; i < open.size(); ++i) {
        OpenFile &file = open[i];
        const QByteArray &bytes = parts[qsizetype(i)].bytes;
        qint64 written = 0;
        file.written = true;
        FileStatus status = files.write(file.handle, bytes, &written);
        if (status.ok() && written != bytes.size())
            status = FileStatus::failure(
                QStringLiteral("only %1 of %2 bytes could be written; the disk may be full")
                    .arg(written)
                    .arg(bytes.size()));
        // A failed sync is not tried again: the data may be lost whatever a
        // second call says.
        if (status.ok())
            status = files.sync(file.handle);
        if (status.ok() && file.created)
            status = files.syncFolderOf(file.path);
        if (!status.ok()) {
            rollBack(files, open);
            closeAll(files, open);
            return failure(file.path, status);
        }
    }

    // The master file goes last: its close gives up the lock, and until then
    // a file whose close failed can still be cut back safely.
    for (size_t i = open.size(); i-- > 1;) {
        OpenFile &file = open[i];
        file.open = false;
        const FileStatus status = files.close(file.handle);
        if (!status.ok()) {
            for (size_t j = 1; j < open.size(); ++j) {
                if (open[j].open) {
                    open[j].open = false;
                    files.close(open[j].handle);
                }
                rollBackClosed(files, open[j]);
            }
            rollBack(files, open);
            closeAll(files, open);
            return failure(file.path, status);
        }
    }
    open[0].open = false;
    const FileStatus status = files.close(open[0].handle);
    if (!status.ok())
        return failure(open[0].path, status);
    return {};
}

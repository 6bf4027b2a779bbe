#include "file_system.h"

FileStatus writeWhole(FileSystem &files, FileSystem::Handle handle, const QByteArray &bytes)
{
    qint64 written = 0;
    FileStatus status = files.write(handle, bytes, &written);
    if (status.ok() && written != bytes.size())
        status = FileStatus::failure(
            QStringLiteral("only %1 of %2 bytes could be written; the disk may be full")
                .arg(written)
                .arg(bytes.size()));
    return status;
}

#include "native_file_system.h"

#include <chrono>
#include <thread>

FileStatus refusal(NotPlainFile kind)
{
    switch (kind) {
    case NotPlainFile::Link:
        return FileStatus::failure(QStringLiteral("it is a link, not a plain file"));
    case NotPlainFile::Folder:
        return FileStatus::failure(QStringLiteral("it is a folder, not a plain file"));
    case NotPlainFile::Pipe:
        return FileStatus::failure(QStringLiteral("it is a pipe, not a plain file"));
    case NotPlainFile::Device:
        return FileStatus::failure(QStringLiteral("it is a device, not a plain file"));
    case NotPlainFile::Other:
        break;
    }
    return FileStatus::failure(QStringLiteral("it is not a plain file"));
}

FileStatus waitForLock(int timeoutMs, const std::function<std::optional<FileStatus>()> &tryOnce)
{
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(timeoutMs);
    for (;;) {
        if (const std::optional<FileStatus> taken = tryOnce())
            return *taken;
        if (steady_clock::now() >= deadline)
            return FileStatus::failure(
                QStringLiteral("another copy of the program kept the file locked for %1 seconds")
                    .arg(timeoutMs / 1000.0));
        std::this_thread::sleep_for(milliseconds(10));
    }
}

FileStatus NativeFileSystem::readAll(const QString &path, QByteArray *bytes)
{
    Handle handle = noHandle;
    FileStatus status = openForRead(path, &handle);
    if (!status.ok())
        return status;
    bytes->clear();
    char buffer[1 << 16];
    qint64 read = 0;
    while ((status = readSome(handle, buffer, sizeof buffer, &read)).ok() && read > 0)
        bytes->append(buffer, read);
    close(handle);
    return status;
}

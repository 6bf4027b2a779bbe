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

FileStatus
readToEnd(QByteArray *bytes,
          const std::function<FileStatus(char *buffer, qint64 size, qint64 *read)> &readSome)
{
    bytes->clear();
    char buffer[1 << 16];
    for (;;) {
        qint64 read = 0;
        const FileStatus status = readSome(buffer, sizeof buffer, &read);
        if (!status.ok() || read == 0)
            return status;
        bytes->append(buffer, read);
    }
}

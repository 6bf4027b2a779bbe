#include "file_lines.h"

#include "format/windows1252.h"
#include "storage/file_system.h"
#include "storage/native_path.h"

QStringList splitFileLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\r', start);
        if (end < 0) {
            lines.append(fromWindows1252(QByteArrayView(bytes).sliced(start)));
            break;
        }
        lines.append(fromWindows1252(QByteArrayView(bytes).sliced(start, end - start)));
        start = end + 1;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return lines;
}

FileLines readFileLines(FileSystem &files, const QString &pathText)
{
    FileLines result;
    const NativePath native = toNativePath(pathText);
    if (!native.ok()) {
        result.path = pathText;
        result.error = native.error;
        result.missing = true;
        return result;
    }
    result.path = native.path;
    QByteArray bytes;
    const FileStatus status = files.readAll(native.path, &bytes);
    if (!status.ok()) {
        result.error = status.reason;
        result.missing = status.missing;
        return result;
    }
    result.lines = splitFileLines(bytes);
    return result;
}

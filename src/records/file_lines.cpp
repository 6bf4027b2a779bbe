#include "file_lines.h"

#include "format/windows1252.h"
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

FileStatus readFileLines(FileSystem &files, const QString &pathText, QStringList *lines)
{
    const FileStatus native = toNativePath(pathText);
    if (!native.ok())
        return native;
    QByteArray bytes;
    const FileStatus status = files.readAll(native.path, &bytes);
    if (status.ok())
        *lines = splitFileLines(bytes);
    return status.of(native.path);
}

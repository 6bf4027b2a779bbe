#include "report_output.h"

#include <QDir>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

QString failure(const QSaveFile &file)
{
    return QDir::toNativeSeparators(file.fileName()) + QStringLiteral(": ") + file.errorString();
}

} // namespace

QString openReport(QSaveFile &file, const QString &path)
{
    file.setFileName(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ? QString() : failure(file);
}

QString commitReport(QSaveFile &file)
{
    // A write that failed leaves its error on the file; commit() would
    // replace the reason with its own.
    if (file.error() != QFileDevice::NoError) {
        const QString reason = failure(file);
        file.cancelWriting();
        return reason;
    }
    return file.commit() ? QString() : failure(file);
}

bool writeAll(QIODevice &device, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const qint64 written = device.write(bytes.data(), bytes.size());
        if (written <= 0)
            return false;
        bytes = bytes.sliced(written);
    }
    return true;
}

QString writeStandardOutput(const QByteArray &bytes)
{
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()) ||
        std::fflush(stdout) != 0)
        return QStringLiteral("standard output: ") + QString::fromLocal8Bit(std::strerror(errno));
    return {};
}

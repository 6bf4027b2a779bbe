#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QSaveFile>
#include <QString>

// A report reaches its file whole or not at all: an earlier report stays as
// it was when anything fails. Each returns why it failed, or an empty string.
// The file is unbuffered: each write reaches the system at once, so that a
// failure carries the system's reason (a failed flush of Qt's buffer does
// not).
QString openReport(QSaveFile &file, const QString &path);

// Writes all the bytes, or stops at the first write that fails.
bool writeAll(QIODevice &device, QByteArrayView bytes);
QString commitReport(QSaveFile &file);

// Standard output may be a full disk or a closed pipe as well.
QString writeStandardOutput(const QByteArray &bytes);

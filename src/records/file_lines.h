#pragma once

#include "storage/file_system.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The lines of a course file: a line ends at CR or CR LF, which are dropped;
// a lone LF stays in its line; a file that ends with a line end gives no
// empty line after it. Bytes are read as Windows-1252.
QStringList splitFileLines(const QByteArray &bytes);

// The lines of the file at the path the session names; a failure names the
// native path, or the text when it names none.
FileStatus readFileLines(FileSystem &files, const QString &pathText, QStringList *lines);

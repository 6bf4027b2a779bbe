#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class FileSystem;

// The lines of a course file: a line ends at CR or CR LF, which are dropped;
// a lone LF stays in its line; a file that ends with a line end gives no
// empty line after it. Bytes are read as Windows-1252.
QStringList splitFileLines(const QByteArray &bytes);

struct FileLines
{
    QStringList lines;
    QString path;  // the native path, for messages
    QString error; // the system's reason when the file could not be read
    bool missing = false;
};

FileLines readFileLines(FileSystem &files, const QString &pathText);

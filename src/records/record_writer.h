#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class FileSystem;

// One file's share of a record: the path as the session names it, and the
// bytes to append.
struct FileRecord
{
    QString pathText;
    QByteArray bytes;
};

struct WriteFailure
{
    QString path; // the native path of the file that failed, or the path text
    QString reason;
    bool failed() const { return !reason.isEmpty(); }
};

// How long a command waits for another copy of the program to finish its
// record before it gives up.
inline constexpr int recordLockTimeoutMs = 5000;

// Appends a record to its files as one unit. The first file (the master
// file) is locked for the whole of it, so that two copies of the program on
// one folder never mix their records. Each file gets its share in a single
// write, synced to disk, and every close is checked before the lock is given
// up. When any step fails, the files already written are cut back to their
// former length, so that every file holds whole records only, and the
// failure names the file and the system's reason (and any file that could
// not be cut back).
WriteFailure appendRecord(FileSystem &files, const QList<FileRecord> &parts,
                          int lockTimeoutMs = recordLockTimeoutMs);

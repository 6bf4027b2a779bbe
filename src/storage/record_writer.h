#pragma once

#include "file_system.h"
#include "record_journal.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One file's share of a record: the path as the session names it, and the
// bytes to append.
struct FileRecord
{
    QString pathText;
    QByteArray bytes;
};

// How long a command waits for another copy of the program to finish its
// record before it gives up.
inline constexpr int recordLockTimeoutMs = 5000;

// Appends a record to its files as one unit. The first file (the master
// file) is locked for the whole of it, so that two copies of the program on
// one folder never mix their records. Before the first byte goes out, a
// journal next to the first file holds, synced, each file's identity and
// length; it is cleared once every file is written, synced and closed, and
// only then is the record done. Each file gets its share in a single write,
// synced to disk, and every close is checked before the lock is given up.
// When any step fails, the files already written are cut back to their
// former length, so that every file holds whole records only, and the
// failure names the file and the system's reason (and any file that could
// not be cut back). A journal that still holds an intent when a record
// starts belongs to one that was cut off: see recoverRecord.
FileStatus appendRecord(FileSystem &files, const QList<FileRecord> &parts,
                        int lockTimeoutMs = recordLockTimeoutMs, const CutOffKeeper &keep = {});

// Under the lock of the first file, cuts every file named by a journal left
// behind back to its length before the record, after handing what is cut to
// keep, and clears the journal; everything synced. When keep fails, the
// files and the journal stay as they are and the failure is keep's.
FileStatus recoverRecord(FileSystem &files, const QString &firstPathText, const CutOffKeeper &keep,
                         int lockTimeoutMs = recordLockTimeoutMs);

// The journal of the records whose first file is at this native path.
QString journalPathFor(const QString &firstPath);

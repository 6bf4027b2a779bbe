#pragma once

#include "file_system.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// Bytes that recovery found beyond a file's length before a record that was
// cut off: the start of that record, about to be cut back out of the file.
struct CutOffBytes
{
    QString path; // native path
    QByteArray bytes;
};

// Takes the cut-off bytes somewhere safe before they are cut back; a failure
// when they could not all be kept there, and then nothing is cut back.
using CutOffKeeper = std::function<FileStatus(const QList<CutOffBytes> &)>;

// One file of a record as the journal names it before the record is written:
// by its plain name, in the journal's own folder.
struct JournalEntry
{
    QString name;
    QString identity;
    qint64 length = 0;
};

// Whether the name is one that the tutor gives the files of its records
// (masterFile.txt, send_MMDD.txt, notes_.txt, drafts_.txt).
bool isRecordFileName(const QString &name);

// The rollback journal of the records that share one lock. It is empty
// between records; while a record is written it holds the files of the
// record and their lengths before, so that a record cut off by a crash or a
// power loss can be taken back out of every file. Used under the lock only.
class RecordJournal
{
public:
    RecordJournal(FileSystem &files, const QString &path);
    ~RecordJournal();
    RecordJournal(const RecordJournal &) = delete;
    RecordJournal &operator=(const RecordJournal &) = delete;

    // Opens the journal, creating it for the user alone (and making that
    // durable) when missing. A journal that is not a plain file, or that
    // another user owns, is refused: it is never read, written or cut. Then
    // takes back a record that a journal left behind names, and clears it;
    // leaves both as they are when keep could not take the cut-off bytes.
    // A failure names the file it concerns.
    FileStatus open(const CutOffKeeper &keep);
    // On the empty journal that open() leaves.
    FileStatus putIntent(const QList<JournalEntry> &entries);
    FileStatus clear();

    static QByteArray encode(const QList<JournalEntry> &entries);
    // False when the bytes are not a whole intent (a journal torn while it
    // was put down: no record byte had been written yet). Only lines that
    // name a file of the tutor's records count, each name once; any other
    // line is passed over.
    static bool decode(const QByteArray &bytes, QList<JournalEntry> *entries);

private:
    FileStatus recover(const CutOffKeeper &keep);
    // What a cut-off record added to the file of an entry, beyond the length
    // the journal names.
    FileStatus readCutOff(const JournalEntry &entry, QList<CutOffBytes> *cut);
    // Cuts the file of an entry back to the length the journal names.
    FileStatus truncateToLength(const JournalEntry &entry);
    using FileAction = std::function<FileStatus(FileSystem::Handle, const QString &path)>;
    FileStatus onGrownFile(const JournalEntry &entry, const FileAction &act);

    QString pathOf(const JournalEntry &entry) const;

    FileSystem &m_files;
    QString m_path;
    FileSystem::Handle m_handle = FileSystem::noHandle;
    bool m_open = false;
};

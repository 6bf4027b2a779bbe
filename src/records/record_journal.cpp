#include "record_journal.h"

namespace {

const QByteArray journalHeader = "kestrafo record journal 1\n";
const QByteArray journalEnd = "end\n";

} // namespace

RecordJournal::RecordJournal(FileSystem &files, const QString &path) : m_files(files), m_path(path)
{
}

RecordJournal::~RecordJournal()
{
    if (m_open)
        m_files.close(m_handle);
}

FileStatus RecordJournal::open()
{
    bool created = false;
    FileStatus status =
        m_files.openForAppend(m_path, FileSystem::Creation::IfMissing, &m_handle, &created);
    if (!status.ok())
        return status;
    m_open = true;
    if (created)
        status = m_files.syncFolderOf(m_path);
    return status;
}

QByteArray RecordJournal::encode(const QList<JournalEntry> &entries)
{
    QByteArray bytes = journalHeader;
    for (const JournalEntry &entry : entries)
        bytes += entry.identity.toUtf8() + '\t' + QByteArray::number(entry.length) + '\t' +
                 entry.path.toUtf8() + '\n';
    return bytes + journalEnd;
}

bool RecordJournal::decode(const QByteArray &bytes, QList<JournalEntry> *entries)
{
    entries->clear();
    if (!bytes.startsWith(journalHeader) || !bytes.endsWith(journalEnd))
        return false;
    const QByteArray body =
        bytes.mid(journalHeader.size(), bytes.size() - journalHeader.size() - journalEnd.size());
    for (const QByteArray &line : body.split('\n')) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> fields = line.split('\t');
        bool number = false;
        const qint64 length = fields.value(1).toLongLong(&number);
        if (fields.size() != 3 || !number || length < 0)
            return false;
        entries->append({QString::fromUtf8(fields[2]), QString::fromUtf8(fields[0]), length});
    }
    return true;
}

// Looks at one file of a cut-off record and, when apply is set, cuts it
// back. A file that is gone, or that is another file by now, is left alone.
FileStatus RecordJournal::cutBack(const JournalEntry &entry, QList<CutOffBytes> *cut, bool apply)
{
    FileSystem::Handle handle = FileSystem::noHandle;
    bool created = false;
    if (!m_files.openForAppend(entry.path, FileSystem::Creation::Never, &handle, &created).ok())
        return FileStatus::success();
    QString identity;
    qint64 length = 0;
    FileStatus status = m_files.identity(handle, &identity);
    if (status.ok())
        status = m_files.size(handle, &length);
    if (status.ok() && identity == entry.identity && length > entry.length) {
        if (!apply) {
            QByteArray bytes;
            status = m_files.readAll(entry.path, &bytes);
            if (status.ok())
                cut->append({entry.path, bytes.mid(entry.length)});
        } else {
            status = m_files.truncate(handle, entry.length);
            if (status.ok())
                status = m_files.sync(handle);
        }
    }
    const FileStatus closed = m_files.close(handle);
    return status.ok() ? closed : status;
}

FileStatus RecordJournal::recover(const CutOffKeeper &keep, QString *failedPath)
{
    *failedPath = m_path;
    qint64 length = 0;
    FileStatus status = m_files.size(m_handle, &length);
    if (!status.ok() || length == 0)
        return status;
    QByteArray bytes;
    status = m_files.readAll(m_path, &bytes);
    if (!status.ok())
        return status;
    QList<JournalEntry> entries;
    if (decode(bytes, &entries)) {
        // What is cut goes somewhere safe first; if the program dies between
        // the two, the next recovery finds the same bytes again.
        QList<CutOffBytes> cut;
        for (const JournalEntry &entry : entries) {
            status = cutBack(entry, &cut, false);
            if (!status.ok()) {
                *failedPath = entry.path;
                return status;
            }
        }
        if (!cut.isEmpty() && keep) {
            // Bytes that could not be kept stay where they are, journal and
            // all, and every record fails until they can be.
            const WriteFailure notKept = keep(cut);
            if (notKept.failed()) {
                *failedPath = notKept.path;
                return FileStatus::failure(notKept.reason);
            }
        }
        for (const JournalEntry &entry : entries) {
            status = cutBack(entry, nullptr, true);
            if (!status.ok()) {
                *failedPath = entry.path;
                return status;
            }
        }
    }
    *failedPath = m_path;
    return clear();
}

// Recovery has left the journal empty under the lock.
FileStatus RecordJournal::putIntent(const QList<JournalEntry> &entries)
{
    FileStatus status = writeWhole(m_files, m_handle, encode(entries));
    if (status.ok())
        status = m_files.sync(m_handle);
    return status;
}

FileStatus RecordJournal::clear()
{
    FileStatus status = m_files.truncate(m_handle, 0);
    if (status.ok())
        status = m_files.sync(m_handle);
    return status;
}

#include "record_journal.h"

#include "native_path.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

const QByteArray journalHeader = "kestrafo record journal 1\n";
const QByteArray journalEnd = "end\n";
// A whole intent names at most the three files of a note in a few hundred
// bytes; anything far longer was not written by the tutor.
constexpr qint64 longestJournal = 64 * 1024;

} // namespace

bool isRecordFileName(const QString &name)
{
    static const QRegularExpression recordFile(
        QStringLiteral("^(masterFile\\.txt|send_[0-9]{4}\\.txt|notes_\\.txt|drafts_\\.txt)$"));
    return recordFile.match(name).hasMatch();
}

RecordJournal::RecordJournal(FileSystem &files, const QString &path) : m_files(files), m_path(path)
{
}

RecordJournal::~RecordJournal()
{
    if (m_open)
        m_files.close(m_handle);
}

FileStatus RecordJournal::open(const CutOffKeeper &keep)
{
    bool created = false;
    FileStatus status =
        m_files.openForAppend(m_path, FileSystem::Creation::PrivateIfMissing, &m_handle, &created);
    if (!status.ok())
        return status.of(m_path);
    m_open = true;
    bool owned = false;
    status = m_files.ownedByUser(m_handle, &owned);
    if (status.ok() && !owned)
        status = FileStatus::failure(
            QStringLiteral("it belongs to another user, so the program does not trust it"));
    if (status.ok() && created)
        status = m_files.syncFolderOf(m_path);
    return status.ok() ? recover(keep) : status.of(m_path);
}

QString RecordJournal::pathOf(const JournalEntry &entry) const
{
    return m_path.chopped(plainNameOf(m_path).size()) + entry.name;
}

QByteArray RecordJournal::encode(const QList<JournalEntry> &entries)
{
    QByteArray bytes = journalHeader;
    for (const JournalEntry &entry : entries)
        bytes += entry.identity.toUtf8() + '\t' + QByteArray::number(entry.length) + '\t' +
                 entry.name.toUtf8() + '\n';
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
        const QString name = QString::fromUtf8(fields[2]);
        const bool named = std::any_of(entries->cbegin(), entries->cend(),
                                       [&name](const JournalEntry &e) { return e.name == name; });
        if (isRecordFileName(name) && !named)
            entries->append({name, QString::fromUtf8(fields[0]), length});
    }
    return true;
}

// Opens the file of an entry and, when it is still the file the journal
// names and is longer than it was, hands it to act. A file that is gone, or
// that is another file by now, is left alone.
FileStatus RecordJournal::onGrownFile(const JournalEntry &entry, const FileAction &act)
{
    const QString path = pathOf(entry);
    FileSystem::Handle handle = FileSystem::noHandle;
    bool created = false;
    if (!m_files.openForAppend(path, FileSystem::Creation::Never, &handle, &created).ok())
        return FileStatus::success();
    QString identity;
    qint64 length = 0;
    FileStatus status = m_files.identity(handle, &identity);
    if (status.ok())
        status = m_files.size(handle, &length);
    if (status.ok() && identity == entry.identity && length > entry.length)
        status = act(handle, path);
    const FileStatus closed = m_files.close(handle);
    return status.ok() ? closed : status;
}

FileStatus RecordJournal::readCutOff(const JournalEntry &entry, QList<CutOffBytes> *cut)
{
    return onGrownFile(entry, [this, &entry, cut](FileSystem::Handle, const QString &path) {
        QByteArray bytes;
        const FileStatus status = m_files.readAll(path, &bytes);
        if (status.ok())
            cut->append({path, bytes.mid(entry.length)});
        return status;
    });
}

FileStatus RecordJournal::truncateToLength(const JournalEntry &entry)
{
    return onGrownFile(entry, [this, &entry](FileSystem::Handle handle, const QString &) {
        FileStatus status = m_files.truncate(handle, entry.length);
        if (status.ok())
            status = m_files.sync(handle);
        return status;
    });
}

FileStatus RecordJournal::recover(const CutOffKeeper &keep)
{
    qint64 length = 0;
    FileStatus status = m_files.size(m_handle, &length);
    if (!status.ok() || length == 0)
        return status.of(m_path);
    QByteArray bytes;
    if (length <= longestJournal)
        status = m_files.readAll(m_path, &bytes);
    if (!status.ok())
        return status.of(m_path);
    QList<JournalEntry> entries;
    if (decode(bytes, &entries)) {
        // What is cut goes somewhere safe first; if the program dies between
        // the two, the next recovery finds the same bytes again.
        QList<CutOffBytes> cut;
        for (const JournalEntry &entry : entries) {
            status = readCutOff(entry, &cut);
            if (!status.ok())
                return status.of(pathOf(entry));
        }
        // Bytes that could not be kept stay where they are, journal and all,
        // and every record fails until they can be.
        if (!cut.isEmpty() && keep)
            status = keep(cut);
        if (!status.ok())
            return status;
        for (const JournalEntry &entry : entries) {
            status = truncateToLength(entry);
            if (!status.ok())
                return status.of(pathOf(entry));
        }
    }
    return clear().of(m_path);
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

#include "autosave_file.h"

#include "native_path.h"

#include <utility>

namespace {

const QByteArray magic = "kestrafo autosave 1\n";
const QByteArray trailer = "end\n";

void appendPart(QByteArray *bytes, const QString &part)
{
    const QByteArray utf8 = part.toUtf8();
    bytes->append(QByteArray::number(utf8.size())).append('\n').append(utf8).append('\n');
}

bool takePart(const QByteArray &bytes, qsizetype *at, QString *part)
{
    const qsizetype end = bytes.indexOf('\n', *at);
    if (end < 0)
        return false;
    bool ok = false;
    const qsizetype size = bytes.mid(*at, end - *at).toLongLong(&ok);
    if (!ok || size < 0 || end + 1 + size + 1 > bytes.size() || bytes[end + 1 + size] != '\n')
        return false;
    *part = QString::fromUtf8(bytes.mid(end + 1, size));
    *at = end + 1 + size + 1;
    return true;
}

} // namespace

Autosave::Autosave(FileSystem &files, const QString &folder, const QString &copyId,
                   FileSystem::Handle held)
    : m_files(files), m_path(pathInFolder(folder, autosavePrefix + copyId)), m_handle(held)
{
}

Autosave::~Autosave()
{
    if (exists())
        m_files.close(m_handle);
}

bool Autosave::save(const AutosaveContent &content)
{
    // The new file is made here and now, for the user alone: whatever had
    // its name (a file left by a crash, a link put there) is removed by the
    // name, never written through.
    const QString newPath = m_path + autosaveNewSuffix;
    m_files.remove(newPath);
    FileSystem::Handle handle = FileSystem::noHandle;
    bool created = false;
    if (!m_files.openForAppend(newPath, FileSystem::Creation::PrivateNew, &handle, &created).ok())
        return false;
    // Locked before it takes the old file's place, so that the name is never
    // without the lock while this copy runs.
    const bool written = m_files.lockExclusive(handle, 0).ok() &&
                         writeWhole(m_files, handle, encode(content)).ok() &&
                         m_files.sync(handle).ok();
    bool replaced = written && m_files.rename(newPath, m_path).ok();
    if (written && !replaced && exists()) {
        // Windows' classic rename (older systems, FAT drives, Wine) will not
        // replace a file that is open: the old file is let go for the moment
        // of the rename, and taken again if the rename still fails.
        m_files.close(m_handle);
        m_handle = FileSystem::noHandle;
        replaced = m_files.rename(newPath, m_path).ok();
        if (!replaced)
            holdAgain();
    }
    if (!replaced) {
        m_files.close(handle);
        m_files.remove(newPath);
        return false;
    }
    if (exists())
        m_files.close(m_handle);
    m_handle = handle;
    return m_files.syncFolderOf(m_path).ok();
}

void Autosave::holdAgain()
{
    bool created = false;
    FileSystem::Handle handle = FileSystem::noHandle;
    if (!m_files.openForAppend(m_path, FileSystem::Creation::Never, &handle, &created).ok())
        return;
    if (m_files.lockExclusive(handle, 0).ok())
        m_handle = handle;
    else
        m_files.close(handle);
}

void Autosave::forget()
{
    if (exists())
        m_files.truncate(m_handle, 0);
}

void Autosave::remove()
{
    if (!exists())
        return;
    // Still under the lock, so that no other copy takes the file for a left one.
    if (m_files.remove(m_path).ok())
        m_files.syncFolderOf(m_path);
    m_files.close(m_handle);
    m_handle = FileSystem::noHandle;
}

// An item and its text for each refused text, then for the pane: a file
// with nothing refused reads as it always has.
QByteArray Autosave::encode(const AutosaveContent &content)
{
    QByteArray bytes = magic;
    for (const TypedText &refused : content.refused) {
        appendPart(&bytes, refused.item);
        appendPart(&bytes, refused.text);
    }
    appendPart(&bytes, content.item);
    appendPart(&bytes, content.text);
    return bytes + trailer;
}

bool Autosave::decode(const QByteArray &bytes, AutosaveContent *content)
{
    if (!bytes.startsWith(magic))
        return false;
    qsizetype at = magic.size();
    QList<TypedText> texts;
    do {
        TypedText read;
        if (!takePart(bytes, &at, &read.item) || !takePart(bytes, &at, &read.text))
            return false;
        texts.append(read);
    } while (bytes.mid(at) != trailer);
    const TypedText pane = texts.takeLast();
    *content = {pane.item, pane.text, texts};
    return true;
}

namespace {

// Takes the lock of the file at path when no running copy holds it, and
// makes sure that the file locked is still the one at path (a running copy
// may have put a new one there meanwhile).
bool lockLeftFile(FileSystem &files, const QString &path, FileSystem::Handle *handle)
{
    bool created = false;
    if (!files.openForAppend(path, FileSystem::Creation::Never, handle, &created).ok())
        return false;
    QString locked;
    QString current;
    FileSystem::Handle again = FileSystem::noHandle;
    bool same = files.lockExclusive(*handle, 0).ok() && files.identity(*handle, &locked).ok() &&
                files.openForAppend(path, FileSystem::Creation::Never, &again, &created).ok();
    if (again != FileSystem::noHandle) {
        same = files.identity(again, &current).ok() && current == locked;
        files.close(again);
    }
    if (!same)
        files.close(*handle);
    return same;
}

enum class LeftFile
{
    Missing,
    Empty,
    Whole,
    Torn,     // a plain file of the user's that is not a whole autosave
    Untrusted // a link, a folder, a device, a pipe, another user's file
};

LeftFile lookAtLeft(FileSystem &files, const QString &path, const QStringList &names,
                    AutosaveContent *content)
{
    if (!names.contains(plainNameOf(path)))
        return LeftFile::Missing;
    FileSystem::Handle handle = FileSystem::noHandle;
    bool created = false;
    if (!files.openForAppend(path, FileSystem::Creation::Never, &handle, &created).ok())
        return LeftFile::Untrusted;
    bool owned = false;
    const bool trusted = files.ownedByUser(handle, &owned).ok() && owned;
    files.close(handle);
    QByteArray bytes;
    if (!trusted || !files.readAll(path, &bytes).ok())
        return LeftFile::Untrusted;
    if (bytes.isEmpty())
        return LeftFile::Empty;
    return Autosave::decode(bytes, content) ? LeftFile::Whole : LeftFile::Torn;
}

// What a copy that no longer runs left: its latest whole autosave, or
// nothing when its files hold nothing. False when anything of the copy is
// not a plain file of the user's, or when there is no whole autosave to
// take: then its files are left as they are.
bool leftContent(FileSystem &files, const QString &path, const QStringList &names,
                 AutosaveContent *content)
{
    AutosaveContent placed;
    AutosaveContent newer;
    const LeftFile placedKind = lookAtLeft(files, path, names, &placed);
    const LeftFile newerKind = lookAtLeft(files, path + autosaveNewSuffix, names, &newer);
    if (placedKind == LeftFile::Untrusted || newerKind == LeftFile::Untrusted ||
        placedKind == LeftFile::Torn ||
        (placedKind == LeftFile::Missing && newerKind == LeftFile::Torn))
        return false;
    // A whole new file that was not renamed yet is the later of the two; a
    // torn one was cut off while it was written, and the placed file holds
    // the answer.
    *content = newerKind == LeftFile::Whole ? newer : placed;
    return true;
}

} // namespace

void takeLeftAutosaves(FileSystem &files, const QString &folder, const LeftTextKeeper &keep)
{
    QStringList names;
    if (!files.listFolder(folder, autosavePrefix, &names).ok())
        return;
    QStringList copies;
    for (const QString &name : names) {
        const QString copy =
            name.endsWith(autosaveNewSuffix) ? name.chopped(autosaveNewSuffix.size()) : name;
        if (!copies.contains(copy))
            copies.append(copy);
    }
    copies.sort();
    for (const QString &copy : copies) {
        const QString path = pathInFolder(folder, copy);
        const bool placed = names.contains(copy);
        FileSystem::Handle lock = FileSystem::noHandle;
        if (!lockLeftFile(files, placed ? path : path + autosaveNewSuffix, &lock))
            continue;
        AutosaveContent content;
        if (!leftContent(files, path, names, &content)) {
            files.close(lock);
            continue;
        }
        QList<TypedText> texts = content.refused;
        texts.append({content.item, content.text});
        const qsizetype taken = keep(texts);
        if (taken == texts.size()) {
            files.remove(path + autosaveNewSuffix);
            files.remove(path);
            files.syncFolderOf(path);
        } else if (taken > 0) {
            const QList<TypedText> rest = texts.mid(taken);
            // The lock of the placed file goes with it: Windows replaces no
            // file that is held open, so the Autosave lets go of it then.
            const FileSystem::Handle held =
                placed ? std::exchange(lock, FileSystem::noHandle) : FileSystem::noHandle;
            Autosave(files, folder, copy.mid(autosavePrefix.size()), held)
                .save({rest.last().item, rest.last().text, rest.first(rest.size() - 1)});
        }
        if (lock != FileSystem::noHandle)
            files.close(lock);
    }
}

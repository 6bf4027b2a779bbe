#include "native_file_system.h"
#include "win32_file_owner.h"

#include <cstring>
#include <iterator>
#include <memory>

#include <windows.h>

#include <aclapi.h>

namespace {

FileStatus fromError(DWORD error)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString reason = length ? QString::fromWCharArray(text, length).trimmed()
                            : QStringLiteral("system error %1").arg(error);
    LocalFree(text);
    if (reason.endsWith(u'.'))
        reason.chop(1);
    return FileStatus::failure(reason,
                               error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
}

FileStatus lastError()
{
    return fromError(GetLastError());
}

FileStatus statusOf(BOOL result)
{
    return result ? FileStatus::success() : lastError();
}

const wchar_t *wide(const QString &path)
{
    return reinterpret_cast<const wchar_t *>(path.utf16());
}

HANDLE nativeHandle(FileSystem::Handle handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

FileSystem::Handle fromNative(HANDLE handle)
{
    return reinterpret_cast<FileSystem::Handle>(handle);
}

FileStatus refusal(DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return refusal(NotPlainFile::Link);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return refusal(NotPlainFile::Folder);
    return FileStatus::success();
}

// Names such as NUL, CON or COM1 (in any folder, with any extension) and
// \\.\ paths reach a device or a pipe; opening one can act on it, so they are
// refused before the open.
bool namesADevice(const QString &path)
{
    wchar_t full[MAX_PATH + 8];
    const DWORD length = GetFullPathNameW(wide(path), DWORD(std::size(full)), full, nullptr);
    if (length == 0 || length >= std::size(full))
        return false;
    return QString::fromWCharArray(full, int(length)).startsWith(QLatin1String("\\\\.\\"));
}

// The handle reaches a regular file on a disk: not a folder, not a link or
// other reparse point, not a device or a pipe.
FileStatus checkOpened(HANDLE handle)
{
    switch (GetFileType(handle)) {
    case FILE_TYPE_DISK:
        break;
    case FILE_TYPE_PIPE:
        return refusal(NotPlainFile::Pipe);
    case FILE_TYPE_CHAR:
        return refusal(NotPlainFile::Device);
    default:
        return refusal(NotPlainFile::Other);
    }
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!GetFileInformationByHandle(handle, &info))
        return lastError();
    return refusal(info.dwFileAttributes);
}

// Opens a regular file and nothing else. A link or other reparse point is
// opened as itself (FILE_FLAG_OPEN_REPARSE_POINT) and refused, never
// followed; a missing file is created only as a new one (CREATE_NEW), so
// nothing is created through a dangling link. Every handle shares delete
// access, so that the autosave can be replaced while a copy holds it.
FileStatus openRegular(const QString &path, DWORD access, FileSystem::Creation creation,
                       FileSystem::Handle *opened, bool *created)
{
    *created = false;
    if (namesADevice(path))
        return refusal(NotPlainFile::Device);
    const DWORD attributes = GetFileAttributesW(wide(path));
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        const FileStatus refused = refusal(attributes);
        if (!refused.ok())
            return refused;
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND || creation == FileSystem::Creation::Never) {
        return lastError();
    }

    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT;
    const bool isPrivate = creation == FileSystem::Creation::PrivateIfMissing ||
                           creation == FileSystem::Creation::PrivateNew;
    PrivateFile privateFile;
    if (isPrivate && !privateFile.ok())
        return lastError();
    SECURITY_ATTRIBUTES *security = isPrivate ? &privateFile.attributes : nullptr;
    HANDLE handle = INVALID_HANDLE_VALUE;
    if (creation != FileSystem::Creation::PrivateNew)
        handle = CreateFileW(wide(path), access, share, nullptr, OPEN_EXISTING, flags, nullptr);
    if ((handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND &&
         creation != FileSystem::Creation::Never) ||
        creation == FileSystem::Creation::PrivateNew) {
        handle = CreateFileW(wide(path), access, share, security, CREATE_NEW, flags, nullptr);
        if (handle != INVALID_HANDLE_VALUE)
            *created = true;
        else if (GetLastError() == ERROR_FILE_EXISTS &&
                 creation != FileSystem::Creation::PrivateNew)
            handle = CreateFileW(wide(path), access, share, nullptr, OPEN_EXISTING, flags, nullptr);
    }
    if (handle == INVALID_HANDLE_VALUE)
        return lastError();

    const FileStatus status = checkOpened(handle);
    if (!status.ok()) {
        CloseHandle(handle);
        return status;
    }
    *opened = fromNative(handle);
    return FileStatus::success();
}

// FILE_RENAME_INFO as Windows 10 has it, with flags in place of the
// Boolean ReplaceIfExists, and its class, which older headers lack.
struct RenameInfo
{
    DWORD flags;
    HANDLE root;
    DWORD nameLength;
    wchar_t name[1];
};
constexpr auto fileRenameInfoEx = FILE_INFO_BY_HANDLE_CLASS(22);
constexpr DWORD renameReplaceIfExists = 0x1;
constexpr DWORD renamePosixSemantics = 0x2;

// The lock is on one byte at the largest offset a file can have: it lies
// beyond any append, so that Windows' mandatory locks never block a write.
OVERLAPPED lockedByte()
{
    OVERLAPPED where = {};
    where.Offset = 0xFFFFFFFE;
    where.OffsetHigh = 0x7FFFFFFF;
    return where;
}

} // namespace

FileStatus NativeFileSystem::makeFolder(const QString &path)
{
    return statusOf(CreateDirectoryW(wide(path), nullptr));
}

FileStatus NativeFileSystem::openForLock(const QString &path, Handle *handle, bool *created)
{
    return openRegular(path, GENERIC_READ, Creation::IfMissing, handle, created);
}

FileStatus NativeFileSystem::lockExclusive(Handle handle, int timeoutMs)
{
    return waitForLock(timeoutMs, [handle]() -> std::optional<FileStatus> {
        OVERLAPPED where = lockedByte();
        if (LockFileEx(nativeHandle(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                       1, 0, &where))
            return FileStatus::success();
        const DWORD error = GetLastError();
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
            return std::nullopt;
        return fromError(error);
    });
}

FileStatus NativeFileSystem::unlock(Handle handle)
{
    OVERLAPPED where = lockedByte();
    return statusOf(UnlockFileEx(nativeHandle(handle), 0, 1, 0, &where));
}

FileStatus NativeFileSystem::openForAppend(const QString &path, Creation creation, Handle *handle,
                                           bool *created)
{
    // Write access as a whole, not append access alone: cutting a file back
    // needs it, and LockFileEx wants read or write access. Every write names
    // the end of the file as its offset instead.
    return openRegular(path, GENERIC_WRITE | FILE_READ_ATTRIBUTES, creation, handle, created);
}

FileStatus NativeFileSystem::size(Handle handle, qint64 *bytes)
{
    LARGE_INTEGER length = {};
    if (!GetFileSizeEx(nativeHandle(handle), &length))
        return lastError();
    *bytes = length.QuadPart;
    return FileStatus::success();
}

FileStatus NativeFileSystem::identity(Handle handle, QString *id)
{
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!GetFileInformationByHandle(nativeHandle(handle), &info))
        return lastError();
    const quint64 index = quint64(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    *id = QStringLiteral("%1:%2").arg(quint64(info.dwVolumeSerialNumber)).arg(index);
    return FileStatus::success();
}

FileStatus NativeFileSystem::ownedByUser(Handle handle, bool *owned)
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD error =
        GetSecurityInfo(nativeHandle(handle), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                        nullptr, nullptr, nullptr, &descriptor);
    if (error != ERROR_SUCCESS)
        return fromError(error);
    *owned = isTokenUserOrOwner(owner);
    LocalFree(descriptor);
    return FileStatus::success();
}

FileStatus NativeFileSystem::write(Handle handle, const QByteArray &bytes, qint64 *written)
{
    *written = 0;
    if (bytes.isEmpty())
        return FileStatus::success();
    if (bytes.size() > qsizetype(MAXDWORD))
        return FileStatus::failure(QStringLiteral("the text is too long for one write"));
    // Both halves of the offset all ones: the write goes to the end of the
    // file, as with append access alone.
    OVERLAPPED atEnd = {};
    atEnd.Offset = atEnd.OffsetHigh = 0xFFFFFFFF;
    DWORD n = 0;
    if (!WriteFile(nativeHandle(handle), bytes.constData(), DWORD(bytes.size()), &n, &atEnd))
        return lastError();
    *written = n;
    return FileStatus::success();
}

FileStatus NativeFileSystem::sync(Handle handle)
{
    return statusOf(FlushFileBuffers(nativeHandle(handle)));
}

FileStatus NativeFileSystem::truncate(Handle handle, qint64 bytes)
{
    LARGE_INTEGER length = {};
    length.QuadPart = bytes;
    if (!SetFilePointerEx(nativeHandle(handle), length, nullptr, FILE_BEGIN))
        return lastError();
    return statusOf(SetEndOfFile(nativeHandle(handle)));
}

FileStatus NativeFileSystem::close(Handle handle)
{
    return statusOf(CloseHandle(nativeHandle(handle)));
}

FileStatus NativeFileSystem::syncFolderOf(const QString &)
{
    // NTFS journals a new entry of a folder itself.
    return FileStatus::success();
}

FileStatus NativeFileSystem::openForRead(const QString &path, Handle *handle)
{
    bool created = false;
    return openRegular(path, GENERIC_READ, Creation::Never, handle, &created);
}

FileStatus NativeFileSystem::readSome(Handle handle, char *buffer, qint64 size, qint64 *read)
{
    DWORD n = 0;
    const FileStatus status =
        statusOf(ReadFile(nativeHandle(handle), buffer, DWORD(size), &n, nullptr));
    *read = n;
    return status;
}

FileStatus NativeFileSystem::rename(const QString &from, const QString &to)
{
    // The file at from itself, a link as the link, renamed through its handle.
    HANDLE handle = CreateFileW(wide(from), DELETE | SYNCHRONIZE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return lastError();
    QByteArray buffer(sizeof(RenameInfo) + to.size() * sizeof(wchar_t), '\0');
    auto *info = reinterpret_cast<RenameInfo *>(buffer.data());
    info->nameLength = DWORD(to.size() * sizeof(wchar_t));
    std::memcpy(info->name, to.utf16(), info->nameLength);
    // POSIX semantics replace a file that another handle holds open, as the
    // autosave's own handle does; Windows before 10 1709, FAT drives and
    // Wine know only the classic rename, which refuses such a file.
    info->flags = renameReplaceIfExists | renamePosixSemantics;
    BOOL renamed = SetFileInformationByHandle(handle, fileRenameInfoEx, info, DWORD(buffer.size()));
    if (!renamed && GetLastError() == ERROR_INVALID_PARAMETER) {
        info->flags = renameReplaceIfExists;
        renamed = SetFileInformationByHandle(handle, FileRenameInfo, info, DWORD(buffer.size()));
    }
    const DWORD error = GetLastError();
    CloseHandle(handle);
    return renamed ? FileStatus::success() : fromError(error);
}

FileStatus NativeFileSystem::remove(const QString &path)
{
    return statusOf(DeleteFileW(wide(path)));
}

FileStatus NativeFileSystem::listFolder(const QString &folder, const QString &prefix,
                                        QStringList *names)
{
    names->clear();
    // Every entry, compared here: a pattern would also match the short 8.3
    // names and would ignore case.
    const QString pattern = folder + QStringLiteral("\\*");
    WIN32_FIND_DATAW entry = {};
    HANDLE search =
        FindFirstFileExW(wide(pattern), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? FileStatus::success() : fromError(error);
    }
    do {
        const QString name = QString::fromWCharArray(entry.cFileName);
        if (name.startsWith(prefix))
            names->append(name);
    } while (FindNextFileW(search, &entry));
    const DWORD error = GetLastError();
    FindClose(search);
    return error == ERROR_NO_MORE_FILES ? FileStatus::success() : fromError(error);
}

std::unique_ptr<FileSystem> makeNativeFileSystem()
{
    return std::make_unique<NativeFileSystem>();
}

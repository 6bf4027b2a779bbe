#include "storage/native_file_system.h"
#include "storage/record_writer.h"
#include "support/faulty_file_system.h"
#include "support/file_bytes.h"
#include "support/refused_record.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <windows.h>

using Call = FaultyFileSystem::Call;

// The Win32 file layer keeps the promises of the POSIX one: only regular
// files, links never followed, appends at the end whoever wrote last, the
// lock between copies, cutting back, identity and the autosave's replace.
class TestWin32FileSystem : public QObject
{
    Q_OBJECT

private slots:
    void refused_data();
    void refused();
    void lockedByAnotherCopy();
    void appendsGoToTheEndAndCutsGoBack();
    void identityAndReplaceWhileHeld();
    void listsByPrefixAsNamed();

private:
    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
};

void TestWin32FileSystem::refused_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : {"folder", "device", "device name with an extension", "link to a file",
                             "dangling link", "missing folder", "below a file"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void TestWin32FileSystem::refused()
{
    QFETCH(QString, kind);
    const RefusalFolder f;
    QVERIFY(f.dir.isValid());
    QString odd = f.dir.filePath(QStringLiteral("odd.txt"));
    QString mustStayMissing;
    // A symbolic link, a reparse point; false where the system makes none
    // (Wine 8 accepts the call and creates nothing).
    const auto link = [&](const QString &target) {
        CreateSymbolicLinkW(reinterpret_cast<const wchar_t *>(odd.utf16()),
                            reinterpret_cast<const wchar_t *>(target.utf16()),
                            SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
        const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t *>(odd.utf16()));
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    };
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("odd.txt")));
    } else if (kind == QLatin1String("device")) {
        odd = QStringLiteral("NUL");
    } else if (kind == QLatin1String("device name with an extension")) {
        odd = f.dir.filePath(QStringLiteral("con.txt"));
    } else if (kind == QLatin1String("link to a file")) {
        if (!link(f.regular))
            QSKIP("this system makes no symbolic links");
    } else if (kind == QLatin1String("dangling link")) {
        mustStayMissing = f.dir.filePath(QStringLiteral("target.txt"));
        if (!link(mustStayMissing))
            QSKIP("this system makes no symbolic links");
    } else if (kind == QLatin1String("missing folder")) {
        mustStayMissing = f.dir.filePath(QStringLiteral("gone"));
        odd = mustStayMissing + QStringLiteral("/odd.txt");
    } else if (kind == QLatin1String("below a file")) {
        odd = f.regular + QStringLiteral("/odd.txt");
    }

    for (const bool asMaster : {true, false}) {
        checkRefusedRecord(odd, f.regular, f.former, asMaster);
        if (QTest::currentTestFailed())
            return;
    }
    if (!mustStayMissing.isEmpty())
        QVERIFY(!QFileInfo::exists(mustStayMissing));
    QByteArray bytes;
    QVERIFY(!NativeFileSystem().readAll(odd, &bytes).ok());
    QVERIFY(bytes.isEmpty());
}

void TestWin32FileSystem::lockedByAnotherCopy()
{
    const QString master = path("locked-master.txt");
    const QString send = path("locked-send.txt");
    // Another copy of the program holds the master file's lock.
    NativeFileSystem other;
    FileSystem::Handle held = FileSystem::noHandle;
    bool created = false;
    QVERIFY(other.openForLock(master, &held, &created).ok());
    QVERIFY(other.lockExclusive(held, 0).ok());

    checkLockedRecord(master, send, [&] { QVERIFY(other.unlock(held).ok()); });
    QVERIFY(other.close(held).ok());
}

void TestWin32FileSystem::appendsGoToTheEndAndCutsGoBack()
{
    const QString file = path("append.txt");
    NativeFileSystem files;
    FileSystem::Handle handle = FileSystem::noHandle;
    bool created = false;
    QVERIFY(files.openForAppend(file, FileSystem::Creation::IfMissing, &handle, &created).ok());
    QVERIFY(created);
    QVERIFY(writeWhole(files, handle, "first\r\n").ok());
    // Another program appends through its own handle meanwhile.
    {
        QFile other(file);
        QVERIFY(other.open(QIODevice::Append));
        QCOMPARE(other.write("other\r\n"), qint64(7));
    }
    QVERIFY(writeWhole(files, handle, "second\r\n").ok());
    QVERIFY(files.sync(handle).ok());
    QCOMPARE(readFile(file), QByteArray("first\r\nother\r\nsecond\r\n"));

    qint64 bytes = 0;
    QVERIFY(files.truncate(handle, 7).ok());
    QVERIFY(files.size(handle, &bytes).ok());
    QCOMPARE(bytes, qint64(7));
    QVERIFY(writeWhole(files, handle, "third\r\n").ok());
    QVERIFY(files.close(handle).ok());
    QCOMPARE(readFile(file), QByteArray("first\r\nthird\r\n"));

    FileSystem::Handle again = FileSystem::noHandle;
    QVERIFY(files.openForAppend(file, FileSystem::Creation::IfMissing, &again, &created).ok());
    QVERIFY(!created);
    QVERIFY(files.close(again).ok());
    QVERIFY(!files.openForAppend(path("missing.txt"), FileSystem::Creation::Never, &again, &created)
                 .ok());
    QVERIFY(!QFileInfo::exists(path("missing.txt")));
}

void TestWin32FileSystem::identityAndReplaceWhileHeld()
{
    // The autosave: a new file takes the place of one that this copy still
    // holds open and locked, and a reader then finds the new one.
    const QString saved = path("autosave");
    const QString fresh = path("autosave.new");
    NativeFileSystem files;
    bool created = false;
    FileSystem::Handle held = FileSystem::noHandle;
    QVERIFY(files.openForAppend(saved, FileSystem::Creation::IfMissing, &held, &created).ok());
    QVERIFY(files.lockExclusive(held, 0).ok());
    QVERIFY(writeWhole(files, held, "old").ok());
    FileSystem::Handle second = FileSystem::noHandle;
    QVERIFY(files.openForAppend(saved, FileSystem::Creation::Never, &second, &created).ok());
    QString heldId;
    QString secondId;
    QVERIFY(files.identity(held, &heldId).ok());
    QVERIFY(files.identity(second, &secondId).ok());
    QCOMPARE(secondId, heldId);
    QVERIFY(files.close(second).ok());

    FileSystem::Handle next = FileSystem::noHandle;
    QVERIFY(files.openForAppend(fresh, FileSystem::Creation::IfMissing, &next, &created).ok());
    QVERIFY(writeWhole(files, next, "new").ok());
    if (!files.rename(fresh, saved).ok()) {
        // Only the classic rename (Wine, FAT drives): refused without a
        // change, and done once the old file is let go.
        QByteArray old;
        QVERIFY(files.readAll(saved, &old).ok());
        QCOMPARE(old, QByteArray("old"));
        QVERIFY(QFileInfo::exists(fresh));
        QVERIFY(files.close(held).ok());
        held = FileSystem::noHandle;
        QVERIFY(files.rename(fresh, saved).ok());
    }
    QVERIFY(!QFileInfo::exists(fresh));
    QByteArray bytes;
    QVERIFY(files.readAll(saved, &bytes).ok());
    QCOMPARE(bytes, QByteArray("new"));
    QString nextId;
    QVERIFY(files.identity(next, &nextId).ok());
    QVERIFY(nextId != heldId);
    QVERIFY(held == FileSystem::noHandle || files.close(held).ok());
    QVERIFY(files.remove(saved).ok());
    QVERIFY(files.close(next).ok());
    QVERIFY(!QFileInfo::exists(saved));
}

void TestWin32FileSystem::listsByPrefixAsNamed()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char *name :
         {".autosave_1", ".autosave_2.new", ".Autosave_3", "a_long_name_.autosave_x"})
        writeFile(dir.filePath(QString::fromLatin1(name)), "x");
    NativeFileSystem files;
    QStringList names;
    QVERIFY(files.listFolder(dir.path(), QStringLiteral(".autosave_"), &names).ok());
    names.sort();
    QCOMPARE(names, QStringList({".autosave_1", ".autosave_2.new"}));
    QVERIFY(!files.listFolder(dir.filePath(QStringLiteral("gone")), QString(), &names).ok());
}

QTEST_GUILESS_MAIN(TestWin32FileSystem)
#include "tst_win32_file_system.moc"

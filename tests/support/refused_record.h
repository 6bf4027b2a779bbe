#pragma once

#include "storage/native_file_system.h"
#include "storage/record_writer.h"
#include "support/faulty_file_system.h"
#include "support/file_bytes.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

// A temporary folder with a regular file of former lines in it: the other
// file of a record whose refused file is tried beside it.
struct RefusalFolder
{
    RefusalFolder() { writeFile(regular, former); }

    QTemporaryDir dir;
    const QString regular = dir.filePath(QStringLiteral("regular.txt"));
    const QByteArray former = "former lines\r\n";
};

// A record whose file at refused is not a plain file of the user's: it
// fails naming that file, and nothing is written anywhere, the regular
// file beside it keeping its former bytes. The master file (the first) is
// refused before any lock is waited for.
inline void checkRefusedRecord(const QString &refused, const QString &regular,
                               const QByteArray &former, bool asMaster)
{
    using Call = FaultyFileSystem::Call;
    NativeFileSystem real;
    FaultyFileSystem files(real);
    const QList<FileRecord> parts =
        asMaster ? QList<FileRecord>{{refused, "record\r\n"}, {regular, "record\r\n"}}
                 : QList<FileRecord>{{regular, "record\r\n"}, {refused, "record\r\n"}};
    const FileStatus failure = appendRecord(files, parts);
    QVERIFY(!failure.ok());
    QCOMPARE(failure.path, refused);
    QVERIFY(!failure.reason.isEmpty());
    QCOMPARE(readFile(regular), former);
    QCOMPARE(files.count(Call::Write), 0);
    QCOMPARE(files.openHandles(), 0);
    if (asMaster)
        QCOMPARE(files.count(Call::Lock), 0);
}

// A record whose master file another copy of the program holds locked fails
// naming that file once the wait is over, with nothing written anywhere;
// once the other copy lets go (release), the same record goes out whole.
inline void checkLockedRecord(const QString &master, const QString &send,
                              const std::function<void()> &release)
{
    NativeFileSystem files;
    const QList<FileRecord> parts{{master, "master record\r\n"}, {send, "send record\r\n"}};
    const FileStatus failure = appendRecord(files, parts, 200);
    QVERIFY(!failure.ok());
    QCOMPARE(failure.path, master);
    QVERIFY2(failure.reason.contains(QLatin1String("locked")), qPrintable(failure.reason));
    QCOMPARE(readFile(master), QByteArray());
    QVERIFY(!QFileInfo::exists(send));

    release();
    QVERIFY(appendRecord(files, parts, 200).ok());
    QCOMPARE(readFile(master), QByteArray("master record\r\n"));
    QCOMPARE(readFile(send), QByteArray("send record\r\n"));
}

#pragma once

#include "storage/native_file_system.h"
#include "storage/record_writer.h"
#include "support/faulty_file_system.h"
#include "support/file_bytes.h"

#include <QtTest>

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
    const WriteFailure failure = appendRecord(files, parts);
    QVERIFY(failure.failed());
    QCOMPARE(failure.path, refused);
    QVERIFY(!failure.reason.isEmpty());
    QCOMPARE(readFile(regular), former);
    QCOMPARE(files.count(Call::Write), 0);
    QCOMPARE(files.openHandles(), 0);
    if (asMaster)
        QCOMPARE(files.count(Call::Lock), 0);
}

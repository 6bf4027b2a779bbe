#pragma once

#include "platform/file_system.h"
#include "records/record_journal.h"
#include "support/file_bytes.h"

#include <QTest>

// What a crash in the middle of a record leaves in the master file: the
// former bytes, the start of the record, and the journal that names the
// file by its plain name with its length before.
inline void leaveCutOffRecord(FileSystem &files, const QString &master, const QByteArray &before,
                              const QByteArray &cutOff)
{
    writeFile(master, before + cutOff);
    FileSystem::Handle handle = FileSystem::noHandle;
    bool created = false;
    QString identity;
    QVERIFY(files.openForAppend(master, FileSystem::Creation::Never, &handle, &created).ok());
    QVERIFY(files.identity(handle, &identity).ok());
    files.close(handle);
    writeFile(journalPathFor(master), RecordJournal::encode({{QStringLiteral("masterFile.txt"),
                                                              identity, qint64(before.size())}}));
}

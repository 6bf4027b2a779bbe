#include "format/windows1252.h"
#include "records/notes.h"
#include "records/rescue.h"
#include "records/response_entry.h"
#include "storage/native_path.h"
#include "storage/record_journal.h"
#include "storage/record_writer.h"
#include "support/crash_file_system.h"
#include "support/record_session.h"

#include <QtTest>

#include <functional>

namespace {

using Files = CrashFileSystem::Files;

QString native(const QString &pathText)
{
    return toNativePath(pathText).path;
}

const QByteArray former = "former lines\r\n";
const QByteArray cutOff = "......!!!!!!!!....\r\n  14:0";

// A file that a crash left with the start of a record after its former
// lines, and the journal beside the record's first file that names it.
void leaveCutOff(Files &files, const QString &firstPath, const QStringList &paths)
{
    QList<JournalEntry> intent;
    for (const QString &path : paths) {
        files.insert(path, {former + (intent.isEmpty() ? cutOff : QByteArray()), path});
        intent.append({plainNameOf(path), path, former.size()});
    }
    files.insert(journalPathFor(firstPath), {RecordJournal::encode(intent), QStringLiteral("j")});
}

// Runs check on every state that a crash after any of the changes can leave,
// once recovery has run on it; where tells the state.
void forEachCrashState(RecordSession &s, const Files &before,
                       const QList<CrashFileSystem::Change> &changes,
                       const std::function<void(CrashFileSystem &disk, const Files &crashed,
                                                const QString &where)> &check,
                       qsizetype *counted)
{
    for (qsizetype count = 0; count <= changes.size(); ++count) {
        const QList<Files> states = CrashFileSystem::crashStates(before, changes, count);
        for (qsizetype n = 0; n < states.size(); ++n) {
            CrashFileSystem disk(states[n]);
            s.platform.fileSystem = &disk;
            recoverCutOffRecords(s.session.workFolder, s.session.masterFilePath, s.platform);
            ++*counted;
            check(disk, states[n],
                  QStringLiteral("after %1 of %2 changes, state %3")
                      .arg(count)
                      .arg(changes.size())
                      .arg(n));
            QCOMPARE(disk.openHandles(), 0);
            if (QTest::currentTestFailed())
                return;
        }
    }
    qInfo("%lld crash states checked so far", qlonglong(*counted));
}

} // namespace

// Every record, cut off by a power loss after any operation of the file
// layer, with none, all or any single one of the unsynced changes on the
// disk: after recovery each file of the record holds all of it or none of
// it, the journals are empty, and what was cut back is in the rescue file.
class TestCrashStates : public QObject
{
    Q_OBJECT

private slots:
    void everyCrashState_data();
    void everyCrashState();
    void tornJournalIsNoIntent();
    void recoveryCutOffKeepsOnce_data();
    void recoveryCutOffKeepsOnce();
    void aRefusedKeepCutsNothingBack();
    void aFileReplacedSinceTheIntentIsLeftAlone();
    void aRescueKeepsTheRescueFilesOwnCutOffAfterIt();

private:
    qsizetype m_states = 0;
};

void TestCrashStates::everyCrashState_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("filesPresent");
    for (const char *command : {"opening block", "response", "notes", "rescue"}) {
        QTest::addRow("%s, files present", command) << QString::fromLatin1(command) << true;
        QTest::addRow("%s, files missing", command) << QString::fromLatin1(command) << false;
    }
}

void TestCrashStates::everyCrashState()
{
    QFETCH(QString, command);
    QFETCH(bool, filesPresent);

    RecordSession s;
    s.panes.answer = QStringLiteral("my answer\r\nover two lines \u00e9\u20ac");
    s.session.currentLine = QStringLiteral("What is x?");
    s.session.itemKind = QStringLiteral("question");
    const QString master = native(s.session.masterFilePath);
    const QString send = native(s.session.sendFilePath);
    const QString notes = native(s.session.notesFilePath);
    const QString drafts = native(draftsFilePath(s.session.workFolder));

    QStringList recordFiles = {master, send};
    std::function<void()> run;
    if (command == QLatin1String("opening block")) {
        run = [&] { QVERIFY(openAssignment(s.session, s.platform)); };
    } else if (command == QLatin1String("response")) {
        run = [&] {
            s.platform.replies = {QStringLiteral("2")};
            cmd_enter_response_Click(s.session, s.panes, s.platform);
        };
    } else if (command == QLatin1String("notes")) {
        recordFiles.append(notes);
        run = [&] { cmd_save_as_notes_Click(s.session, s.panes, s.platform); };
    } else {
        recordFiles = {drafts};
        run = [&] {
            QVERIFY(keepText(s.session.workFolder, s.platform, s.session.currentLine,
                             RescueReasons::quitProgram, s.panes.answer)
                        .ok());
        };
    }

    Files before;
    if (filesPresent) {
        for (const QString &path : {master, send, notes, drafts})
            before.insert(path, {"former lines of " + path.toUtf8() + "\r\n", path});
    }
    CrashFileSystem recorded(before);
    s.platform.fileSystem = &recorded;
    run();
    QVERIFY(s.platform.problems.isEmpty());
    QCOMPARE(recorded.openHandles(), 0);
    const Files after = recorded.files();
    const QList<CrashFileSystem::Change> changes = recorded.changes();
    for (const QString &path : recordFiles)
        QVERIFY(after.value(path).data.size() > before.value(path).data.size());

    const QStringList journals = {journalPathFor(master), journalPathFor(drafts)};
    const auto check = [&](CrashFileSystem &disk, const Files &crashed, const QString &where) {
        int whole = 0;
        int none = 0;
        QByteArray expectedDrafts = before.value(drafts).data;
        for (const QString &path : recordFiles) {
            const QByteArray got = disk.read(path);
            const QByteArray formerBytes = before.value(path).data;
            if (got == after.value(path).data) {
                ++whole;
                continue;
            }
            const QByteArray tail = crashed.value(path).data.mid(formerBytes.size());
            if (!tail.isEmpty())
                expectedDrafts += rescueRecord(path, RescueReasons::cutOffRecord,
                                               fromWindows1252(tail), s.platform);
            if (got == (path == drafts ? expectedDrafts : formerBytes))
                ++none;
            else
                QFAIL(qPrintable(where + QStringLiteral(": part of a record in ") + path));
        }
        QVERIFY2(whole == 0 || none == 0, qPrintable(where + QStringLiteral(": torn")));
        if (none > 0)
            QVERIFY2(disk.read(drafts) == expectedDrafts,
                     qPrintable(where + QStringLiteral(": the cut-back bytes are not kept")));
        for (const QString &journal : journals)
            QVERIFY2(disk.read(journal).isEmpty(),
                     qPrintable(where + QLatin1String(": ") + journal + " not cleared"));
    };
    forEachCrashState(s, before, changes, check, &m_states);
}

void TestCrashStates::tornJournalIsNoIntent()
{
    // Every prefix of a whole intent, and damaged ones, name nothing.
    const QList<JournalEntry> entries = {{QStringLiteral("masterFile.txt"), "1:2", 10},
                                         {QStringLiteral("send_1207.txt"), "1:3", 0}};
    const QByteArray whole = RecordJournal::encode(entries);
    QList<JournalEntry> decoded;
    QVERIFY(RecordJournal::decode(whole, &decoded));
    QCOMPARE(decoded.size(), 2);
    QCOMPARE(decoded[0].name, entries[0].name);
    QCOMPARE(decoded[0].identity, entries[0].identity);
    QCOMPARE(decoded[0].length, 10);
    for (qsizetype n = 0; n < whole.size(); ++n)
        QVERIFY2(!RecordJournal::decode(whole.first(n), &decoded), qPrintable(QString::number(n)));
    QByteArray badLength = whole;
    badLength.replace("\t10\t", "\t-1\t");
    QVERIFY(!RecordJournal::decode(badLength, &decoded));
}

void TestCrashStates::recoveryCutOffKeepsOnce_data()
{
    QTest::addColumn<bool>("draftsPresent");
    QTest::newRow("rescue file present") << true;
    QTest::newRow("rescue file missing") << false;
}

// Recovery itself cut off at every point, then recovered again: the master
// file is cut back, the journals are empty, and the cut-off bytes are in the
// rescue file once, not once for each recovery that got as far as keeping.
void TestCrashStates::recoveryCutOffKeepsOnce()
{
    QFETCH(bool, draftsPresent);
    RecordSession s;
    const QString master = native(s.session.masterFilePath);
    const QString send = native(s.session.sendFilePath);
    const QString drafts = native(draftsFilePath(s.session.workFolder));
    Files before;
    leaveCutOff(before, master, {master, send});
    if (draftsPresent)
        before.insert(drafts, {"former rescue\r\n", QStringLiteral("d")});

    CrashFileSystem recorded(before);
    s.platform.fileSystem = &recorded;
    QCOMPARE(recoverCutOffRecords(s.session.workFolder, s.session.masterFilePath, s.platform), 1);
    const auto check = [&](CrashFileSystem &disk, const Files &, const QString &where) {
        QVERIFY2(disk.read(master) == former, qPrintable(where));
        QVERIFY2(disk.read(send) == former, qPrintable(where));
        QVERIFY2(
            disk.read(drafts).count(cutOff) == 1,
            qPrintable(where +
                       QStringLiteral(": kept %1 times").arg(disk.read(drafts).count(cutOff))));
        for (const QString &journal : {journalPathFor(master), journalPathFor(drafts)})
            QVERIFY2(disk.read(journal).isEmpty(), qPrintable(where));
    };
    forEachCrashState(s, before, recorded.changes(), check, &m_states);
}

// Bytes that could not be kept somewhere safe are not cut back: the files and
// the journal stay as they are until a later recovery can keep them.
void TestCrashStates::aRefusedKeepCutsNothingBack()
{
    RecordSession s;
    const QString master = native(s.session.masterFilePath);
    Files before;
    leaveCutOff(before, master, {master});
    const QByteArray journal = before.value(journalPathFor(master)).data;
    CrashFileSystem disk(before);
    QByteArray offered;
    const auto refuse = [&](const QList<CutOffBytes> &cut) {
        offered = cut.value(0).bytes;
        return FileStatus::failure(QStringLiteral("no room"));
    };
    const FileStatus refused = recoverRecord(disk, s.session.masterFilePath, refuse);
    QCOMPARE(refused.reason, QStringLiteral("no room"));
    QCOMPARE(offered, cutOff);
    QCOMPARE(disk.read(master), former + cutOff);
    QCOMPARE(disk.read(journalPathFor(master)), journal);

    const auto take = [](const QList<CutOffBytes> &) { return FileStatus::success(); };
    QVERIFY(recoverRecord(disk, s.session.masterFilePath, take).ok());
    QCOMPARE(disk.read(master), former);
    QVERIFY(disk.read(journalPathFor(master)).isEmpty());
}

// A SEND file that was deleted and made again after the crash, say, is not
// the file the journal names: it keeps every byte, and none is taken for cut off.
void TestCrashStates::aFileReplacedSinceTheIntentIsLeftAlone()
{
    RecordSession s;
    const QString master = native(s.session.masterFilePath);
    const QString send = native(s.session.sendFilePath);
    Files before;
    leaveCutOff(before, master, {master, send});
    const QByteArray newer = "a SEND file made after the crash\r\n";
    before.insert(send, {newer, QStringLiteral("another file")});
    CrashFileSystem disk(before);
    QList<CutOffBytes> kept;
    const auto keep = [&](const QList<CutOffBytes> &cut) {
        kept += cut;
        return FileStatus::success();
    };
    QVERIFY(recoverRecord(disk, s.session.masterFilePath, keep).ok());
    QCOMPARE(disk.read(master), former);
    QCOMPARE(disk.read(send), newer);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept[0].bytes, cutOff);
    QVERIFY(disk.read(journalPathFor(master)).isEmpty());
}

// A rescue that meets a cut-off record of the rescue file itself (another
// copy died while it kept a text) appends its own text, then keeps the
// cut-off bytes after it, once, and leaves the journal empty.
void TestCrashStates::aRescueKeepsTheRescueFilesOwnCutOffAfterIt()
{
    RecordSession s;
    const QString drafts = native(draftsFilePath(s.session.workFolder));
    Files before;
    leaveCutOff(before, drafts, {drafts});
    CrashFileSystem disk(before);
    s.platform.fileSystem = &disk;
    const QString typed = QStringLiteral("x = 3");
    QVERIFY(keepText(s.session.workFolder, s.platform, s.session.currentLine,
                     RescueReasons::quitProgram, typed)
                .ok());
    QCOMPARE(
        disk.read(drafts),
        former +
            rescueRecord(s.session.currentLine, RescueReasons::quitProgram, typed, s.platform) +
            rescueRecord(drafts, RescueReasons::cutOffRecord, fromWindows1252(cutOff), s.platform));
    QVERIFY(disk.read(journalPathFor(drafts)).isEmpty());
}

QTEST_GUILESS_MAIN(TestCrashStates)
#include "tst_crash_states.moc"

#include "records/notes.h"
#include "records/response_entry.h"
#include "session/session_state.h"
#include "storage/native_file_system.h"
#include "storage/record_journal.h"
#include "support/expected_record.h"
#include "support/fake_panes.h"
#include "support/fake_platform.h"
#include "support/faulty_file_system.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <functional>

using Fault = FaultyFileSystem::Fault;
using Call = FaultyFileSystem::Call;

namespace {

const QByteArray itemBytes = "Find the derivative of x^2 \xe9tale.";
const QString itemText = QString::fromLatin1(itemBytes);
// Typed over two lines, with characters of the upper half of the code page.
const QString typed = QString::fromUtf8("It is 2x\r\n\u00e9 \u2014 \u201cdone\u201d");
const QByteArray typedBytes = "It is 2x\r\n\xe9 \x97 \x93"
                              "done\x94";

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::NoDotAndDotDot | QDir::System | QDir::Files | QDir::Dirs)
                   .size());
}

bool lockIsFree(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return true; // no file, no lock
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

// Which truncates work: all, none, or only the journal's.
enum class Truncates
{
    Work,
    Fail,
    OnlyTheJournal
};

// The journal is the first file a record opens for appending.
FileSystem::Handle journalHandleOf(const QList<FaultyFileSystem::Entry> &log)
{
    for (const auto &entry : log) {
        if (entry.call == Call::OpenForAppend)
            return entry.handle;
    }
    return FileSystem::noHandle;
}

struct Target
{
    QString path;
    QByteArray before; // empty and missing stand for the same here
    QByteArray record;
};

} // namespace

Q_DECLARE_METATYPE(Truncates)

class TestFaultInjection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void enterResponse_data();
    void enterResponse();
    void saveAsNotes_data();
    void saveAsNotes();

private:
    void addRows();
    void loop(const std::function<void(SessionState &, Panes &, Platform &)> &command,
              const QList<Target> &targets);

    QTemporaryDir m_dir;
    SessionState m_session;
};

void TestFaultInjection::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_session.workFolder = m_dir.path();
    m_session.masterFilePath = m_dir.filePath(QStringLiteral("masterFile.txt"));
    m_session.sendFilePath = m_dir.filePath(QStringLiteral("send_1207.txt"));
    m_session.notesFilePath = m_dir.filePath(QStringLiteral("notes_.txt"));
    m_session.responsePrompt = QStringLiteral("Type your response here.");
    m_session.currentLine = itemText;
}

void TestFaultInjection::addRows()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("filesExist");
    QTest::addColumn<Truncates>("truncates");
    const QList<std::pair<const char *, Fault>> faults = {
        {"fail once", Fault::FailOnce},
        {"fail from then on", Fault::FailFromThenOn},
        {"short write", Fault::ShortWrite},
        {"short write, then everything fails", Fault::ShortWriteThenFail}};
    for (const auto &[name, fault] : faults) {
        QTest::addRow("%s, files there", name) << fault << true << Truncates::Work;
        QTest::addRow("%s, files created", name) << fault << false << Truncates::Work;
    }
    // Nothing can be cut back: whatever stays must be named.
    QTest::addRow("fail once, no truncate works") << Fault::FailOnce << true << Truncates::Fail;
    QTest::addRow("short write, no truncate works") << Fault::ShortWrite << true << Truncates::Fail;
    // The record's files cannot be cut back, yet the journal could be
    // cleared: it must keep the intent for the next recovery.
    QTest::addRow("fail once, only the journal truncates")
        << Fault::FailOnce << true << Truncates::OnlyTheJournal;
    QTest::addRow("short write, only the journal truncates")
        << Fault::ShortWrite << true << Truncates::OnlyTheJournal;
}

// Runs the command once for each call of the file layer that can be made to
// fail, until a run no longer reaches the fault, and checks after each run
// that every file holds its former bytes or those and the whole record.
void TestFaultInjection::loop(
    const std::function<void(SessionState &, Panes &, Platform &)> &command,
    const QList<Target> &targets)
{
    QFETCH(Fault, fault);
    QFETCH(bool, filesExist);
    QFETCH(Truncates, truncates);
    const bool truncatesFail = truncates != Truncates::Work;
    NativeFileSystem real;
    const bool once = (fault == Fault::FailOnce || fault == Fault::ShortWrite) && !truncatesFail;
    int keptRuns = 0;
    int failedRuns = 0;
    int runs = 0;
    bool reachedEnd = false;
    const QString journalPath = m_dir.filePath(QStringLiteral(".masterFile.txt.journal"));

    for (int n = 1; n < 200 && !reachedEnd; ++n) {
        QList<Target> files = targets;
        for (Target &target : files) {
            QFile::remove(target.path);
            if (filesExist)
                writeFile(target.path, target.before);
            else
                target.before.clear();
        }
        QFile::remove(journalPath);
        FaultyFileSystem faulty(real);
        faulty.inject(fault, n);
        if (truncatesFail)
            faulty.alwaysFailing.insert(Call::Truncate);
        if (truncates == Truncates::OnlyTheJournal)
            faulty.spared = [&faulty](FileSystem::Handle handle) {
                return handle == journalHandleOf(faulty.log);
            };
        FakePlatform platform;
        platform.fileSystem = &faulty;
        platform.replies = {QStringLiteral("2")};
        FakePanes panes;
        panes.question = QStringLiteral("the question pane");
        panes.answer = typed;
        SessionState session = m_session;
        const int descriptors = openDescriptors();

        command(session, panes, platform);
        ++runs;

        reachedEnd = !faulty.triggered();
        const QString at = QStringLiteral("fault at call %1").arg(n);
        QVERIFY2(faulty.openHandles() == 0, qPrintable(at));
        QVERIFY2(openDescriptors() == descriptors, qPrintable(at));
        QVERIFY2(lockIsFree(targets.first().path), qPrintable(at));
        QVERIFY2(platform.problems.size() <= 1, qPrintable(at));

        // Only the lock's own unlock and close may fail without harm: by
        // then the record is whole and synced in every file.
        bool harmless = false;
        if (!reachedEnd && fault != Fault::ShortWrite && fault != Fault::ShortWriteThenFail) {
            const auto first =
                std::find_if(faulty.log.cbegin(), faulty.log.cend(), [&](const auto &entry) {
                    const bool alwaysFails = entry.call == Call::Truncate && truncatesFail &&
                                             !(faulty.spared && faulty.spared(entry.handle));
                    return entry.failed && !alwaysFails;
                });
            QVERIFY(first != faulty.log.cend());
            // The lock's handle, and the journal's: the first file opened
            // for appending, closed last, once it is cleared.
            FileSystem::Handle lockHandle = FileSystem::noHandle;
            for (const auto &entry : faulty.log) {
                if (entry.call == Call::OpenForLock)
                    lockHandle = entry.handle;
            }
            const FileSystem::Handle journalHandle = journalHandleOf(faulty.log);
            harmless = first->call == Call::Unlock ||
                       (first->call == Call::Close &&
                        (first->handle == lockHandle || first->handle == journalHandle));
        }

        // With no truncate working the journal cannot be cleared, so no
        // record can be counted as done.
        if ((reachedEnd && truncates != Truncates::Fail) || harmless) {
            QVERIFY2(platform.problems.isEmpty(),
                     qPrintable(at + QStringLiteral(": ") + platform.problems.value(0)));
            for (const Target &target : files)
                QVERIFY2(readFile(target.path) == target.before + target.record,
                         qPrintable(at + QStringLiteral(": ") + target.path));
            QCOMPARE(panes.answer, QString());
            QCOMPARE(panes.question, QString());
            if (reachedEnd) {
                // One write and one sync of each file, nothing tried twice;
                // the journal's intent written and synced, and cleared.
                QCOMPARE(faulty.count(Call::Write), int(targets.size()) + 1);
                QCOMPARE(faulty.count(Call::Sync), int(targets.size()) + 2);
                QCOMPARE(faulty.count(Call::Truncate), 1);
            }
            continue;
        }

        ++failedRuns;
        bool kept = false;
        bool cutShort = false; // a file holds part of the record, not all of it
        QVERIFY2(platform.problems.size() == 1, qPrintable(at));
        const QString problem = platform.problems.first();
        QVERIFY2(problem.contains(QLatin1String("NOT saved")), qPrintable(problem));
        const bool shortWrite = fault == Fault::ShortWrite || fault == Fault::ShortWriteThenFail;
        QVERIFY2(problem.contains(faulty.injectedReason) ||
                     (shortWrite && problem.contains(QStringLiteral("bytes could be written"))),
                 qPrintable(problem));
        QVERIFY2(std::any_of(files.cbegin(), files.cend(),
                             [&](const Target &target) {
                                 return problem.contains(QStringLiteral("the file ") + target.path);
                             }) ||
                     problem.contains(QStringLiteral(".masterFile.txt.journal")),
                 qPrintable(problem));
        QCOMPARE(panes.answer, typed);
        QCOMPARE(panes.question, QStringLiteral("the question pane"));
        for (const Target &target : files) {
            const QByteArray now = readFile(target.path);
            if (now == target.before)
                continue;
            // A file the writer could not cut back: only a layer that fails
            // every call leaves one, and the message must name it.
            QVERIFY2(!once, qPrintable(at + QStringLiteral(": ") + target.path));
            QVERIFY2(problem.contains(QStringLiteral("may remain in ") + target.path) ||
                         problem.contains(QStringLiteral(", ") + target.path),
                     qPrintable(problem));
            QVERIFY(now.startsWith(target.before));
            QVERIFY(target.record.startsWith(now.mid(target.before.size())));
            kept = true;
            cutShort = cutShort || now.mid(target.before.size()) != target.record;
        }
        keptRuns += kept ? 1 : 0;
        QList<JournalEntry> intent;
        QVERIFY2(!cutShort ||
                     (RecordJournal::decode(readFile(journalPath), &intent) && !intent.isEmpty()),
                 qPrintable(at + QStringLiteral(": part of the record stays, unnamed")));

        // A record taken back out of every file leaves no intent behind for
        // the next recovery, unless what failed was the journal itself.
        if (once && RecordJournal::decode(readFile(journalPath), &intent) && !intent.isEmpty()) {
            const FileSystem::Handle journalHandle = journalHandleOf(faulty.log);
            QVERIFY2(std::any_of(faulty.log.cbegin(), faulty.log.cend(),
                                 [&](const auto &entry) {
                                     return entry.failed && entry.handle == journalHandle;
                                 }),
                     qPrintable(at + QStringLiteral(": the journal still names the record")));
        }
    }
    QVERIFY2(reachedEnd, "the command kept reaching the fault");
    if (truncatesFail)
        QVERIFY(keptRuns > 0);
    qInfo("%d runs: %d with the record refused, %d of these leaving part of it named", runs,
          failedRuns, keptRuns);
    QVERIFY(failedRuns > 0);
}

void TestFaultInjection::enterResponse_data()
{
    addRows();
}

void TestFaultInjection::enterResponse()
{
    m_session.assignmentNbr = QStringLiteral("005");
    m_session.itemKind = QStringLiteral("question");
    const QByteArray rating = "confidence assessment:  2";
    loop(cmd_enter_response_Click,
         {{m_session.masterFilePath, "former master lines\r\n",
           masterResponse("14:03:27", " 50000 ", itemBytes, typedBytes, rating)},
          {m_session.sendFilePath, "former SEND lines\r\n",
           sendResponse("14:03:27", itemBytes, typedBytes, rating)}});
}

void TestFaultInjection::saveAsNotes_data()
{
    addRows();
}

void TestFaultInjection::saveAsNotes()
{
    m_session.itemKind = QStringLiteral("answer");
    const QByteArray record = notesRecord("14:03:27", "12-07-202614:03:27", itemBytes, typedBytes);
    loop(cmd_save_as_notes_Click, {{m_session.masterFilePath, "former master lines\r\n", record},
                                   {m_session.sendFilePath, "former SEND lines\r\n", record},
                                   {m_session.notesFilePath, "an earlier note\r\n", record}});
}

QTEST_GUILESS_MAIN(TestFaultInjection)
#include "tst_fault_injection.moc"

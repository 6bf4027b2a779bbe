#include "record_samples.h"
#include "support/file_bytes.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray formerMaster = "former master lines\r\n";
const QByteArray formerSend = "former SEND lines\r\n";

} // namespace

// A copy of the program killed in the middle of its commands, and a recovery
// run after it: every file is then its former lines and whole records, with
// no torn tail, and whatever recovery cut back is in the rescue file.
class TestKilledChild : public QObject
{
    Q_OBJECT

private slots:
    void killedAtEveryKindOfCall();
    void killedFromOutside();

private:
    // Checks one file after the kill; lastOk is the last record the child
    // reported whole.
    void checkFile(const QString &path, const QByteArray &killed, const QByteArray &former,
                   bool master, int count, int lastOk, quint32 seed, SampleSizes sizes,
                   const QByteArray &drafts);
    void recover(const QString &folder, quint32 seed, SampleSizes sizes, int count, int lastOk);
    void prepare(const QString &folder);
};

void TestKilledChild::prepare(const QString &folder)
{
    // The journal is there already, so that every record makes the same calls.
    for (const auto &[path, bytes] :
         {std::pair(masterFileIn(folder), formerMaster), std::pair(sendFileIn(folder), formerSend),
          std::pair(folder + "/.masterFile.txt.journal", QByteArray())}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }
}

void TestKilledChild::recover(const QString &folder, quint32 seed, SampleSizes sizes, int count,
                              int lastOk)
{
    const QByteArray killedMaster = readFile(masterFileIn(folder));
    const QByteArray killedSend = readFile(sendFileIn(folder));
    QProcess child;
    child.start(QStringLiteral(RECORD_CHILD),
                {folder, QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"),
                 QString::number(seed), QStringLiteral("recover")});
    QVERIFY(child.waitForFinished(30'000));
    QCOMPARE(child.exitCode(), 0);
    const QByteArray drafts = readFile(folder + QStringLiteral("/drafts_.txt"));
    checkFile(masterFileIn(folder), killedMaster, formerMaster, true, count, lastOk, seed, sizes,
              drafts);
    checkFile(sendFileIn(folder), killedSend, formerSend, false, count, lastOk, seed, sizes,
              drafts);
    QCOMPARE(readFile(folder + QStringLiteral("/.masterFile.txt.journal")), QByteArray());
}

void TestKilledChild::checkFile(const QString &path, const QByteArray &killed,
                                const QByteArray &former, bool master, int count, int lastOk,
                                quint32 seed, SampleSizes sizes, const QByteArray &drafts)
{
    const QByteArray bytes = readFile(path);
    // What recovery cut back is the end of the file as the kill left it, and
    // the rescue file holds it.
    QVERIFY2(killed.startsWith(bytes), qPrintable(path));
    QVERIFY2(drafts.contains(killed.mid(bytes.size())), qPrintable(path));
    QVERIFY2(bytes.startsWith(former), qPrintable(path));
    QList<ExpectedRecord> all;
    for (int i = 0; i < count; ++i)
        all.append({1, i, false});
    const RecordMatch match = matchRecords(bytes, former.size(), {all}, seed, sizes, master);
    // Every record reported whole is there, in order, and after them at most
    // one more, whole, and nothing else.
    const int whole = int(match.found.size());
    QVERIFY2(whole >= lastOk + 1, qPrintable(QStringLiteral("%1: %2 whole records, %3 reported")
                                                 .arg(path)
                                                 .arg(whole)
                                                 .arg(lastOk + 1)));
    QVERIFY2(whole <= lastOk + 2, qPrintable(path));
    QVERIFY2(
        match.end == bytes.size(),
        qPrintable(QStringLiteral("%1: a torn tail after record %2").arg(path).arg(whole - 1)));
}

void TestKilledChild::killedAtEveryKindOfCall()
{
    // The child dies as a chosen call of its file layer begins: before or
    // after any open, lock, write, sync or close of some command.
    const quint32 seed = QRandomGenerator::global()->bounded(1u << 30);
    qInfo("seed %u", seed);
    const int count = 20;
    // Lock open, lock, two opens and sizes, two writes and syncs, two closes,
    // unlock and the lock's close; no folder syncs, as nothing is created.
    // With the journal: its open, owner and size, two identities, its intent
    // (write, sync), its clearing (truncate, sync) and its close: 24 in all.
    const int callsPerRecord = 24;
    for (int round = 0; round < 100; ++round) {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        prepare(dir.path());
        const int killAt =
            round < 2 * callsPerRecord
                ? round + 1 + callsPerRecord * 3
                : 1 + int(QRandomGenerator::global()->bounded(count * callsPerRecord));
        QProcess child;
        child.start(QStringLiteral(RECORD_CHILD),
                    {dir.path(), QStringLiteral("1"), QStringLiteral("0"), QString::number(count),
                     QString::number(seed), QStringLiteral("kill-at"), QString::number(killAt)});
        QVERIFY(child.waitForFinished(30'000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        const QList<ChildLine> lines = parseChildOutput(child.readAllStandardOutput());
        const int lastOk = lines.isEmpty() ? -1 : lines.last().index;
        for (const ChildLine &line : lines)
            QVERIFY2(line.ok, qPrintable(line.reason));
        QCOMPARE(lastOk, (killAt - 1) / callsPerRecord - 1);
        recover(dir.path(), seed, SampleSizes::Small, count, lastOk);
    }
}

void TestKilledChild::killedFromOutside()
{
    // A kill from this process (SIGKILL on Linux, TerminateProcess on Windows)
    // once the child has reported a chosen number of records; with records of
    // megabytes among them the kill can land in the middle of a write.
    const quint32 seed = QRandomGenerator::global()->bounded(1u << 30);
    qInfo("seed %u", seed);
    const int count = 1000;
    for (int round = 0; round < 30; ++round) {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        prepare(dir.path());
        const int killAfter = int(QRandomGenerator::global()->bounded(400));
        QProcess child;
        child.start(QStringLiteral(RECORD_CHILD),
                    {dir.path(), QStringLiteral("1"), QStringLiteral("0"), QString::number(count),
                     QString::number(seed), QStringLiteral("big")});
        QVERIFY(child.waitForStarted());
        QByteArray output;
        while (parseChildOutput(output).size() <= killAfter && child.state() == QProcess::Running) {
            if (child.waitForReadyRead(30'000))
                output += child.readAllStandardOutput();
        }
        child.kill();
        QVERIFY(child.waitForFinished(30'000));
        output += child.readAllStandardOutput();
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        const QList<ChildLine> lines = parseChildOutput(output);
        QVERIFY(!lines.isEmpty());
        recover(dir.path(), seed, SampleSizes::UpToMegabytes, count, lines.last().index);
    }
}

QTEST_GUILESS_MAIN(TestKilledChild)
#include "tst_killed_child.moc"

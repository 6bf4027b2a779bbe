#include "record_samples.h"
#include "support/file_bytes.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <tuple>

namespace {

// Both record files of the folder read from their start as whole records of
// the writers, into orders, the master file's first; the two must hold the
// same records in the same order.
void readBothFiles(const QString &folder, const QList<QList<ExpectedRecord>> &writers, quint32 seed,
                   SampleSizes sizes, QList<QList<ExpectedRecord>> &orders)
{
    for (const bool master : {true, false}) {
        const QByteArray bytes = readFile(master ? masterFileIn(folder) : sendFileIn(folder));
        QVERIFY(!bytes.isEmpty());
        const RecordMatch match = matchRecords(bytes, 0, writers, seed, sizes, master);
        QVERIFY2(match.end == bytes.size(),
                 qPrintable(QStringLiteral("a torn record after %1 whole ones in %2")
                                .arg(match.found.size())
                                .arg(master ? masterFileIn(folder) : sendFileIn(folder))));
        orders.append(match.found);
    }
    QCOMPARE(orders[1].size(), orders[0].size());
    for (qsizetype i = 0; i < orders[0].size(); ++i) {
        QCOMPARE(orders[1][i].writer, orders[0][i].writer);
        QCOMPARE(orders[1][i].index, orders[0][i].index);
    }
}

} // namespace

// Two copies of the program appending to one folder at the same time.
class TestTwoCopies : public QObject
{
    Q_OBJECT

private slots:
    void thousandRecordsEach();
    void killsAmongTheCopies();
};

void TestTwoCopies::thousandRecordsEach()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const quint32 seed = QRandomGenerator::global()->bounded(1u << 30);
    qInfo("seed %u", seed);
    const int count = 1000;

    QProcess copies[2];
    for (int w = 0; w < 2; ++w) {
        copies[w].start(QStringLiteral(RECORD_CHILD),
                        {dir.path(), QString::number(w + 1), QStringLiteral("0"),
                         QString::number(count), QString::number(seed), QStringLiteral("big")});
    }
    QList<QList<ExpectedRecord>> writers;
    for (int w = 0; w < 2; ++w) {
        QVERIFY(copies[w].waitForFinished(150'000));
        QCOMPARE(copies[w].exitStatus(), QProcess::NormalExit);
        QCOMPARE(copies[w].exitCode(), 0);
        const QList<ChildLine> lines = parseChildOutput(copies[w].readAllStandardOutput());
        QCOMPARE(lines.size(), count);
        for (const ChildLine &line : lines)
            QVERIFY2(line.ok, qPrintable(line.reason));
        writers.append(expectedFrom(w + 1, lines));
    }

    QList<QList<ExpectedRecord>> orders;
    readBothFiles(dir.path(), writers, seed, SampleSizes::UpToMegabytes, orders);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(orders[0].size(), 2 * count);
    int switches = 0;
    for (qsizetype i = 1; i < orders[0].size(); ++i) {
        if (orders[0][i].writer != orders[0][i - 1].writer)
            ++switches;
    }
    qInfo("the two copies took turns %d times", switches);
}

namespace {

QProcess *startCopy(QObject *parent, const QString &folder, int writer, int count, quint32 seed,
                    const QStringList &options = {})
{
    auto *copy = new QProcess(parent);
    copy->start(QStringLiteral(RECORD_CHILD),
                QStringList{folder, QString::number(writer), QStringLiteral("0"),
                            QString::number(count), QString::number(seed)} +
                    options);
    copy->waitForStarted();
    return copy;
}

} // namespace

// Copies killed by SIGKILL while others go on (as each call of a record
// begins, and from outside), and a copy started after the kill: the copies
// that go on take the killed one's cut-off record back out at their next
// record, and then every file holds whole records only, the same in master
// and SEND.
void TestTwoCopies::killsAmongTheCopies()
{
    const quint32 seed = QRandomGenerator::global()->bounded(1u << 30);
    qInfo("seed %u", seed);
    const int count = 60;
    const int callsPerRecord = 24;
    for (int round = 0; round < callsPerRecord + 3; ++round) {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // The files and the journal are there already, so that every record
        // makes the same calls.
        for (const QString &path : {masterFileIn(dir.path()), sendFileIn(dir.path()),
                                    dir.path() + QStringLiteral("/.masterFile.txt.journal")}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QObject owner;
        // Killed from outside, it mostly dies waiting for the other's lock.
        const bool fromOutside = round >= callsPerRecord;
        const int killAt =
            callsPerRecord * QRandomGenerator::global()->bounded(3, count / 2) + round + 1;
        QProcess *killed = startCopy(
            &owner, dir.path(), 1, count, seed,
            fromOutside ? QStringList()
                        : QStringList{QStringLiteral("kill-at"), QString::number(killAt)});
        QProcess *survivor = startCopy(&owner, dir.path(), 2, count, seed);
        const int killAfter = QRandomGenerator::global()->bounded(5, count / 2);
        QByteArray killedOutput;
        while ((!fromOutside || killedOutput.count("ok ") < killAfter) &&
               killed->state() == QProcess::Running) {
            killed->waitForReadyRead(1000);
            killedOutput += killed->readAllStandardOutput();
        }
        killed->kill();
        QVERIFY(killed->state() == QProcess::NotRunning || killed->waitForFinished(10'000));
        QCOMPARE(killed->exitStatus(), QProcess::CrashExit);
        killedOutput += killed->readAllStandardOutput();
        QProcess *later = startCopy(&owner, dir.path(), 3, count / 4, seed);

        QList<QList<ExpectedRecord>> writers;
        const QList<ChildLine> killedLines = parseChildOutput(killedOutput);
        writers.append(expectedFrom(1, killedLines));
        // The record it was in when it died may have been done already.
        writers.last().append({1, int(killedLines.size()), true});
        for (const auto &[copy, writer, records] :
             {std::tuple(survivor, 2, count), std::tuple(later, 3, count / 4)}) {
            QVERIFY(copy->waitForFinished(120'000));
            QCOMPARE(copy->exitCode(), 0);
            const QList<ChildLine> lines = parseChildOutput(copy->readAllStandardOutput());
            QCOMPARE(lines.size(), records);
            writers.append(expectedFrom(writer, lines));
        }

        QList<QList<ExpectedRecord>> orders;
        readBothFiles(dir.path(), writers, seed, SampleSizes::Small, orders);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("in round %1").arg(round)));
        const qsizetype reported = killedLines.size() + count + count / 4;
        QVERIFY(orders[0].size() == reported || orders[0].size() == reported + 1);
        QFile journal(dir.path() + QStringLiteral("/.masterFile.txt.journal"));
        QVERIFY(journal.open(QIODevice::ReadOnly));
        QCOMPARE(journal.readAll(), QByteArray());
    }
}

QTEST_GUILESS_MAIN(TestTwoCopies)
#include "tst_two_copies.moc"

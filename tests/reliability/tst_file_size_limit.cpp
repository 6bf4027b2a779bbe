#include "record_samples.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

// A child process with a limit on the size of the files it writes
// (RLIMIT_FSIZE): the program turns the limit into a write failure instead of
// dying of SIGXFSZ, and no record is left in part.
class TestFileSizeLimit : public QObject
{
    Q_OBJECT

private slots:
    void limitReached();
};

void TestFileSizeLimit::limitReached()
{
    const quint32 seed = QRandomGenerator::global()->bounded(1u << 30);
    qInfo("seed %u", seed);
    const int count = 300;
    const qint64 limit = 100'000;
    for (const qint64 former : {qint64(0), limit - 10}) {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // Either the limit is reached in the middle of the session, or the
        // master file is at it from the start.
        const QByteArray formerMaster(former, 'm');
        {
            QFile file(masterFileIn(dir.path()));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(formerMaster), former);
        }
        const ChildRun run =
            runChild(QStringLiteral(RECORD_CHILD),
                     {dir.path(), QStringLiteral("1"), QStringLiteral("0"), QString::number(count),
                      QString::number(seed), QStringLiteral("fsize"), QString::number(limit)});
        QVERIFY(run.finished);
        QVERIFY2(run.exitCode == 0, run.errors.constData());

        const QList<ChildLine> &lines = run.lines;
        QCOMPARE(lines.size(), count);
        const Refusals refused = refusalsIn(lines, {"File too large", "bytes could be written"});
        QCOMPARE(refused.unexplained, QStringList());
        QCOMPARE(refused.mayRemain, 0);
        QVERIFY(refused.count > 0);
        qInfo("%d of %d records refused", refused.count, count);

        const QList<ExpectedRecord> expected = expectedFrom(1, lines);
        for (const bool master : {true, false}) {
            const QString path = master ? masterFileIn(dir.path()) : sendFileIn(dir.path());
            QVERIFY(QFileInfo(path).size() <= limit);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            const qsizetype start = master ? former : 0;
            const RecordMatch match =
                matchRecords(bytes, start, {expected}, seed, SampleSizes::Small, master);
            QCOMPARE(match.found.size(), expected.size());
            QCOMPARE(match.end, bytes.size());
        }
    }
}

QTEST_GUILESS_MAIN(TestFileSizeLimit)
#include "tst_file_size_limit.moc"

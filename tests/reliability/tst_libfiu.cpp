#include "record_samples.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The real writer in a child process under libfiu, which makes the system
// calls themselves fail at random: every record the child was told was saved
// is whole in both files, in order, and every other one is gone.
class TestLibfiu : public QObject
{
    Q_OBJECT

private slots:
    void randomFaults_data();
    void randomFaults();
};

void TestLibfiu::randomFaults_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QStringList>("reasons"); // each said by some failure

    const QString full = QStringLiteral("name=posix/io/rw/write,probability=0.05,failinfo=28");
    const QString shortWrites = QStringLiteral("name=posix/io/rw/write/reduce,probability=0.1");
    const QString sync = QStringLiteral("name=posix/io/sync/fdatasync,probability=0.1,failinfo=5");
    QTest::newRow("disk full") << QStringList{full}
                               << QStringList{QStringLiteral("No space left on device")};
    QTest::newRow("short writes") << QStringList{shortWrites}
                                  << QStringList{QStringLiteral("bytes could be written")};
    QTest::newRow("sync fails") << QStringList{sync}
                                << QStringList{QStringLiteral("Input/output error")};
    QTest::newRow("all three") << QStringList{full, shortWrites, sync}
                               << QStringList{QStringLiteral("No space left on device"),
                                              QStringLiteral("bytes could be written"),
                                              QStringLiteral("Input/output error")};
}

void TestLibfiu::randomFaults()
{
    QFETCH(QStringList, faults);
    QFETCH(QStringList, reasons);
    const QString fiuRun = QStandardPaths::findExecutable(QStringLiteral("fiu-run"));
    if (fiuRun.isEmpty())
        QSKIP("fiu-run is not installed (Debian package fiu-utils)");

    const quint32 seed = QRandomGenerator::global()->bounded(1u << 30);
    qInfo("seed %u", seed);
    const int count = 200;
    const int rounds = 10;
    QSet<QString> seen;
    int refused = 0;
    int leftInPlace = 0;
    for (int round = 0; round < rounds; ++round) {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray formerMaster = "former master lines\r\n";
        const QByteArray formerSend = "former SEND lines\r\n";
        for (const auto &[path, bytes] : {std::pair(masterFileIn(dir.path()), formerMaster),
                                          std::pair(sendFileIn(dir.path()), formerSend)}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(bytes), bytes.size());
        }

        QStringList arguments{QStringLiteral("-x"), QStringLiteral("-f"), QString()};
        for (const QString &fault : faults)
            arguments << QStringLiteral("-c") << QStringLiteral("enable_random ") + fault;
        arguments << QStringLiteral(RECORD_CHILD) << dir.path() << QStringLiteral("1")
                  << QStringLiteral("0") << QString::number(count)
                  << QString::number(seed + quint32(round));
        const ChildRun run = runChild(fiuRun, arguments);
        QVERIFY(run.finished);
        QVERIFY2(run.exitCode == 0, run.errors.constData());

        const QList<ChildLine> &lines = run.lines;
        QCOMPARE(lines.size(), count);
        const Refusals refusals = refusalsIn(lines, reasons);
        QVERIFY2(refusals.count > 0 && refusals.count < count,
                 qPrintable(QString::number(refusals.count)));
        seen += refusals.causes;
        leftInPlace += refusals.mayRemain;
        refused += refusals.count;

        const QList<ExpectedRecord> expected = expectedFrom(1, lines);
        for (const bool master : {true, false}) {
            QFile file(master ? masterFileIn(dir.path()) : sendFileIn(dir.path()));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            const QByteArray &former = master ? formerMaster : formerSend;
            QVERIFY(bytes.startsWith(former));
            const RecordMatch match =
                matchRecords(bytes, former.size(), {expected}, seed + quint32(round),
                             SampleSizes::Small, master);
            QCOMPARE(match.end, bytes.size());
            int whole = 0;
            for (const ExpectedRecord &record : expected)
                whole += record.optional ? 0 : 1;
            QVERIFY(match.found.size() >= whole);
        }
    }
    QCOMPARE(seen.size(), reasons.size());
    qInfo("%d of %d records refused, %d of them possibly left in a file", refused, rounds * count,
          leftInPlace);
}

QTEST_GUILESS_MAIN(TestLibfiu)
#include "tst_libfiu.moc"

#include "record_samples.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Two copies of the program appending to one folder at the same time.
class TestTwoCopies : public QObject
{
    Q_OBJECT

private slots:
    void thousandRecordsEach();
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
    for (const bool master : {true, false}) {
        QFile file(master ? masterFileIn(dir.path()) : sendFileIn(dir.path()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const RecordMatch match =
            matchRecords(bytes, 0, writers, seed, SampleSizes::UpToMegabytes, master);
        QCOMPARE(match.found.size(), 2 * count);
        QCOMPARE(match.end, bytes.size());
        orders.append(match.found);
    }
    int switches = 0;
    for (qsizetype i = 0; i < orders[0].size(); ++i) {
        QCOMPARE(orders[1][i].writer, orders[0][i].writer);
        QCOMPARE(orders[1][i].index, orders[0][i].index);
        if (i > 0 && orders[0][i].writer != orders[0][i - 1].writer)
            ++switches;
    }
    qInfo("the two copies took turns %d times", switches);
}

QTEST_GUILESS_MAIN(TestTwoCopies)
#include "tst_two_copies.moc"

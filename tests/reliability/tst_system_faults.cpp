#include "record_samples.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

// The real writer in a child process while the system itself fails under it:
// libfiu failing the calls at random, a limit on the size of the files it
// writes (RLIMIT_FSIZE, which must become a write failure, not SIGXFSZ), and,
// in a mount namespace of the test's own, a disk that fills up and a folder
// that turns read-only during a session. Every record the child was told was
// saved is whole in both files, in order, and every other one is gone.

namespace {

enum class Fault
{
    Libfiu,
    FileSizeLimit,
    DiskFull,
    ReadOnlyAfterTen
};

constexpr int exitNoTmpfs = 77;
constexpr int exitNotReadOnly = 4; // the child could not make its folder read-only

// The command that runs a program in a private mount namespace, or nothing
// where this machine does not allow one.
QStringList namespaceCommand()
{
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    if (unshare.isEmpty())
        return {};
    QStringList command{unshare};
    if (::geteuid() != 0)
        command << QStringLiteral("-r");
    command << QStringLiteral("-m");
    QProcess probe;
    probe.start(command.first(), command.mid(1) << QStringLiteral("true"));
    if (!probe.waitForFinished(10'000) || probe.exitStatus() != QProcess::NormalExit ||
        probe.exitCode() != 0)
        return {};
    return command;
}

} // namespace

class TestSystemFaults : public QObject
{
    Q_OBJECT

private slots:
    void childUnderFaults_data();
    void childUnderFaults();
};

void TestSystemFaults::childUnderFaults_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QStringList>("fiuFaults");
    QTest::addColumn<QStringList>("causes"); // a refusal names one of them
    QTest::addColumn<QByteArray>("formerMaster");
    QTest::addColumn<QByteArray>("formerSend");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("rounds");

    const QString full = QStringLiteral("name=posix/io/rw/write,probability=0.05,failinfo=28");
    const QString shortWrites = QStringLiteral("name=posix/io/rw/write/reduce,probability=0.1");
    const QString sync = QStringLiteral("name=posix/io/sync/fdatasync,probability=0.1,failinfo=5");
    const QString noSpace = QStringLiteral("No space left on device");
    const QString shortWrite = QStringLiteral("bytes could be written");
    const QString ioError = QStringLiteral("Input/output error");
    const QByteArray master = "former master lines\r\n";
    const QByteArray send = "former SEND lines\r\n";

    QTest::newRow("libfiu: disk full") << Fault::Libfiu << QStringList{full} << QStringList{noSpace}
                                       << master << send << 200 << 10;
    QTest::newRow("libfiu: short writes") << Fault::Libfiu << QStringList{shortWrites}
                                          << QStringList{shortWrite} << master << send << 200 << 10;
    QTest::newRow("libfiu: sync fails") << Fault::Libfiu << QStringList{sync}
                                        << QStringList{ioError} << master << send << 200 << 10;
    QTest::newRow("libfiu: all three")
        << Fault::Libfiu << QStringList{full, shortWrites, sync}
        << QStringList{noSpace, shortWrite, ioError} << master << send << 200 << 10;
    // Either the limit is reached in the middle of the session, or the master
    // file is at it from the start.
    const QStringList tooLarge{QStringLiteral("File too large"), shortWrite};
    QTest::newRow("size limit: reached") << Fault::FileSizeLimit << QStringList() << tooLarge
                                         << QByteArray() << QByteArray() << 300 << 1;
    QTest::newRow("size limit: from the start")
        << Fault::FileSizeLimit << QStringList() << tooLarge << QByteArray(100'000 - 10, 'm')
        << QByteArray() << 300 << 1;
    QTest::newRow("tmpfs fills up")
        << Fault::DiskFull << QStringList() << QStringList{noSpace, shortWrite} << QByteArray()
        << QByteArray() << 80 << 1;
    QTest::newRow("folder turns read-only") << Fault::ReadOnlyAfterTen << QStringList()
                                            << QStringList{QStringLiteral("Read-only file system")}
                                            << QByteArray() << QByteArray() << 20 << 1;
}

void TestSystemFaults::childUnderFaults()
{
    QFETCH(Fault, fault);
    QFETCH(QStringList, fiuFaults);
    QFETCH(QStringList, causes);
    QFETCH(QByteArray, formerMaster);
    QFETCH(QByteArray, formerSend);
    QFETCH(int, count);
    QFETCH(int, rounds);
    const qint64 sizeLimit = 100'000;

    QString program = QStringLiteral(RECORD_CHILD);
    QStringList wrapper;
    if (fault == Fault::Libfiu) {
        program = QStandardPaths::findExecutable(QStringLiteral("fiu-run"));
        if (program.isEmpty())
            QSKIP("fiu-run is not installed (Debian package fiu-utils)");
        wrapper << QStringLiteral("-x") << QStringLiteral("-f") << QString();
        for (const QString &fiu : fiuFaults)
            wrapper << QStringLiteral("-c") << QStringLiteral("enable_random ") + fiu;
        wrapper << QStringLiteral(RECORD_CHILD);
    } else if (fault == Fault::DiskFull || fault == Fault::ReadOnlyAfterTen) {
        wrapper = namespaceCommand();
        if (wrapper.isEmpty())
            QSKIP("no private mount namespace here (unshare -m is not allowed)");
        program = wrapper.takeFirst();
    }

    const quint32 seed = QRandomGenerator::global()->bounded(1u << 30);
    qInfo("seed %u", seed);
    QSet<QString> seen;
    for (int round = 0; round < rounds; ++round) {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString folder = dir.path();
        writeFile(masterFileIn(folder), formerMaster);
        writeFile(sendFileIn(folder), formerSend);

        const quint32 roundSeed = seed + quint32(round);
        const QStringList session{QStringLiteral("1"), QStringLiteral("0"), QString::number(count),
                                  QString::number(roundSeed)};
        QStringList arguments = wrapper;
        if (fault == Fault::DiskFull) {
            // The tmpfs lives only as long as the namespace, so the files are
            // copied out before it goes.
            QDir(folder).mkdir(QStringLiteral("fs"));
            const QString script =
                QStringLiteral("mount -t tmpfs -o size=64k kestrafo-test \"$1\" || exit %1\n"
                               "fs=$1; shift; \"$@\"; status=$?\n"
                               "cp \"$fs\"/masterFile.txt \"$fs\"/send_1207.txt \"$fs\"/.. || "
                               "exit 78\n"
                               "exit $status\n")
                    .arg(exitNoTmpfs);
            const QString fs = dir.filePath(QStringLiteral("fs"));
            arguments << QStringLiteral("sh") << QStringLiteral("-c") << script
                      << QStringLiteral("sh") << fs << QStringLiteral(RECORD_CHILD) << fs
                      << session;
        } else {
            if (fault == Fault::ReadOnlyAfterTen)
                arguments << QStringLiteral(RECORD_CHILD);
            arguments << folder << session;
            if (fault == Fault::FileSizeLimit)
                arguments << QStringLiteral("fsize") << QString::number(sizeLimit);
            if (fault == Fault::ReadOnlyAfterTen)
                arguments << QStringLiteral("read-only-after") << QStringLiteral("10");
        }

        const ChildRun run = runChild(program, arguments);
        QVERIFY(run.finished);
        if (fault == Fault::DiskFull && run.exitCode == exitNoTmpfs)
            QSKIP("a tmpfs cannot be mounted in the namespace");
        if (fault == Fault::ReadOnlyAfterTen && run.exitCode == exitNotReadOnly)
            QSKIP("the folder cannot be made read-only in the namespace");
        QVERIFY2(run.exitCode == 0, run.errors.constData());

        const QList<ChildLine> &lines = run.lines;
        QCOMPARE(lines.size(), count);
        const Refusals refused = refusalsIn(lines, causes);
        QVERIFY(refused.count > 0);
        if (fault == Fault::Libfiu)
            QVERIFY(refused.count < count);
        if (fault == Fault::DiskFull)
            QVERIFY(lines.first().ok);
        seen += refused.causes;
        if (fault != Fault::Libfiu)
            QCOMPARE(refused.unexplained, QStringList());
        if (fault == Fault::FileSizeLimit)
            QCOMPARE(refused.mayRemain, 0);
        if (fault == Fault::ReadOnlyAfterTen) {
            for (const ChildLine &line : lines)
                QCOMPARE(line.ok, line.index < 10);
        }
        qInfo("%d of %d records refused, %d of them possibly left in a file", refused.count, count,
              refused.mayRemain);

        const QList<ExpectedRecord> expected = expectedFrom(1, lines);
        int whole = 0;
        for (const ExpectedRecord &record : expected)
            whole += record.optional ? 0 : 1;
        for (const bool isMaster : {true, false}) {
            const QByteArray bytes = readFile(isMaster ? masterFileIn(folder) : sendFileIn(folder));
            const QByteArray &former = isMaster ? formerMaster : formerSend;
            QVERIFY(bytes.startsWith(former));
            if (fault == Fault::FileSizeLimit)
                QVERIFY(bytes.size() <= sizeLimit);
            const RecordMatch match = matchRecords(bytes, former.size(), {expected}, roundSeed,
                                                   SampleSizes::Small, isMaster);
            QCOMPARE(match.end, bytes.size());
            QVERIFY(match.found.size() >= whole);
        }
    }
    if (fault == Fault::Libfiu)
        QCOMPARE(seen.size(), causes.size());
}

QTEST_GUILESS_MAIN(TestSystemFaults)
#include "tst_system_faults.moc"

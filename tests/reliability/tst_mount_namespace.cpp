#include "record_samples.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

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

// Both files hold exactly the records the child was told were saved.
void checkFiles(const QString &folder, const QList<ChildLine> &lines, quint32 seed)
{
    const QList<ExpectedRecord> expected = expectedFrom(1, lines);
    for (const bool master : {true, false}) {
        const QByteArray bytes = readFile(master ? masterFileIn(folder) : sendFileIn(folder));
        const RecordMatch match =
            matchRecords(bytes, 0, {expected}, seed, SampleSizes::Small, master);
        QCOMPARE(match.found.size(), expected.size());
        QCOMPARE(match.end, bytes.size());
    }
}

} // namespace

// Real faults of a real file system, in a mount namespace of the test's own:
// a disk that fills up and a folder that turns read-only during a session.
class TestMountNamespace : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void diskFull();
    void readOnlyDuringSession();

private:
    QStringList m_unshare;
};

void TestMountNamespace::initTestCase()
{
    m_unshare = namespaceCommand();
}

void TestMountNamespace::diskFull()
{
    if (m_unshare.isEmpty())
        QSKIP("no private mount namespace here (unshare -m is not allowed)");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QDir(dir.path()).mkdir(QStringLiteral("fs"));
    QDir(dir.path()).mkdir(QStringLiteral("out"));
    const QString fs = dir.filePath(QStringLiteral("fs"));
    const QString out = dir.filePath(QStringLiteral("out"));
    const quint32 seed = QRandomGenerator::global()->bounded(1u << 30);
    qInfo("seed %u", seed);
    const int count = 80;

    // The tmpfs lives only as long as the namespace, so the files are copied
    // out before it goes.
    const QString script =
        QStringLiteral("mount -t tmpfs -o size=64k kestrafo-test \"$1\" || exit 77\n"
                       "\"$2\" \"$1\" 1 0 %1 %2; status=$?\n"
                       "cp \"$1\"/masterFile.txt \"$1\"/send_1207.txt \"$3\"/ || exit 78\n"
                       "exit $status\n")
            .arg(count)
            .arg(seed);
    const ChildRun run =
        runChild(m_unshare.first(), m_unshare.mid(1) << QStringLiteral("sh") << QStringLiteral("-c")
                                                     << script << QStringLiteral("sh") << fs
                                                     << QStringLiteral(RECORD_CHILD) << out);
    QVERIFY(run.finished);
    if (run.exitCode == 77)
        QSKIP("a tmpfs cannot be mounted in the namespace");
    QVERIFY2(run.exitCode == 0, run.errors.constData());

    const QList<ChildLine> &lines = run.lines;
    QCOMPARE(lines.size(), count);
    const Refusals refused =
        refusalsIn(lines, {"No space left on device", "bytes could be written"});
    QCOMPARE(refused.unexplained, QStringList());
    QVERIFY(refused.count > 0);
    QVERIFY(lines.first().ok);
    qInfo("%d of %d records refused", refused.count, count);
    checkFiles(out, lines, seed);
}

void TestMountNamespace::readOnlyDuringSession()
{
    if (m_unshare.isEmpty())
        QSKIP("no private mount namespace here (unshare -m is not allowed)");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const quint32 seed = QRandomGenerator::global()->bounded(1u << 30);
    const int count = 20;
    const ChildRun run = runChild(
        m_unshare.first(),
        m_unshare.mid(1) << QStringLiteral(RECORD_CHILD) << dir.path() << QStringLiteral("1")
                         << QStringLiteral("0") << QString::number(count) << QString::number(seed)
                         << QStringLiteral("read-only-after") << QStringLiteral("10"));
    QVERIFY(run.finished);
    if (run.exitCode == 4)
        QSKIP("the folder cannot be made read-only in the namespace");
    QVERIFY2(run.exitCode == 0, run.errors.constData());

    const QList<ChildLine> &lines = run.lines;
    QCOMPARE(lines.size(), count);
    for (const ChildLine &line : lines) {
        QCOMPARE(line.ok, line.index < 10);
        if (!line.ok)
            QVERIFY2(line.reason.contains(QLatin1String("Read-only file system")),
                     qPrintable(line.reason));
    }
    checkFiles(dir.path(), lines, seed);
}

QTEST_GUILESS_MAIN(TestMountNamespace)
#include "tst_mount_namespace.moc"

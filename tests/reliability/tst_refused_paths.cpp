#include "storage/native_file_system.h"
#include "storage/record_writer.h"
#include "support/faulty_file_system.h"
#include "support/file_bytes.h"
#include "support/refused_record.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using Call = FaultyFileSystem::Call;

// Paths that are no regular file: refused at once, nothing created, nothing
// waited for, and the other files of the record left as they were.
class TestRefusedPaths : public QObject
{
    Q_OBJECT

private slots:
    void refused_data();
    void refused();
    void lockedByAnotherCopy();
    void recordStaysWholeInBigFiles();
    void fileShortenedMeanwhile();
};

void TestRefusedPaths::refused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("asMaster");
    for (const char *kind : {"folder", "fifo", "fifo with a reader", "link to a device", "device",
                             "missing folder", "dangling link", "below a file"}) {
        QTest::addRow("%s as master file", kind) << QString::fromLatin1(kind) << true;
        QTest::addRow("%s as SEND file", kind) << QString::fromLatin1(kind) << false;
    }
}

void TestRefusedPaths::refused()
{
    QFETCH(QString, kind);
    QFETCH(bool, asMaster);
    const RefusalFolder f;
    QVERIFY(f.dir.isValid());
    QString path = f.dir.filePath(QStringLiteral("odd.txt"));
    const QByteArray name = QFile::encodeName(path);
    int reader = -1;
    QString mustStayMissing;
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("odd.txt")));
    } else if (kind.startsWith(QLatin1String("fifo"))) {
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        if (kind.endsWith(QLatin1String("reader"))) {
            reader = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            QVERIFY(reader >= 0);
        }
    } else if (kind == QLatin1String("link to a device")) {
        QCOMPARE(::symlink("/dev/zero", name.constData()), 0);
    } else if (kind == QLatin1String("device")) {
        path = QStringLiteral("/dev/null");
    } else if (kind == QLatin1String("missing folder")) {
        mustStayMissing = f.dir.filePath(QStringLiteral("gone"));
        path = mustStayMissing + QStringLiteral("/odd.txt");
    } else if (kind == QLatin1String("dangling link")) {
        mustStayMissing = f.dir.filePath(QStringLiteral("target.txt"));
        QCOMPARE(::symlink(QFile::encodeName(mustStayMissing).constData(), name.constData()), 0);
    } else if (kind == QLatin1String("below a file")) {
        path = f.regular + QStringLiteral("/odd.txt");
    }

    checkRefusedRecord(path, f.regular, f.former, asMaster);
    if (QTest::currentTestFailed())
        return;
    if (!mustStayMissing.isEmpty())
        QVERIFY(!QFileInfo::exists(mustStayMissing));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(path).isEmpty());
    if (reader >= 0) {
        char byte;
        QCOMPARE(::read(reader, &byte, 1), ssize_t(0));
        ::close(reader);
    }

    // The viewers' read refuses the same paths, and a link to /dev/zero does
    // not read for ever.
    QByteArray bytes;
    QVERIFY(!NativeFileSystem().readAll(path, &bytes).ok());
    QVERIFY(bytes.isEmpty());
}

void TestRefusedPaths::lockedByAnotherCopy()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString master = dir.filePath(QStringLiteral("masterFile.txt"));
    const QString send = dir.filePath(QStringLiteral("send_1207.txt"));
    writeFile(master, {});
    // A lock of its own open file, as another copy of the program holds it.
    const int other = ::open(QFile::encodeName(master).constData(), O_RDONLY | O_CLOEXEC);
    QVERIFY(other >= 0);
    QCOMPARE(::flock(other, LOCK_EX), 0);

    checkLockedRecord(master, send, [other] { ::close(other); });
}

void TestRefusedPaths::recordStaysWholeInBigFiles()
{
    // Cutting back leaves the former bytes of a large file exactly, and a
    // record of several megabytes goes out in one write.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString master = dir.filePath(QStringLiteral("masterFile.txt"));
    const QString send = dir.filePath(QStringLiteral("send_1207.txt"));
    QByteArray former(3'000'000, '\0');
    for (qsizetype i = 0; i < former.size(); ++i)
        former[i] = char(i * 7 % 251);
    writeFile(master, former);
    writeFile(send, former);
    const QByteArray record(4'000'000, '\x93');
    NativeFileSystem real;
    FaultyFileSystem files(real);
    files.inject(FaultyFileSystem::Fault::ShortWrite, 2);
    QVERIFY(!appendRecord(files, {{master, record}, {send, record}}).ok());
    QCOMPARE(readFile(master), former);
    QCOMPARE(readFile(send), former);

    FaultyFileSystem working(real);
    QVERIFY(appendRecord(working, {{master, record}, {send, record}}).ok());
    // Each file's share, and the journal's intent.
    QCOMPARE(working.count(Call::Write), 3);
    QCOMPARE(readFile(master), former + record);
    QCOMPARE(readFile(send), former + record);
}

void TestRefusedPaths::fileShortenedMeanwhile()
{
    // Another program cuts the master file short while the record is on its
    // way, and the SEND file's write fails: taking the record back must not
    // lengthen the master file with zero bytes.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString master = dir.filePath(QStringLiteral("masterFile.txt"));
    const QString send = dir.filePath(QStringLiteral("send_1207.txt"));
    const QByteArray former = "former lines of the master file\r\n";
    writeFile(master, former);

    NativeFileSystem real;
    FaultyFileSystem files(real);
    int writes = 0;
    files.beforeCall = [&](Call call) {
        if (call == Call::Write && ++writes == 2) {
            QFile::resize(master, 6);
            files.alwaysFailing.insert(Call::Write);
        }
    };
    QVERIFY(!appendRecord(files, {{master, "master record\r\n"}, {send, "send record\r\n"}}).ok());
    QCOMPARE(readFile(master), former.first(6));
    QCOMPARE(readFile(send), QByteArray());
}

QTEST_GUILESS_MAIN(TestRefusedPaths)
#include "tst_refused_paths.moc"

#include "review_fixture.h"
#include "support/file_bytes.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#ifndef Q_OS_WIN
#include <sys/resource.h>

#include <csignal>
#endif

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run review(const QStringList &arguments, const std::function<void(QProcess &)> &setUp = {})
{
    QProcess process;
    if (setUp)
        setUp(process);
    process.start(QStringLiteral(REVIEW_PROGRAM), arguments);
    Run run;
    if (!process.waitForFinished(60'000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QByteArray session()
{
    return crlfLines({QByteArray(19, 'x'), "assignment #012", "012.  Series", "Dravonic II",
                      "12-07-2026"}) +
           sendResponse("14:03:27", "Sum the series, \"quickly\"", "line one\r\nline, two",
                        "confidence assessment:  2") +
           sendResponse("14:04:27", "It is 1.", "ok", "self critique assessment: 3") +
           keptRecord("14:06:00", "12-07-202614:06:00", "Next?", "window closed", "half \xE9");
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

#ifndef Q_OS_WIN
// Files the program writes may grow to 64 bytes only; past that a write
// fails as on a full disk. Windows has no such limit, nor a /dev/full.
void smallFilesOnly(QProcess &process)
{
    process.setChildProcessModifier([] {
        const rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
    });
}
#endif

} // namespace

class TestReviewProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("week 49/ben")));
        writeFile(m_dir.filePath(QStringLiteral("send_1207.txt")), session());
        writeFile(m_dir.filePath(QStringLiteral("week 49/ben/send_1208.txt")), session());
        writeFile(m_dir.filePath(QStringLiteral("week 49/list.txt")), "milk\r\neggs\r\n");
        writeFile(m_dir.filePath(QStringLiteral("week 49/ben/none.txt")), {});
    }

    void statuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("said");
        QTest::newRow("help") << QStringList{"--help"} << 0 << QByteArray("--csv <file>");
        QTest::newRow("version") << QStringList{"--version"} << 0
                                 << QByteArray("kestrafo-review 1.0.0");
        QTest::newRow("wrong option")
            << QStringList{"--pdf", "x"} << 2 << QByteArray("Unknown option 'pdf'");
        QTest::newRow("no path") << QStringList() << 2 << QByteArray("no PATH");
        QTest::newRow("missing path") << QStringList{"/nonexistent/send_0101.txt"} << 2
                                      << QByteArray("no such file or folder");
        QTest::newRow("whole file")
            << QStringList{"send_1207.txt"} << 0 << QByteArray("assignment 012  012.  Series");
        const QByteArray once = "  012: sessions 1, responses 2, notes 0, drafts 1";
        const QByteArray both = "  012: sessions 2, responses 4, notes 0, drafts 2";
        QTest::newRow("folder and its subfolders") << QStringList{"."} << 0 << both;
        QTest::newRow("file named twice")
            << QStringList{"send_1207.txt", "send_1207.txt"} << 0 << once;
        QTest::newRow("file and its folder")
            << QStringList{"week 49/ben/send_1208.txt", "."} << 0 << both;
        QTest::newRow("named file without records")
            << QStringList{"week 49/list.txt"} << 2
            << QByteArray("lines 1-2: not part of a record");
        QTest::newRow("named empty file") << QStringList{"week 49/ben/none.txt"} << 2
                                          << QByteArray("none.txt: no records in this file");
        QTest::newRow("csv twice") << QStringList{"--csv", "a.csv", "--csv", "b.csv", "."} << 2
                                   << QByteArray("--csv given more than once");
    }

    void statuses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QByteArray, said);
        const Run run = review(inDir(arguments));
        QCOMPARE(run.status, status);
        QVERIFY2((run.out + run.err).contains(said), run.out + run.err);
    }

    void damagedFileGivesOne()
    {
        const QString torn = m_dir.filePath(QStringLiteral("torn.bin"));
        writeFile(torn, session().chopped(20));
        const Run run = review({torn});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.out.contains("damaged: lines 23-30: kept draft"), run.out);
        QFile::remove(torn);
    }

    void csvRows()
    {
        const QString csv = m_dir.filePath(QStringLiteral("out.csv"));
        QCOMPARE(review({QStringLiteral("--csv"), csv, m_dir.filePath("send_1207.txt")}).status, 0);
        const QByteArray bytes = readFile(csv);
        const QString path = QDir::toNativeSeparators(m_dir.filePath("send_1207.txt"));
        // A file under the tutor's own name belongs to the student its folder names.
        const QByteArray file8 =
            path.toUtf8() + ',' + QDir(m_dir.path()).dirName().toUtf8() + ",2026-12-07,012,";
        QCOMPARE(bytes, "\xEF\xBB\xBF"
                        "file,student,session date,assignment,place,record,time,item kind,rating,"
                        "item,response\r\n" +
                            file8 + ",opening,,,,012.  Series,\r\n" + file8 +
                            ",response,14:03:27,question,2,\"Sum the series, "
                            "\"\"quickly\"\"\",\"line one\r\nline, two\"\r\n" +
                            file8 + ",response,14:04:27,answer,3,It is 1.,ok\r\n" + file8 +
                            ",draft,14:06:00,window closed,,Next?,half \xC3\xA9\r\n");
        QFile::remove(csv);
    }

    void htmlPage()
    {
        const QString html = m_dir.filePath(QStringLiteral("report.html"));
        QCOMPARE(review({QStringLiteral("--html"), html, m_dir.filePath("send_1207.txt")}).status,
                 0);
        const QByteArray page = readFile(html);
        QVERIFY(!page.contains("<script"));
        QVERIFY(!page.contains("src=") && !page.contains("href="));
        QCOMPARE(page.count("<svg"), 1);
        // Bars of confidence 2 and self critique 3 are drawn full height.
        QVERIFY(
            page.contains("class=\"confidence\" x=\"192\" y=\"30\" width=\"26\" height=\"130\""));
        QVERIFY(page.contains("class=\"critique\" x=\"292\" y=\"30\" width=\"26\" height=\"130\""));
        QVERIFY(page.contains("Sum the series, &quot;quickly&quot;"));
    }

    void refusedReports_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("kept");
        const QString send = QStringLiteral("send_1207.txt");
        const QString other = QStringLiteral("week 49/ben/send_1208.txt");
        QTest::newRow("csv over a file named") << QStringList{"--csv", send, send} << send;
        QTest::newRow("html over a file named") << QStringList{"--html", send, send} << send;
        QTest::newRow("csv over records not named") << QStringList{"--csv", other, send} << other;
        QTest::newRow("html over records in the folder read")
            << QStringList{"--html", other, "."} << other;
        QTest::newRow("csv and html one file")
            << QStringList{"--csv", "r.out", "--html", "r.out", send} << QStringLiteral("r.out");
    }

    void refusedReports()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, kept);
        const QByteArray before = bytesOf(m_dir.filePath(kept));
        const Run run = review(inDir(arguments));
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("nothing was written"), run.err);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(bytesOf(m_dir.filePath(kept)), before);
    }

#ifndef Q_OS_WIN
    void failedWrites_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("reason");
        QTest::newRow("csv") << "--csv" << QByteArray("report.out: File too large");
        QTest::newRow("html") << "--html" << QByteArray("report.out: File too large");
        QTest::newRow("standard output")
            << QString() << QByteArray("standard output: No space left on device");
    }

    // An earlier report survives a report that could not be written whole.
    void failedWrites()
    {
        QFETCH(QString, option);
        QFETCH(QByteArray, reason);
        const QString report = m_dir.filePath(QStringLiteral("report.out"));
        writeFile(report, "earlier report\n");
        QStringList arguments{m_dir.filePath(QStringLiteral("send_1207.txt"))};
        if (!option.isEmpty())
            arguments = QStringList{option, report} + arguments;
        const Run run = review(arguments, [&](QProcess &process) {
            if (option.isEmpty())
                process.setStandardOutputFile(QStringLiteral("/dev/full"));
            else
                smallFilesOnly(process);
        });
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(reason), run.err);
        QCOMPARE(bytesOf(report), QByteArray("earlier report\n"));
        QCOMPARE(QDir(m_dir.path()).entryList({"report.out*"}, QDir::Files | QDir::Hidden),
                 QStringList{"report.out"});
    }

#endif

    void formulaCellsDefused_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<QByteArray>("cell");
        QTest::newRow("equals") << QByteArray("=1+1") << QByteArray("'=1+1");
        QTest::newRow("plus") << QByteArray("+1") << QByteArray("'+1");
        QTest::newRow("minus") << QByteArray("-2+3") << QByteArray("'-2+3");
        QTest::newRow("at") << QByteArray("@SUM(A1)") << QByteArray("'@SUM(A1)");
        QTest::newRow("tab") << QByteArray("\t=1") << QByteArray("'\t=1");
        QTest::newRow("carriage return") << QByteArray("\r=1") << QByteArray("\"'\r=1\"");
        QTest::newRow("inside") << QByteArray("1-2=-1") << QByteArray("1-2=-1");
    }

    void formulaCellsDefused()
    {
        QFETCH(QByteArray, response);
        QFETCH(QByteArray, cell);
        const QString send = m_dir.filePath(QStringLiteral("formula.txt"));
        writeFile(send, sendResponse("14:03:27", "Sum it.", response, "confidence assessment:  2"));
        const QString csv = m_dir.filePath(QStringLiteral("formula.csv"));
        QCOMPARE(review({QStringLiteral("--csv"), csv, send}).status, 0);
        QVERIFY2(bytesOf(csv).endsWith(",Sum it.," + cell + "\r\n"), bytesOf(csv));
        QFile::remove(send);
        QFile::remove(csv);
    }

    // The rows go out a megabyte at a time: each row once and in order,
    // however long the texts.
    void longCsvRows()
    {
        const QString send = m_dir.filePath(QStringLiteral("long.txt"));
        QByteArray records;
        for (const char c : {'a', 'b', 'c'})
            records += sendResponse("14:03:27", "Sum it.", QByteArray(600'000, c),
                                    "confidence assessment:  2");
        writeFile(send, records);
        const QString csv = m_dir.filePath(QStringLiteral("long.csv"));
        QCOMPARE(review({QStringLiteral("--csv"), csv, send}).status, 0);
        const QByteArray rows = bytesOf(csv);
        QCOMPARE(rows.count('\n'), 4);
        const qsizetype a = rows.indexOf(QByteArray(600'000, 'a'));
        const qsizetype b = rows.indexOf(QByteArray(600'000, 'b'));
        QVERIFY(a > 0 && a < b && b < rows.indexOf(QByteArray(600'000, 'c')));
        QFile::remove(send);
        QFile::remove(csv);
    }

    // Neither a file's text nor its name reaches the terminal as a control
    // character, so neither can fake a line of the summary.
#ifndef Q_OS_WIN // Windows allows no line break in a file name
    void controlCharactersEscaped()
    {
        QByteArray opening = session();
        opening.replace("012.  Series", "012.  \x1b[2J\x1b[31mSeries\x8d"
                                        "0m");
        const QString coloured = m_dir.filePath(QStringLiteral("coloured.txt"));
        writeFile(coloured, opening);
        const QByteArray fake = "  012: sessions 9, responses 99";
        const QString named = m_dir.filePath(QStringLiteral("x\n") + QString::fromLatin1(fake));
        writeFile(named, session());
        const QString empty = m_dir.filePath(QStringLiteral("y\n") + QString::fromLatin1(fake));
        writeFile(empty, "");
        const Run run = review({coloured, named, empty});
        QCOMPARE(run.status, 2);
        const QByteArray shown = run.out + run.err;
        QVERIFY2(shown.contains("\\x1b[2J\\x1b[31mSeries\\x8d0m"), shown);
        QVERIFY2(shown.contains("x\\n" + fake), shown);
        QVERIFY2(shown.contains("y\\n" + fake), shown);
        for (const QByteArray &line : shown.split('\n')) {
            QVERIFY2(!line.contains('\x1b') && !line.contains("\xc2\x8d"), line);
            QVERIFY2(!line.startsWith(fake), line);
        }
        QFile::remove(coloured);
        QFile::remove(named);
        QFile::remove(empty);
    }
#endif

private:
    // Paths relative to the test's folder made absolute; options as they are.
    QStringList inDir(const QStringList &arguments) const
    {
        QStringList absolute;
        for (const QString &a : arguments)
            absolute << (a.startsWith(u'-') || a.startsWith(u'/') ? a : m_dir.filePath(a));
        return absolute;
    }

    QTemporaryDir m_dir;
};

QTEST_MAIN(TestReviewProgram)
#include "tst_review_program.moc"

#include "review_fixture.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run review(const QStringList &arguments)
{
    QProcess process;
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
           rescueRecord("14:06:00", "12-07-2026", "Next?", "window closed", "half \xE9");
}

} // namespace

class TestReviewProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QFile file(m_dir.filePath(QStringLiteral("send_1207.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(session());
        file.close();
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("week 49/ben")));
        QVERIFY(file.copy(m_dir.filePath(QStringLiteral("week 49/ben/send_1208.txt"))));
        QFile list(m_dir.filePath(QStringLiteral("week 49/list.txt")));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("milk\r\neggs\r\n");
        QVERIFY(QFile(m_dir.filePath(QStringLiteral("week 49/ben/none.txt")))
                    .open(QIODevice::WriteOnly));
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
        QStringList absolute;
        for (const QString &a : arguments)
            absolute << (a.startsWith(u'-') || a.startsWith(u'/') ? a : m_dir.filePath(a));
        const Run run = review(absolute);
        QCOMPARE(run.status, status);
        QVERIFY2((run.out + run.err).contains(said), run.out + run.err);
    }

    void damagedFileGivesOne()
    {
        QFile file(m_dir.filePath(QStringLiteral("torn.bin")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(session().chopped(20));
        file.close();
        const Run run = review({file.fileName()});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.out.contains("damaged: lines 23-30: kept draft"), run.out);
        file.remove();
    }

    void csvRows()
    {
        const QString csv = m_dir.filePath(QStringLiteral("out.csv"));
        QCOMPARE(review({QStringLiteral("--csv"), csv, m_dir.filePath("send_1207.txt")}).status, 0);
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QString path = QDir::toNativeSeparators(m_dir.filePath("send_1207.txt"));
        QCOMPARE(bytes,
                 "\xEF\xBB\xBF"
                 "file,session date,assignment,record,time,item kind,rating,item,response\r\n" +
                     path.toUtf8() + ",12-07-2026,012,opening,,,,012.  Series,\r\n" +
                     path.toUtf8() +
                     ",12-07-2026,012,response,14:03:27,question,2,\"Sum the series, "
                     "\"\"quickly\"\"\",\"line one\r\nline, two\"\r\n" +
                     path.toUtf8() + ",12-07-2026,012,response,14:04:27,answer,3,It is 1.,ok\r\n" +
                     path.toUtf8() +
                     ",12-07-2026,012,draft,14:06:00,window closed,,Next?,half \xC3\xA9\r\n");
        file.close();
        file.remove();
    }

    void htmlPage()
    {
        const QString html = m_dir.filePath(QStringLiteral("report.html"));
        QCOMPARE(review({QStringLiteral("--html"), html, m_dir.filePath("send_1207.txt")}).status,
                 0);
        QFile file(html);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray page = file.readAll();
        file.close();
        QVERIFY(!page.contains("<script"));
        QVERIFY(!page.contains("src=") && !page.contains("href="));
        QCOMPARE(page.count("<svg"), 1);
        // Bars of confidence 2 and self critique 3 are drawn full height.
        QVERIFY(
            page.contains("class=\"confidence\" x=\"192\" y=\"30\" width=\"26\" height=\"130\""));
        QVERIFY(page.contains("class=\"critique\" x=\"292\" y=\"30\" width=\"26\" height=\"130\""));
        QVERIFY(page.contains("Sum the series") == false);

        const QString chromium = QStringLiteral("/usr/bin/chromium");
        if (!QFile::exists(chromium))
            QSKIP("no /usr/bin/chromium: the page is not rendered in a browser");
        QTemporaryDir profile;
        const QString shot = m_dir.filePath(QStringLiteral("report.png"));
        QProcess browser;
        browser.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                                 "--no-first-run", "--disable-background-networking",
                                 "--disable-component-update", "--disable-sync",
                                 "--user-data-dir=" + profile.path(), "--window-size=900,700",
                                 "--screenshot=" + shot, QUrl::fromLocalFile(html).toString()});
        QVERIFY(browser.waitForFinished(120'000));
        QImage image(shot);
        QVERIFY2(!image.isNull(), browser.readAllStandardError());
        QCOMPARE(image.size(), QSize(900, 700));
        // The confidence bars' blue is on the page.
        int blue = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                blue += image.pixel(x, y) == qRgb(0x2b, 0x6c, 0xb0);
        }
        QVERIFY2(blue > 26 * 100, QByteArray::number(blue));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestReviewProgram)
#include "tst_review_program.moc"

#include "app/start_up.h"
#include "format/windows1252.h"
#include "support/crlf_lines.h"
#include "support/expected_record.h"
#include "support/loaded_window.h"

#include <QtTest>

#include <cmath>

namespace {

const float belowOne = std::nextafter(1.0f, 0.0f);
const float belowTenth = std::nextafter(0.1f, 0.0f);

// Five units whose characters are known: the low character at both ends of
// its range and on both sides of a half, the high one likewise.
const QList<float> fiveUnits = {
    0.05f,      0.01f,    0.0f,     // r2 * 50 = 0.5: 66.5 goes to 66 "B"; 118 "v"
    belowTenth, 0.03f,    belowOne, // 1.5 in single precision: 67.5 goes to 68 "D"; 255
    0.1f,       0.5f,               // not below 0.1: high only, 186.5 goes to 186
    0.0f,       belowOne, 0.25f,    // 116 "t"; 152.25 gives 152
    0.7f,       0.999f,             // high only: 254.863 gives 255
};
const QByteArray fiveUnitBytes("B"
                               "v"
                               "D"
                               "\xFF"
                               "\xBA"
                               "t"
                               "\x98"
                               "\xFF");

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

class TestOpeningBlock : public QObject
{
    Q_OBJECT

private slots:
    void theCodeLineFollowsTheRandomValues()
    {
        FakePlatform platform;
        platform.randoms = fiveUnits;
        const QString line = makeCodeLine(6, platform);
        const QString expected = QStringLiteral("Bv") + QStringLiteral("D") + QChar(0xFF) +
                                 QChar(0xBA) + QStringLiteral("t") + QChar(0x02DC) + QChar(0xFF) +
                                 QChar(0xBA); // the sixth unit from 0.5, 0.5
        QCOMPARE(line, expected);
        QCOMPARE(platform.randomsDrawn, 15);
    }

    void theCodeLineHasItsLengthAndRanges()
    {
        FakePlatform platform;
        QCOMPARE(makeCodeLine(0, platform), QString());
        QCOMPARE(makeCodeLine(-3, platform), QString());
        QCOMPARE(platform.randomsDrawn, 0);

        platform.randomWhenEmpty = 0.5f;
        QCOMPARE(makeCodeLine(19, platform).size(), 19);
        platform.randomWhenEmpty = 0.0f;
        QCOMPARE(makeCodeLine(28, platform).size(), 56);
        QCOMPARE(makeCodeLine(28, platform), QStringLiteral("Bv").repeated(28));

        // A sweep over the unit interval: never code 117, never below 66.
        QList<float> sweep;
        quint32 x = 12345;
        for (int i = 0; i < 30000; ++i) {
            x = x * 1103515245u + 12345u;
            sweep.append(float(x >> 8) / 16777216.0f);
        }
        platform.randoms = sweep;
        const int units = 8000;
        const QString line = makeCodeLine(units, platform);
        QVERIFY(line.size() >= units && line.size() <= 2 * units);
        const QByteArray bytes = toWindows1252(line);
        QSet<int> seen;
        for (const char c : bytes) {
            const int code = uchar(c);
            QVERIFY2((code >= 66 && code <= 116) || (code >= 118 && code <= 255),
                     qPrintable(QString::number(code)));
            seen.insert(code);
        }
        QCOMPARE(seen.size(), 51 + 138);
    }

    void assignment5OpensWithTheFiveLinesInBothFiles()
    {
        LoadedWindow w;
        QVERIFY(w.load({"Ann", "", "5"}, QList<float>{0.0f} + fiveUnits));
        const SessionState &session = w.session();
        QCOMPARE(session.sessionCodeNbr, 19);

        const int header = w.indexOfLineStarting(QStringLiteral("005."));
        QVERIFY(header > 0);
        QCOMPARE(session.bankIndex, header);
        const QByteArray headerLine = session.questionBank.at(header).toLatin1();
        QVERIFY(headerLine.startsWith("005."));

        // Five scripted units, then fourteen more from the default 0.5.
        const QByteArray codeLine = fiveUnitBytes + QByteArray(14, '\xBA');
        const QByteArray block = openingBlock(codeLine, "005", headerLine, "12-07-2026");
        QCOMPARE(w.master(), block);
        QCOMPARE(w.send(), block);
        QCOMPARE(filesIn(w.home.kestrafoFolder()),
                 (QStringList{".masterFile.txt.journal", "masterFile.txt", "send_1207.txt"}));
        QVERIFY(!w.platform.ended);
        QCOMPARE(w.form.panes().questionText(), QString());
        QCOMPARE(w.form.panes().answerText(), QStringLiteral(" "));

        // The first click shows the line after the header.
        w.form.cmdNextQuestion_Click();
        QCOMPARE(w.form.session().bankIndex, header + 1);
    }

    void theDateIsReadForEachFile()
    {
        LoadedWindow w;
        // Seed, SEND file name, then the date of each file's block.
        w.platform.clock = QDateTime(QDate(2026, 12, 7), QTime(23, 59, 57));
        w.platform.clockStepSeconds = 1;
        w.platform.randomWhenEmpty = 0.5f;
        QVERIFY(w.load(QStringLiteral("1")));
        QCOMPARE(w.session().bankIndex, 1);
        const QByteArray master = w.master();
        const QByteArray send = w.send();
        QVERIFY(master.endsWith("\r\nDravonic II\r\n12-07-2026\r\n"));
        QVERIFY(send.endsWith("\r\nDravonic II\r\n12-08-2026\r\n"));
        QCOMPARE(master.left(master.size() - 12), send.left(send.size() - 12));
    }

    void twoSessionsOfADayAppendTwoBlocks()
    {
        LoadedWindow first;
        ScriptedWindow second; // in the same home folder
        QVERIFY(first.load({"Ann", "", "32"}, {0.0f, 0.5f}));
        QVERIFY(second.load({"Ann", "", "32"}, {0.0f, 0.5f, 0.7f}));
        const int header = first.indexOfLineStarting(QStringLiteral("032."));
        QCOMPARE(second.session().bankIndex, header);
        const QByteArray rest =
            crlfLines({"assignment #032", second.session().questionBank.at(header).toLatin1(),
                       "Dravonic II", "12-07-2026"});
        const QByteArray expected = QByteArray(19, '\xBA') + "\r\n" + rest + "\xD6" +
                                    QByteArray(18, '\xBA') + "\r\n" + rest;
        QCOMPARE(first.master(), expected);
        QCOMPARE(first.send(), expected);
    }

    void anAssignmentNotInTheCourseEndsBeforeAnythingIsWritten_data()
    {
        // The message names the number as the session padded it.
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("named");
        const char *rows[][3] = {{"33", "33", "033"},
                                 {"empty", "", ""},
                                 {"0", "0", "000"},
                                 {"blank after", "5 ", "05 "},
                                 {"blank before", " 5", "0 5"},
                                 {"four digits", "0005", "0005"},
                                 {"word", "abc", "abc"}};
        for (const auto &[name, reply, padded] : rows)
            QTest::newRow(name)
                << QString::fromLatin1(reply)
                << QStringLiteral("Assignment \"%1\" is not").arg(QLatin1String(padded));
    }

    void anAssignmentNotInTheCourseEndsBeforeAnythingIsWritten()
    {
        QFETCH(QString, reply);
        QFETCH(QString, named);
        LoadedWindow w;
        QVERIFY(!w.load(reply));
        QVERIFY(w.platform.ended);
        QCOMPARE(w.platform.exitStatus, 1);
        QCOMPARE(w.platform.fatalErrors.size(), 1);
        QVERIFY2(w.platform.fatalErrors.first().contains(named),
                 qPrintable(w.platform.fatalErrors.first()));
        QVERIFY(QFileInfo(w.home.kestrafoFolder()).isDir());
        QCOMPARE(filesIn(w.home.kestrafoFolder()), QStringList());
        // The code line is made only for a block that is written.
        QCOMPARE(w.platform.randomsDrawn, 1);
    }

    void aFolderThatCannotBeUsedEndsTheStart_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("named");
        QTest::newRow("missing") << QStringLiteral("c:\\nothere") << "nothere/masterFile.txt";
        QTest::newRow("missing below a missing one")
            << QStringLiteral("c:\\no\\where") << "no/where/masterFile.txt";
        QTest::newRow("another drive") << QStringLiteral("d:\\work") << "d:";
    }

    void aFolderThatCannotBeUsedEndsTheStart()
    {
        QFETCH(QString, folder);
        QFETCH(QString, named);
        LoadedWindow w;
        QVERIFY(!w.load({"Ann", "1", folder, "5"}));
        QCOMPARE(w.platform.exitStatus, 1);
        QCOMPARE(w.platform.fatalErrors.size(), 1);
        QVERIFY2(w.platform.fatalErrors.first().contains(QDir::toNativeSeparators(named)),
                 qPrintable(w.platform.fatalErrors.first()));
        QVERIFY(!QFileInfo::exists(w.home.path() + "/nothere"));
        QVERIFY(!QFileInfo::exists(w.home.path() + "/no"));
        // The default folder is still made, and stays empty.
        QCOMPARE(filesIn(w.home.kestrafoFolder()), QStringList());
    }

#ifndef Q_OS_WIN
    // The session keeps the folder as typed; only the files land in the home
    // folder, which "~" names on Linux alone.
    void aFolderTypedWithATildeIsInTheHomeFolder()
    {
        LoadedWindow w;
        QVERIFY(QDir(w.home.path()).mkdir("calc"));
        QVERIFY(w.load({"Ann", "1", "~/calc", "5"}));
        QCOMPARE(w.session().workFolder, QStringLiteral("~/calc"));
        QCOMPARE(w.session().masterFilePath, QStringLiteral("~/calc\\masterFile.txt"));
        QVERIFY(w.home.read("calc/masterFile.txt").contains("assignment #005"));
        QVERIFY(w.home.read("calc/send_1207.txt").contains("assignment #005"));
    }
#endif

    void aSendFileThatCannotBeWrittenLeavesTheMasterFileAsItWas()
    {
        LoadedWindow w;
        QVERIFY(QDir().mkpath(w.home.kestrafoFolder() + "/send_1207.txt"));
        QFile master(w.home.kestrafoFolder() + "/masterFile.txt");
        QVERIFY(master.open(QIODevice::WriteOnly));
        QCOMPARE(master.write("earlier days\r\n"), 14);
        master.close();

        QVERIFY(!w.load(QStringLiteral("5")));
        QCOMPARE(w.platform.exitStatus, 1);
        QCOMPARE(w.platform.fatalErrors.size(), 1);
        QVERIFY2(w.platform.fatalErrors.first().contains("send_1207.txt"),
                 qPrintable(w.platform.fatalErrors.first()));
        QCOMPARE(w.master(), QByteArray("earlier days\r\n"));
    }
};

QTEST_MAIN(TestOpeningBlock)
#include "tst_opening_block.moc"

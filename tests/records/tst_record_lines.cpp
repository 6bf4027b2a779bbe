#include "records/record_lines.h"
#include "support/fake_platform.h"

#include <QtTest>

class TestRecordLines : public QObject
{
    Q_OBJECT

private slots:
    // Every file gets every line; its copy of a clock line has its own
    // reading, and a line of one file stays in that file.
    void eachFileGetsTheLinesWithItsOwnClockReading()
    {
        FakePlatform platform;
        platform.clock = QDateTime(QDate(2026, 12, 7), QTime(14, 3, 27));
        platform.clockStepSeconds = 1;
        RecordLines record(platform, 3);
        record.line(QStringLiteral("rule")).timeLine();
        record.file(0).line(QStringLiteral("master only"));
        record.codedLine(QStringLiteral("item"), 23).dateTimeLine().dateLine();

        const QString indent(36, u' ');
        auto expected = [&](int first, const QByteArray &own) {
            return QStringLiteral("rule\r\n%1%2\r\n")
                       .arg(indent, QTime(14, 3, 27 + first).toString(u"hh:mm:ss"))
                       .toLatin1() +
                   own +
                   QStringLiteral("item\r\n%1%2\r\n%3\r\n")
                       .arg(indent,
                            QStringLiteral("12-07-2026") +
                                QTime(14, 3, 30 + first).toString(u"hh:mm:ss"),
                            QStringLiteral("12-07-2026"))
                       .toLatin1();
        };
        QCOMPARE(record.bytes(0), expected(0, "master only\r\n"));
        QCOMPARE(record.bytes(1), expected(1, ""));
        QCOMPARE(record.bytes(2), expected(2, ""));

        const QList<FileRecord> parts = record.parts({"m", "s", "n"});
        QCOMPARE(parts.size(), 3);
        QCOMPARE(parts.at(2).pathText, QStringLiteral("n"));
        QCOMPARE(parts.at(2).bytes, record.bytes(2));
    }
};

QTEST_GUILESS_MAIN(TestRecordLines)
#include "tst_record_lines.moc"

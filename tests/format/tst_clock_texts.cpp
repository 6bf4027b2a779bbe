#include "format/clock_texts.h"

#include <QtTest>

class TestClockTexts : public QObject
{
    Q_OBJECT

private slots:
    void theClockIsShownInTheCoursesForms_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<float>("seconds");
        QTest::newRow("single digits")
            << QDateTime(QDate(2027, 1, 5), QTime(9, 4, 7)) << "01-05-2027"
            << "09:04:07" << 32647.0f;
        QTest::newRow("afternoon")
            << QDateTime(QDate(2026, 12, 7), QTime(14, 3, 27, 900)) << "12-07-2026"
            << "14:03:27" << 50607.9f;
        QTest::newRow("midnight") << QDateTime(QDate(2026, 2, 28), QTime(0, 0)) << "02-28-2026"
                                  << "00:00:00" << 0.0f;
        QTest::newRow("last second")
            << QDateTime(QDate(2026, 10, 31), QTime(23, 59, 59)) << "10-31-2026"
            << "23:59:59" << 86399.0f;
    }

    void theClockIsShownInTheCoursesForms()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(float, seconds);
        QCOMPARE(dateText(when), date);
        QCOMPARE(timeText(when), time);
        QCOMPARE(secondsSinceMidnight(when), seconds);
    }
};

QTEST_APPLESS_MAIN(TestClockTexts)
#include "tst_clock_texts.moc"

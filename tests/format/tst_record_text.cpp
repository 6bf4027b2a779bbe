#include "format/record_text.h"
#include "format/text_value.h"
#include "support/decimal_comma.h"

#include <QtTest>

class TestRecordText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireDecimalComma(); }

    void numericItemsHaveASignPositionAndATrailingSpace_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("item");
        QTest::newRow("50000") << 50000.0 << QByteArray(" 50000 ");
        QTest::newRow("120000") << 120000.0 << QByteArray(" 120000 ");
        QTest::newRow("zero") << 0.0 << QByteArray(" 0 ");
        QTest::newRow("negative zero") << -0.0 << QByteArray(" 0 ");
        QTest::newRow("negative") << -20000.0 << QByteArray("-20000 ");
        QTest::newRow("fraction") << 0.5 << QByteArray(" .5 ");
        QTest::newRow("negative fraction") << -0.25 << QByteArray("-.25 ");
        QTest::newRow("fifteen digits") << 1.0 / 3.0 << QByteArray(" .333333333333333 ");
        QTest::newRow("large integral") << 999999999999999.0 << QByteArray(" 999999999999999 ");
        QTest::newRow("mixed") << 15000.5 << QByteArray(" 15000.5 ");
    }

    void numericItemsHaveASignPositionAndATrailingSpace()
    {
        QFETCH(double, value);
        QFETCH(QByteArray, item);
        RecordText record;
        record.text(QStringLiteral("`questionNumber")).number(value).endLine();
        QCOMPARE(record.bytes(), "`questionNumber" + item + "\r\n");
    }

    void textItemsGoOutAsTheyStand()
    {
        RecordText record;
        record.line(QStringLiteral("a\r\nb"))
            .text(QString())
            .line(QString())
            .text(QStringLiteral("x"))
            .text(QStringLiteral("y"))
            .endLine();
        QCOMPARE(record.bytes(), QByteArray("a\r\nb\r\n\r\nxy\r\n"));
        QCOMPARE(record.toString(), QStringLiteral("a\r\nb\r\n\r\nxy\r\n"));
    }

    void theNumericValueIsTheNumberATextBeginsWith_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("005") << "005" << 5.0;
        QTest::newRow("012") << "012" << 12.0;
        QTest::newRow("padded blank") << "0 7" << 0.0;
        QTest::newRow("leading blanks") << "  12abc" << 12.0;
        QTest::newRow("word") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign") << "-02" << -2.0;
        QTest::newRow("plus") << "+7" << 7.0;
        QTest::newRow("point") << ".5" << 0.5;
        QTest::newRow("decimal") << "1.5" << 1.5;
        QTest::newRow("exponent") << "2e3x" << 2000.0;
        QTest::newRow("bare exponent") << "3e" << 3.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("point alone") << "." << 0.0;
    }

    void theNumericValueIsTheNumberATextBeginsWith()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(numericValue(text), value);
    }
};

QTEST_GUILESS_MAIN(TestRecordText)
#include "tst_record_text.moc"

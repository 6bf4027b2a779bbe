#include "platform/windows1252.h"
#include "records/file_lines.h"

#include <QtTest>

class TestTextEncoding : public QObject
{
    Q_OBJECT

private slots:
    void everyByteSurvivesARoundTrip()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(toWindows1252(fromWindows1252(all)), all);
    }

    void charactersOfTheCodePageBecomeTheirByte()
    {
        QCOMPARE(toWindows1252(u"\u20AC \u00E9 \u2014 \u0178"), QByteArray("\x80 \xE9 \x97 \x9F"));
    }

    void charactersOutsideTheCodePageBecomeOneQuestionMarkEach()
    {
        // A Greek letter, a CJK character, and an emoji made of two UTF-16 units.
        QCOMPARE(toWindows1252(QStringLiteral("a\u03C0b\u4E2Dc\U0001F600d")),
                 QByteArray("a?b?c?d"));
    }

    void fileLinesEndAtCrOrCrLfButNotAtALoneLf()
    {
        QCOMPARE(splitFileLines(""), QStringList());
        QCOMPARE(splitFileLines("one\r\ntwo\r\n"), (QStringList{"one", "two"}));
        QCOMPARE(splitFileLines("one\rtwo"), (QStringList{"one", "two"}));
        QCOMPARE(splitFileLines("a\nb\r\n"), (QStringList{"a\nb"}));
        QCOMPARE(splitFileLines("\r\n\r\n"), (QStringList{"", ""}));
        QCOMPARE(splitFileLines("x\r\r\ny"), (QStringList{"x", "", "y"}));
        QCOMPARE(splitFileLines("\xE9t\xE9\r\n"), (QStringList{QStringLiteral("\u00E9t\u00E9")}));
    }
};

QTEST_APPLESS_MAIN(TestTextEncoding)
#include "tst_text_encoding.moc"

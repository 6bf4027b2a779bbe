#include "records/file_lines.h"

#include <QtTest>

class TestFileLines : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_APPLESS_MAIN(TestFileLines)
#include "tst_file_lines.moc"

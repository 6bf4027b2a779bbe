#include "bank/course_format.h"
#include "bank/line_kind.h"
#include "bank/question_bank.h"

#include <QtTest>

class TestLineKind : public QObject
{
    Q_OBJECT

private slots:
    void markersAreExactAndAtTheStart()
    {
        QVERIFY(isQuestionLine("`qWhat is x?"));
        QVERIFY(!isQuestionLine("`QWhat is x?"));
        QVERIFY(!isQuestionLine(" `qWhat"));
        QVERIFY(isAnswerLine("`a"));
    }

    void headersCompareTheirFirstCharactersExactly()
    {
        QVERIFY(isHeaderOf("005.  `query 5", "005"));
        QVERIFY(!isHeaderOf("005.  `query 5", "05"));
        QVERIFY(!isHeaderOf("005", "005"));
        QVERIFY(isHeaderOf(".", ""));
        QVERIFY(!isHeaderOf("0055.", "0055"));
        QVERIFY(startsNextAssignment("006.", "006"));
        QVERIFY(startsNextAssignment("014 follows", "014"));
        QVERIFY(!startsNextAssignment("1000.", "1000"));
    }

    void routineLinesIgnoreCaseAndTheNinthCharacter()
    {
        QVERIFY(isRoutineLine("`ROUTINE graph-2"));
        QVERIFY(isRoutineLine("`Routine"));
        QVERIFY(!isRoutineLine("`routin"));
        QCOMPARE(routineName("`routine graph1"), QStringLiteral("graph1"));
        QCOMPARE(routineName("`ROUTINE Graph-2"), QStringLiteral("graph2"));
        QCOMPARE(routineName("`routine graph 1"), QStringLiteral("graph1"));
        QCOMPARE(routineName("`Routine  Graph-3"), QStringLiteral("graph3"));
        QCOMPARE(routineName("`routinexgraph3"), QStringLiteral("graph3"));
        QCOMPARE(routineName("`routinegraph1"), QStringLiteral("raph1"));
        QCOMPARE(routineName("`routine "), QString());
        QCOMPARE(remSpaces(" a-b c--d "), QStringLiteral("abcd"));
        QCOMPARE(remSpaces(QString()), QString());
    }

    void theEndMarkerIsSixExactCharacters()
    {
        QVERIFY(isEndOfBank("####.#"));
        QVERIFY(isEndOfBank("####.#1"));
        QVERIFY(!isEndOfBank("####.x"));
        QVERIFY(!isEndOfBank("####."));
    }

    void theBankChecksEveryIndex()
    {
        QuestionBank bank;
        QCOMPARE(bank.at(0), QString());
        QCOMPARE(bank.at(5000), QString());
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, bank.at(5001));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, bank.at(-1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, bank.store(5001, "x"));
    }

    void theLoaderFillsFromIndexOneAndLeavesThePositionAtZero()
    {
        QuestionBank bank;
        int bankIndex = 0;
        loadQuestionBank(bank, bankIndex, {"001.", "", "`qWhy?"});
        QCOMPARE(bankIndex, 0);
        QCOMPARE(bank.at(0), QString());
        QCOMPARE(bank.at(1), QStringLiteral("001."));
        QCOMPARE(bank.at(2), QString());
        QCOMPARE(bank.at(3), QStringLiteral("`qWhy?"));
        QCOMPARE(bank.at(4), QString());

        QStringList tooMany(6000, QStringLiteral("x"));
        loadQuestionBank(bank, bankIndex, tooMany);
        QCOMPARE(bankIndex, 0);
        QCOMPARE(bank.at(5000), QStringLiteral("x"));
    }

    void theDataFormatDecodesItsEscapes()
    {
        const CourseData data = parseCourseData(
            "# a note\n001.  `query 1\n\n`aStep 1\\n\\nStep 2\\\\ **\n\\s\\s\\s\n\\#1\r\n");
        QVERIFY(data.error.isEmpty());
        QCOMPARE(data.lines,
                 (QStringList{"001.  `query 1", "", "`aStep 1\r\n\r\nStep 2\\ **", "   ", "#1"}));
        QVERIFY(parseCourseData("fine\nbad \\t escape\n").error.startsWith("line 2"));
        QVERIFY(!parseCourseData("ends in \\").error.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestLineKind)
#include "tst_line_kind.moc"

#include "app/start_up_texts.h"
#include "navigation/question_reader.h"
#include "session/session_state.h"
#include "support/fake_panes.h"
#include "support/fake_platform.h"
#include "support/record_session.h"

#include <QtTest>

namespace {

// A bank whose first line is the header of assignment 001, with the reader
// standing on it as the opening of the assignment leaves it.
SessionState sessionOn(const QStringList &afterHeader, const QString &next = QStringLiteral("002"))
{
    SessionState session;
    session.assignmentNbr = QStringLiteral("001");
    session.nextAssignmentNbr = next;
    session.responsePrompt = StartUpTexts::responsePrompt;
    positionAfterHeader(session, QStringLiteral("001.  `query 1"), afterHeader);
    return session;
}

} // namespace

class TestQuestionReader : public QObject
{
    Q_OBJECT

private slots:
    void markersAreDroppedAndBlankLinesPassedOver()
    {
        SessionState session = sessionOn({"`qWhat is x?", "", "`a It is 3."});
        FakePanes panes;
        FakePlatform platform;

        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, QStringLiteral("What is x?"));
        QCOMPARE(session.currentLine, QStringLiteral("What is x?"));
        QCOMPARE(session.itemKind, QStringLiteral("question"));
        QCOMPARE(session.bankIndex, 2);

        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, QStringLiteral(" It is 3."));
        QCOMPARE(session.currentLine, QStringLiteral(" It is 3."));
        QCOMPARE(session.itemKind, QStringLiteral("answer"));
        QCOMPARE(session.bankIndex, 4);
        QVERIFY(!platform.ended);
    }

    void aMarkerAloneIsPassedOverButSetsTheKind()
    {
        SessionState session =
            sessionOn({"`qFirst", "`a", "", "Commentary on it", "`q", "`aAfter"});
        FakePanes panes;
        FakePlatform platform;

        QVERIFY(readNextQuestion(session, panes, platform));
        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, QStringLiteral("Commentary on it"));
        QCOMPARE(session.currentLine, QStringLiteral("Commentary on it"));
        QCOMPARE(session.itemKind, QStringLiteral("answer"));
        QCOMPARE(session.bankIndex, 5);

        // "`q" alone, then an answer line: the kind the shown line gives wins.
        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, QStringLiteral("After"));
        QCOMPARE(session.itemKind, QStringLiteral("answer"));
        QCOMPARE(session.bankIndex, 7);
    }

    void commentaryKeepsTheKindOfTheItemBeforeIt()
    {
        SessionState session =
            sessionOn({"Welcome.", "`qA question", "Hint: think.", "`QNot a marker"});
        FakePanes panes;
        FakePlatform platform;

        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, QStringLiteral("Welcome."));
        QCOMPARE(session.itemKind, QString());

        QVERIFY(readNextQuestion(session, panes, platform));
        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, QStringLiteral("Hint: think."));
        QCOMPARE(session.currentLine, QStringLiteral("Hint: think."));
        QCOMPARE(session.itemKind, QStringLiteral("question"));

        // The markers are case-sensitive: "`Q" is commentary, shown whole.
        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, QStringLiteral("`QNot a marker"));
        QCOMPARE(session.itemKind, QStringLiteral("question"));
    }

    void aLineOfSpacesIsAnItem()
    {
        SessionState session = sessionOn({"", " ", "`a  "});
        FakePanes panes;
        FakePlatform platform;

        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, QStringLiteral(" "));
        QCOMPARE(session.currentLine, QStringLiteral(" "));
        QCOMPARE(session.bankIndex, 3);
        QVERIFY(session.promptDue);

        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, QStringLiteral("  "));
        QCOMPARE(session.itemKind, QStringLiteral("answer"));
    }

    void routineLinesComeBackWholeAndDoNotArmThePrompt_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("armed");
        QTest::newRow("routine") << "`routine graph2" << false;
        QTest::newRow("capitals") << "`ROUTINE Graph1" << false;
        QTest::newRow("marker alone") << "`routine" << false;
        QTest::newRow("seven characters") << "`routin" << true;
        QTest::newRow("after a question marker") << "`q`routine graph1" << false;
    }

    void routineLinesComeBackWholeAndDoNotArmThePrompt()
    {
        QFETCH(QString, line);
        QFETCH(bool, armed);
        SessionState session = sessionOn({line});
        FakePanes panes;
        FakePlatform platform;

        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, line.startsWith("`q") ? line.mid(2) : line);
        QCOMPARE(session.promptDue, armed);
    }

    void theNextAssignmentsNumberEndsTheProgram_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("ends");
        QTest::newRow("next header") << "002.  `query 2" << true;
        QTest::newRow("number without a period") << "002 is the next" << true;
        QTest::newRow("number run on") << "0021" << true;
        QTest::newRow("after a question marker") << "`q002 asks" << true;
        QTest::newRow("after an answer marker") << "`a002." << true;
        QTest::newRow("a later header") << "003." << false;
        QTest::newRow("a blank before it") << " 002." << false;
        QTest::newRow("two digits") << "02." << false;
        QTest::newRow("end of bank") << "####.#" << true;
        QTest::newRow("end of bank and more") << "####.# the end" << true;
        QTest::newRow("end of bank as an answer") << "`a####.#" << true;
        QTest::newRow("nearly end of bank") << "####.-" << false;
    }

    void theNextAssignmentsNumberEndsTheProgram()
    {
        QFETCH(QString, line);
        QFETCH(bool, ends);
        SessionState session = sessionOn({"`qFirst", line, "after"});
        FakePanes panes;
        FakePlatform platform;

        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(readNextQuestion(session, panes, platform), !ends);
        QCOMPARE(platform.ended, ends);
        QCOMPARE(session.bankIndex, 3);
        if (ends)
            QCOMPARE(platform.exitStatus, 0);
        else
            QCOMPARE(session.currentText, line.startsWith(u'`') ? line.mid(2) : line);
    }

    void aFourDigitNextNumberIsNeverMet()
    {
        // Assignment 999: its successor "1000" cannot be the first three
        // characters of any line.
        SessionState session = sessionOn({"1000.", "100."}, QStringLiteral("1000"));
        FakePanes panes;
        FakePlatform platform;
        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, QStringLiteral("1000."));
        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, QStringLiteral("100."));
        QVERIFY(!platform.ended);
    }

    void runningOutOfBankEndsWithoutReadingOutside()
    {
        // The last assignment has no following header: the reader passes the
        // empty entries and stops at index 5000.
        SessionState session = sessionOn({"`qThe last question"}, QStringLiteral("033"));
        FakePanes panes;
        FakePlatform platform;
        QVERIFY(readNextQuestion(session, panes, platform));
        QVERIFY(!readNextQuestion(session, panes, platform));
        QVERIFY(platform.ended);
        QCOMPARE(platform.exitStatus, 0);
        QCOMPARE(session.bankIndex, QuestionBank::lastIndex);

        // A line at the very last index is still shown; the step after it ends.
        SessionState full = sessionOn({}, QStringLiteral("033"));
        full.questionBank.store(QuestionBank::lastIndex, QStringLiteral("`aAt the end"));
        FakePlatform second;
        QVERIFY(readNextQuestion(full, panes, second));
        QCOMPARE(full.bankIndex, QuestionBank::lastIndex);
        QCOMPARE(full.currentText, QStringLiteral("At the end"));
        QVERIFY(!second.ended);
        QVERIFY(!readNextQuestion(full, panes, second));
        QVERIFY(second.ended);
        QCOMPARE(full.bankIndex, QuestionBank::lastIndex);
    }

    void thePromptIsPutBackOnlyAfterAnItemWentUnanswered()
    {
        SessionState session = sessionOn(
            {"`qOne", "`aTwo", "`routine graph1", "`qThree", "`routine graph2", "`aFour"});
        FakePanes panes;
        FakePlatform platform;

        // The first step of a run: the answer box keeps its start-up space.
        QVERIFY(!session.promptDue);
        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(panes.answer, QStringLiteral(" "));
        QVERIFY(session.promptDue);

        // Passed over: whatever was typed gives way to the instructions.
        panes.answer = QStringLiteral("half an answer");
        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(panes.answer, session.responsePrompt);

        // Answered (the record cleared the flag): the box stays as it was.
        session.promptDue = false;
        panes.answer = QString();
        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, QStringLiteral("`routine graph1"));
        QCOMPARE(panes.answer, QString());
        QVERIFY(!session.promptDue);

        // The read after a routine line finds the flag down and leaves the box.
        panes.answer = QStringLiteral("typed while the figure showed");
        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(panes.answer, QStringLiteral("typed while the figure showed"));
        QVERIFY(session.promptDue);

        // A routine line after an unanswered item: the box is reset once, and
        // the flag is down for the read that follows in the same click.
        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, QStringLiteral("`routine graph2"));
        QCOMPARE(panes.answer, session.responsePrompt);
        QVERIFY(!session.promptDue);
        panes.answer = QStringLiteral("typed again");
        QVERIFY(readNextQuestion(session, panes, platform));
        QCOMPARE(session.currentText, QStringLiteral("Four"));
        QCOMPARE(panes.answer, QStringLiteral("typed again"));
    }
};

QTEST_GUILESS_MAIN(TestQuestionReader)
#include "tst_question_reader.moc"

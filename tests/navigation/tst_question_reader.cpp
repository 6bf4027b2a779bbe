#include "support/record_session.h"

#include <QtTest>

namespace {

// The item on show: its text, its line, its kind and the bank index after it.
QStringList shownItem(const RecordSession &s)
{
    return {s.session.currentText, s.session.currentLine, s.session.itemKind,
            QString::number(s.session.bankIndex)};
}

} // namespace

class TestQuestionReader : public QObject
{
    Q_OBJECT

private slots:
    void markersAreDroppedAndBlankLinesPassedOver()
    {
        RecordSession s("1", {"`qWhat is x?", "", "`a It is 3."});

        QVERIFY(s.read());
        QCOMPARE(shownItem(s), (QStringList{"What is x?", "What is x?", "question", "2"}));

        QVERIFY(s.read());
        QCOMPARE(shownItem(s), (QStringList{" It is 3.", " It is 3.", "answer", "4"}));
        QVERIFY(!s.platform.ended);
    }

    void aMarkerAloneIsPassedOverButSetsTheKind()
    {
        RecordSession s("1", {"`qFirst", "`a", "", "Commentary on it", "`q", "`aAfter"});

        QVERIFY(s.read());
        QVERIFY(s.read());
        QCOMPARE(shownItem(s),
                 (QStringList{"Commentary on it", "Commentary on it", "answer", "5"}));

        // "`q" alone, then an answer line: the kind the shown line gives wins.
        QVERIFY(s.read());
        QCOMPARE(s.session.currentText, QStringLiteral("After"));
        QCOMPARE(s.session.itemKind, QStringLiteral("answer"));
        QCOMPARE(s.session.bankIndex, 7);
    }

    void commentaryKeepsTheKindOfTheItemBeforeIt()
    {
        RecordSession s("1", {"Welcome.", "`qA question", "Hint: think.", "`QNot a marker"});

        QVERIFY(s.read());
        QCOMPARE(s.session.currentText, QStringLiteral("Welcome."));
        QCOMPARE(s.session.itemKind, QString());

        QVERIFY(s.read());
        QVERIFY(s.read());
        QCOMPARE(s.session.currentText, QStringLiteral("Hint: think."));
        QCOMPARE(s.session.currentLine, QStringLiteral("Hint: think."));
        QCOMPARE(s.session.itemKind, QStringLiteral("question"));

        // The markers are case-sensitive: "`Q" is commentary, shown whole.
        QVERIFY(s.read());
        QCOMPARE(s.session.currentText, QStringLiteral("`QNot a marker"));
        QCOMPARE(s.session.itemKind, QStringLiteral("question"));
    }

    void aLineOfSpacesIsAnItem()
    {
        RecordSession s("1", {"", " ", "`a  "});

        QVERIFY(s.read());
        QCOMPARE(s.session.currentText, QStringLiteral(" "));
        QCOMPARE(s.session.currentLine, QStringLiteral(" "));
        QCOMPARE(s.session.bankIndex, 3);
        QVERIFY(s.session.promptDue);

        QVERIFY(s.read());
        QCOMPARE(s.session.currentText, QStringLiteral("  "));
        QCOMPARE(s.session.itemKind, QStringLiteral("answer"));
    }

    // The line after a question: shown as the reader leaves it, with the
    // prompt armed or not, or the end of the run. Routine lines come back
    // whole and arm nothing; the next assignment's number and the end-of-bank
    // marker end the run, after a marker too.
    void whatTheLineAfterAQuestionBecomes_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("armed");
        auto row = [](const char *name, const char *line, bool ends, const char *shown,
                      bool armed) {
            QTest::newRow(name) << QString::fromLatin1(line) << ends << QString::fromLatin1(shown)
                                << armed;
        };
        row("routine", "`routine graph2", false, "`routine graph2", false);
        row("routine in capitals", "`ROUTINE Graph1", false, "`ROUTINE Graph1", false);
        row("routine marker alone", "`routine", false, "`routine", false);
        row("seven characters", "`routin", false, "`routin", true);
        row("routine after a question marker", "`q`routine graph1", false, "`routine graph1",
            false);
        row("next header", "002.  `query 2", true, "", false);
        row("number without a period", "002 is the next", true, "", false);
        row("number run on", "0021", true, "", false);
        row("number after a question marker", "`q002 asks", true, "", false);
        row("number after an answer marker", "`a002.", true, "", false);
        row("a later header", "003.", false, "003.", true);
        row("a blank before it", " 002.", false, " 002.", true);
        row("two digits", "02.", false, "02.", true);
        row("end of bank", "####.#", true, "", false);
        row("end of bank and more", "####.# the end", true, "", false);
        row("end of bank as an answer", "`a####.#", true, "", false);
        row("nearly end of bank", "####.-", false, "####.-", true);
    }

    void whatTheLineAfterAQuestionBecomes()
    {
        QFETCH(QString, line);
        QFETCH(bool, ends);
        QFETCH(QString, shown);
        QFETCH(bool, armed);
        RecordSession s("1", {"`qFirst", line, "after"});

        QVERIFY(s.read());
        QCOMPARE(s.read(), !ends);
        QCOMPARE(s.platform.ended, ends);
        QCOMPARE(s.session.bankIndex, 3);
        if (ends) {
            QCOMPARE(s.platform.exitStatus, 0);
            return;
        }
        QCOMPARE(s.session.currentText, shown);
        QCOMPARE(s.session.promptDue, armed);
    }

    void aFourDigitNextNumberIsNeverMet()
    {
        // Assignment 999: its successor "1000" cannot be the first three
        // characters of any line.
        RecordSession s("999", {"1000.", "100."});
        QVERIFY(s.read());
        QCOMPARE(s.session.currentText, QStringLiteral("1000."));
        QVERIFY(s.read());
        QCOMPARE(s.session.currentText, QStringLiteral("100."));
        QVERIFY(!s.platform.ended);
    }

    void runningOutOfBankEndsWithoutReadingOutside()
    {
        // The last assignment has no following header: the reader passes the
        // empty entries and stops at index 5000.
        {
            RecordSession s("32", {"`qThe last question"});
            QVERIFY(s.read());
            QVERIFY(!s.read());
            QVERIFY(s.platform.ended);
            QCOMPARE(s.platform.exitStatus, 0);
            QCOMPARE(s.session.bankIndex, QuestionBank::lastIndex);
        }

        // A line at the very last index is still shown; the step after it ends.
        RecordSession full("32", {});
        full.session.questionBank.store(QuestionBank::lastIndex, QStringLiteral("`aAt the end"));
        QVERIFY(full.read());
        QCOMPARE(full.session.bankIndex, QuestionBank::lastIndex);
        QCOMPARE(full.session.currentText, QStringLiteral("At the end"));
        QVERIFY(!full.platform.ended);
        QVERIFY(!full.read());
        QVERIFY(full.platform.ended);
        QCOMPARE(full.session.bankIndex, QuestionBank::lastIndex);
    }

    void thePromptIsPutBackOnlyAfterAnItemWentUnanswered()
    {
        RecordSession s(
            "1", {"`qOne", "`aTwo", "`routine graph1", "`qThree", "`routine graph2", "`aFour"});

        // The first step of a run: the answer box keeps its start-up space.
        QVERIFY(!s.session.promptDue);
        QVERIFY(s.read());
        QCOMPARE(s.panes.answer, QStringLiteral(" "));
        QVERIFY(s.session.promptDue);

        // Passed over: whatever was typed gives way to the instructions.
        s.panes.answer = QStringLiteral("half an answer");
        QVERIFY(s.read());
        QCOMPARE(s.panes.answer, s.session.responsePrompt);

        // Answered (the record cleared the flag): the box stays as it was.
        s.session.promptDue = false;
        s.panes.answer = QString();
        QVERIFY(s.read());
        QCOMPARE(s.session.currentText, QStringLiteral("`routine graph1"));
        QCOMPARE(s.panes.answer, QString());
        QVERIFY(!s.session.promptDue);

        // The read after a routine line finds the flag down and leaves the box.
        s.panes.answer = QStringLiteral("typed while the figure showed");
        QVERIFY(s.read());
        QCOMPARE(s.panes.answer, QStringLiteral("typed while the figure showed"));
        QVERIFY(s.session.promptDue);

        // A routine line after an unanswered item: the box is reset once, and
        // the flag is down for the read that follows in the same click.
        QVERIFY(s.read());
        QCOMPARE(s.session.currentText, QStringLiteral("`routine graph2"));
        QCOMPARE(s.panes.answer, s.session.responsePrompt);
        QVERIFY(!s.session.promptDue);
        s.panes.answer = QStringLiteral("typed again");
        QVERIFY(s.read());
        QCOMPARE(s.session.currentText, QStringLiteral("Four"));
        QCOMPARE(s.panes.answer, QStringLiteral("typed again"));
    }
};

QTEST_GUILESS_MAIN(TestQuestionReader)
#include "tst_question_reader.moc"

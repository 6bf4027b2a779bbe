#include "records/response_entry.h"
#include "support/decimal_comma.h"
#include "support/expected_record.h"
#include "support/loaded_window.h"
#include "support/record_session.h"

#include <QtTest>

namespace {

const QString confidencePromptText = QStringLiteral(
    "Assess your level of confidence in your answer on a scale from 0 to 3, where 0 means you have "
    "no confidence in your answer, 1 means you have some confidence, 2 means you are pretty "
    "confident and 3 means you are certain of your answer:");
const QString selfCritiquePromptText = QStringLiteral(
    "Rate the quality of your self-critique on a 0-3 scale, where 0 indicates that self-critique "
    "was necessary on this question but was not given, 1 indicates that self-critique was "
    "necessary but the given self-critique was not adequate, 2 indicates that self-critique was "
    "necessary and was mostly adequate, and 3 indicates that either self-critique was not "
    "necessary or that after reading the solution everything was completely obvious so you "
    "skipped the self-critique.");

} // namespace

class TestResponseEntry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireDecimalComma(); }

    void aQuestionAndThenItsAnswerAreRecorded()
    {
        RecordSession s;
        s.atFirstItem({"`qWhat is x?", "", "`a It is 3.", "`qNext one"}, QStringLiteral("x is 3"));
        s.platform.replies = {"2"};
        cmd_enter_response_Click(s.session, s.panes, s.platform);

        const QByteArray master1 = masterResponse("14:03:27", " 50000 ", "What is x?", "x is 3",
                                                  "confidence assessment:  2");
        const QByteArray send1 =
            sendResponse("14:03:27", "What is x?", "x is 3", "confidence assessment:  2");
        QCOMPARE(s.master(), master1);
        QCOMPARE(s.send(), send1);
        QCOMPARE(s.platform.promptsAsked, QStringList{confidencePromptText});
        QCOMPARE(s.panes.question, QString());
        QCOMPARE(s.panes.answer, QString());
        QVERIFY(!s.session.promptDue);
        QCOMPARE(s.session.textBuffer, QStringLiteral("x is 3"));
        QVERIFY(s.platform.problems.isEmpty());

        // The given answer: the box stays empty, since the question was
        // answered; Cancel on the self-critique prompt leaves the label alone.
        s.next();
        QCOMPARE(s.panes.answer, QString());
        s.panes.answer = QStringLiteral("I agree");
        s.platform.replies = {""};
        cmd_enter_response_Click(s.session, s.panes, s.platform);

        QCOMPARE(s.master(), master1 + masterResponse("14:03:27", " 50000 ", " It is 3.", "I agree",
                                                      "self critique assessment: "));
        QCOMPARE(s.send(), send1 + sendResponse("14:03:27", " It is 3.", "I agree",
                                                "self critique assessment: "));
        QCOMPARE(s.platform.promptsAsked,
                 (QStringList{confidencePromptText, selfCritiquePromptText}));
        QCOMPARE(s.session.selfCritiqueRating, QString());
        QCOMPARE(s.platform.unexpectedPrompts, 0);
    }

    void repliesAreRecordedAsTyped_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QByteArray>("ratingLine");
        auto row = [](const char *name, const char *line, const char *reply, const char *rating) {
            QTest::newRow(name) << QString::fromLatin1(line) << QString::fromLatin1(reply)
                                << QByteArray(rating);
        };
        row("question, Cancel", "`qQ", "", "confidence assessment:  ");
        row("question, 7", "`qQ", "7", "confidence assessment:  7");
        row("question, a word", "`qQ", "pretty sure", "confidence assessment:  pretty sure");
        row("question, blanks around", "`qQ", " 2 ", "confidence assessment:   2 ");
        row("answer, 3", "`aQ", "3", "self critique assessment: 3");
        row("answer, a blank and a word", "`aQ", " fine ", "self critique assessment:  fine ");
    }

    void repliesAreRecordedAsTyped()
    {
        QFETCH(QString, line);
        QFETCH(QString, reply);
        QFETCH(QByteArray, ratingLine);
        RecordSession s;
        s.atFirstItem({line}, QStringLiteral("mine"));
        s.platform.replies = {reply};
        cmd_enter_response_Click(s.session, s.panes, s.platform);
        QCOMPARE(s.master(), masterResponse("14:03:27", " 50000 ", "Q", "mine", ratingLine));
        QCOMPARE(s.send(), sendResponse("14:03:27", "Q", "mine", ratingLine));
        QCOMPARE(s.platform.promptsAsked.size(), 1);
        if (line.startsWith(QLatin1String("`a")))
            QCOMPARE(s.session.selfCritiqueRating, reply);
    }

    void theUntouchedInstructionsRecordNothing()
    {
        // Nothing on file yet and the instructions left as they are: no file
        // comes into being.
        {
            RecordSession fresh;
            fresh.panes.answer = fresh.session.responsePrompt;
            cmd_enter_response_Click(fresh.session, fresh.panes, fresh.platform);
            QVERIFY(!fresh.hasMaster());
            QVERIFY(!fresh.hasSend());
        }

        RecordSession s;
        s.atFirstItem({"`qWhat is x?", "`aBecause."}, QStringLiteral("first"));
        s.platform.replies = {"1"};
        cmd_enter_response_Click(s.session, s.panes, s.platform);
        const QByteArray master = s.master();
        const QByteArray send = s.send();
        s.platform.promptsAsked.clear();

        for (const bool due : {true, false}) {
            s.session.promptDue = due;
            s.panes.question = QStringLiteral("\r\n\r\nWhat is x?");
            s.panes.answer = s.session.responsePrompt;
            cmd_enter_response_Click(s.session, s.panes, s.platform);
            QCOMPARE(s.master(), master);
            QCOMPARE(s.send(), send);
            QCOMPARE(s.platform.promptsAsked, QStringList());
            QCOMPARE(s.panes.question, QString());
            QCOMPARE(s.panes.answer, QString());
            QCOMPARE(s.session.promptDue, due);
            QCOMPARE(s.session.textBuffer, QStringLiteral("first"));
        }

        // One character more is a response, the instructions and all.
        s.panes.answer = s.session.responsePrompt + u'.';
        s.platform.replies = {"0"};
        cmd_enter_response_Click(s.session, s.panes, s.platform);
        QCOMPARE(s.master(), master + masterResponse("14:03:27", " 50000 ", "What is x?",
                                                     s.session.responsePrompt.toLatin1() + '.',
                                                     "confidence assessment:  0"));
    }

    void emptiedAndMultiLineResponses_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("emptied") << "" << QByteArray("");
        QTest::newRow("three lines")
            << "first\r\nsecond\r\nthird" << QByteArray("first\r\nsecond\r\nthird");
        QTest::newRow("empty line inside") << "a\r\n\r\nb\r\n" << QByteArray("a\r\n\r\nb\r\n");
        QTest::newRow("code page") << QString::fromUtf8("caf\u00e9 \u20ac5 \u00bd")
                                   << QByteArray("caf\xE9 \x80"
                                                 "5 \xBD");
        QTest::newRow("outside the code page, in the course's notation")
            << QString::fromUtf8("x \u2192 0") << QByteArray("x -> 0");
        QTest::newRow("outside the code page, no spelling")
            << QString::fromUtf8("x \u4E2D 0") << QByteArray("x ? 0");
    }

    void emptiedAndMultiLineResponses()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, written);
        RecordSession s;
        s.atFirstItem({"`qWhat is x?"}, typed);
        s.platform.replies = {"3"};
        cmd_enter_response_Click(s.session, s.panes, s.platform);
        QCOMPARE(s.master(), masterResponse("14:03:27", " 50000 ", "What is x?", written,
                                            "confidence assessment:  3"));
        QCOMPARE(s.send(),
                 sendResponse("14:03:27", "What is x?", written, "confidence assessment:  3"));
    }

    void beforeAnyItemThereIsNoRating()
    {
        {
            RecordSession s;
            s.panes.answer = QStringLiteral("hello");
            cmd_enter_response_Click(s.session, s.panes, s.platform);
            QCOMPARE(s.master(), masterResponse("14:03:27", " 50000 ", "", "hello", QByteArray()));
            QCOMPARE(s.send(), sendResponse("14:03:27", "", "hello", QByteArray()));
            QCOMPARE(s.platform.promptsAsked, QStringList());
        }

        // Commentary before the first question: still no kind, no rating.
        RecordSession c;
        c.useBank({"Welcome{}to it.", "`qFirst"});
        c.next();
        c.panes.answer = QStringLiteral("ok");
        cmd_enter_response_Click(c.session, c.panes, c.platform);
        QCOMPARE(c.send(), sendResponse("14:03:27", "Welcome{}to it.", "ok", QByteArray()));
        QCOMPARE(c.platform.promptsAsked, QStringList());
    }

    void theQuestionNumberIsANumericItem_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QByteArray>("number");
        QTest::newRow("5") << "5" << QByteArray(" 50000 ");
        QTest::newRow("12") << "12" << QByteArray(" 120000 ");
        QTest::newRow("032") << "032" << QByteArray(" 320000 ");
        QTest::newRow("1.5") << "1.5" << QByteArray(" 15000 ");
        QTest::newRow("abc") << "abc" << QByteArray(" 0 ");
        QTest::newRow("-02") << "-02" << QByteArray("-20000 ");
        QTest::newRow("-00") << "-00" << QByteArray(" 0 ");
    }

    void theQuestionNumberIsANumericItem()
    {
        QFETCH(QString, reply);
        QFETCH(QByteArray, number);
        RecordSession s(reply);
        s.atFirstItem({"`qQ"}, QStringLiteral("r"));
        s.platform.replies = {"1"};
        cmd_enter_response_Click(s.session, s.panes, s.platform);
        QCOMPARE(s.master(),
                 masterResponse("14:03:27", number, "Q", "r", "confidence assessment:  1"));
        QCOMPARE(s.send(), sendResponse("14:03:27", "Q", "r", "confidence assessment:  1"));
    }

    void eachFileReadsTheClockForItsTimeLine()
    {
        RecordSession s;
        s.atFirstItem({"`qQ"}, QStringLiteral("r"));
        s.platform.clockStepSeconds = 1;
        s.platform.replies = {"2"};
        cmd_enter_response_Click(s.session, s.panes, s.platform);
        QCOMPARE(s.master(),
                 masterResponse("14:03:27", " 50000 ", "Q", "r", "confidence assessment:  2"));
        QCOMPARE(s.send(), sendResponse("14:03:28", "Q", "r", "confidence assessment:  2"));
    }

    void aScriptedSessionOnTheCourse()
    {
        LoadedWindow w;
        QVERIFY(w.load(QStringLiteral("5")));
        const QByteArray opening = w.master();
        // The bank's first two items after the header: a question and its answer.
        const QStringList lines = w.linesAhead(2);
        QVERIFY(lines[0].startsWith("`q") && lines[1].startsWith("`a"));
        const QByteArray question = lines[0].mid(2).toLatin1();
        const QByteArray answer = lines[1].mid(2).toLatin1();

        const QString typed = QStringLiteral("x = 2 sin t\r\nthen the rest");
        w.answerNext(typed, QStringLiteral("2"));
        w.answerNext(QStringLiteral("I missed the sign."), QString());

        QCOMPARE(w.master(), opening +
                                 masterResponse("14:03:27", " 50000 ", question, typed.toLatin1(),
                                                "confidence assessment:  2") +
                                 masterResponse("14:03:27", " 50000 ", answer, "I missed the sign.",
                                                "self critique assessment: "));
        QCOMPARE(w.send(), opening +
                               sendResponse("14:03:27", question, typed.toLatin1(),
                                            "confidence assessment:  2") +
                               sendResponse("14:03:27", answer, "I missed the sign.",
                                            "self critique assessment: "));
    }
};

QTEST_MAIN(TestResponseEntry)
#include "tst_response_entry.moc"

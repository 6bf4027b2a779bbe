#include "app/query_form.h"
#include "app/start_up_texts.h"
#include "bank/course_content.h"
#include "navigation/next_question.h"
#include "session/session_state.h"
#include "support/fake_panes.h"
#include "support/fake_platform.h"
#include "support/loaded_window.h"
#include "support/record_session.h"
#include "support/temp_home.h"

#include <QtTest>

namespace {

SessionState sessionOn(const QStringList &afterHeader)
{
    SessionState session;
    session.assignmentNbr = QStringLiteral("001");
    session.nextAssignmentNbr = QStringLiteral("002");
    session.responsePrompt = StartUpTexts::responsePrompt;
    positionAfterHeader(session, QStringLiteral("001."), afterHeader);
    return session;
}

// Stands in for the figure dispatcher: keeps the names, knows graph1 to 3.
struct RecordingRoutines
{
    QStringList names;
    FakePlatform *platform = nullptr;

    RoutineRunner runner()
    {
        return [this](const QString &name) {
            names.append(name);
            if (name == QLatin1String("graph1") || name == QLatin1String("graph2") ||
                name == QLatin1String("graph3"))
                return true;
            platform->endProgram();
            return false;
        };
    }
};

QString shownText(const QString &bankLine)
{
    if (bankLine.startsWith(QLatin1String("`q")) || bankLine.startsWith(QLatin1String("`a")))
        return bankLine.mid(2);
    return bankLine;
}

} // namespace

class TestNextQuestion : public QObject
{
    Q_OBJECT

private slots:
    void bracesBecomeLineBreaks_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("one character") << "{"
                                       << "{";
        QTest::newRow("closing alone") << "}"
                                       << "}";
        QTest::newRow("pair") << "Step 1{}Step 2"
                              << "Step 1\r\nStep 2";
        QTest::newRow("nested") << "{{}}"
                                << "{\r\n}";
        QTest::newRow("extra closing") << "{}}"
                                       << "\r\n}";
        QTest::newRow("reversed") << "}{"
                                  << "}{";
        QTest::newRow("two pairs") << "a{}{}b"
                                   << "a\r\n\r\nb";
        QTest::newRow("at the end") << "last{}"
                                    << "last\r\n";
        QTest::newRow("spaced") << "{ }"
                                << "{ }";
    }

    void bracesBecomeLineBreaks()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        const QString original = in;
        QCOMPARE(bracesToNewlines(in), out);
        QCOMPARE(in, original);
    }

    void itemsGoBelowTheEarlierOnesAfterABlankLine()
    {
        SessionState session = sessionOn({"`qWhat is x?", "", "`aWhy?", "Step 1{}Step 2"});
        FakePanes panes;
        FakePlatform platform;
        RecordingRoutines routines{{}, &platform};

        cmdNextQuestion_Click(session, panes, platform, routines.runner());
        QCOMPARE(panes.question, QStringLiteral("\r\n\r\nWhat is x?"));
        QCOMPARE(session.currentText, QString());
        QCOMPARE(session.textBuffer, panes.question);

        cmdNextQuestion_Click(session, panes, platform, routines.runner());
        QCOMPARE(panes.question, QStringLiteral("\r\n\r\nWhat is x?\r\n\r\nWhy?"));

        // What the student did to the pane stays: it is taken as it stands.
        panes.question = QStringLiteral("my own scribble");
        cmdNextQuestion_Click(session, panes, platform, routines.runner());
        QCOMPARE(panes.question, QStringLiteral("my own scribble\r\n\r\nStep 1\r\nStep 2"));
        // The line is kept for the records as the bank has it.
        QCOMPARE(session.currentLine, QStringLiteral("Step 1{}Step 2"));
        QVERIFY(routines.names.isEmpty());
        QVERIFY(!platform.ended);
    }

    void aRoutineLineDrawsAndTheNextLineShows()
    {
        SessionState session =
            sessionOn({"`routine graph2", "After the figure", "`Routine  Graph-3", "`qSecond",
                       "`routine graph1", "`routine graph2", "`routine", "End"});
        FakePanes panes;
        FakePlatform platform;
        RecordingRoutines routines{{}, &platform};

        cmdNextQuestion_Click(session, panes, platform, routines.runner());
        QCOMPARE(routines.names, QStringList{"graph2"});
        QCOMPARE(panes.question, QStringLiteral("\r\n\r\nAfter the figure"));

        // Capitals and two spaces: the ninth character goes, the rest is cleaned.
        panes.question.clear();
        cmdNextQuestion_Click(session, panes, platform, routines.runner());
        QCOMPARE(routines.names, (QStringList{"graph2", "graph3"}));
        QCOMPARE(panes.question, QStringLiteral("\r\n\r\nSecond"));
        QCOMPARE(session.itemKind, QStringLiteral("question"));

        // One routine per click: the second routine line is shown as text.
        panes.question.clear();
        cmdNextQuestion_Click(session, panes, platform, routines.runner());
        QCOMPARE(routines.names, (QStringList{"graph2", "graph3", "graph1"}));
        QCOMPARE(panes.question, QStringLiteral("\r\n\r\n`routine graph2"));

        // The marker alone, eight characters, is text as well.
        panes.question.clear();
        cmdNextQuestion_Click(session, panes, platform, routines.runner());
        QCOMPARE(routines.names.size(), 3);
        QCOMPARE(panes.question, QStringLiteral("\r\n\r\n`routine"));
        QVERIFY(!platform.ended);
    }

    void aRoutineThatEndsTheProgramLeavesThePane()
    {
        // Nine characters: the empty name, which no figure has.
        SessionState session = sessionOn({"`routine ", "never shown"});
        FakePanes panes;
        panes.question = QStringLiteral("before");
        FakePlatform platform;
        RecordingRoutines routines{{}, &platform};
        cmdNextQuestion_Click(session, panes, platform, routines.runner());
        QCOMPARE(routines.names, QStringList{QString()});
        QVERIFY(platform.ended);
        QCOMPARE(panes.question, QStringLiteral("before"));
        QCOMPARE(session.bankIndex, 2);
    }

    void aRoutineLineLastBeforeTheNextHeaderDrawsThenEnds()
    {
        SessionState session = sessionOn({"`routine graph1", "", "002.  `query 2"});
        FakePanes panes;
        panes.question = QStringLiteral("before");
        FakePlatform platform;
        RecordingRoutines routines{{}, &platform};
        cmdNextQuestion_Click(session, panes, platform, routines.runner());
        QCOMPARE(routines.names, QStringList{"graph1"});
        QVERIFY(platform.ended);
        QCOMPARE(platform.exitStatus, 0);
        QCOMPARE(panes.question, QStringLiteral("before"));
    }

    void aWholeAssignmentIsSteppedToTheNextHeader()
    {
        LoadedWindow w;
        QVERIFY(w.load(QStringLiteral("5")));
        QueryForm &form = w.form;
        FakePlatform &platform = w.platform;

        const int header = w.indexOfLineStarting(QStringLiteral("005."));
        const int nextHeader = w.indexOfLineStarting(QStringLiteral("006."));
        QVERIFY(header > 0);
        QVERIFY(nextHeader > header);
        QCOMPARE(form.session().bankIndex, header);

        QStringList items;
        for (int i = header + 1; i < nextHeader; ++i) {
            const QString text = shownText(form.session().questionBank.at(i));
            if (!text.isEmpty())
                items.append(text);
        }
        QVERIFY(!items.isEmpty());

        QString expected;
        for (const QString &item : items) {
            form.cmdNextQuestion_Click();
            QVERIFY(!platform.ended);
            expected += QStringLiteral("\r\n\r\n") + bracesToNewlines(item);
            QCOMPARE(form.panes().questionText(), expected);
        }
        QVERIFY(form.session().bankIndex < nextHeader);

        // The click after the last item meets 006's header and ends the run;
        // the header is never shown.
        form.cmdNextQuestion_Click();
        QVERIFY(platform.ended);
        QCOMPARE(platform.exitStatus, 0);
        QCOMPARE(form.session().bankIndex, nextHeader);
        QCOMPARE(form.panes().questionText(), expected);
        QCOMPARE(platform.fatalErrors, QStringList());
    }

    void theLastAssignmentRunsIntoTheEndOfTheBank()
    {
        LoadedWindow w;
        QVERIFY(w.load(QStringLiteral("32")));
        QueryForm &form = w.form;
        FakePlatform &platform = w.platform;
        const int header = w.indexOfLineStarting(QStringLiteral("032."));
        QCOMPARE(form.session().bankIndex, header);
        QCOMPARE(w.indexOfLineStarting(QStringLiteral("033")), -1);

        int items = 0;
        for (int i = header + 1; i <= QuestionBank::lastIndex; ++i)
            items += shownText(form.session().questionBank.at(i)).isEmpty() ? 0 : 1;
        QVERIFY(items > 0);

        int clicks = 0;
        while (!platform.ended && clicks <= items) {
            form.cmdNextQuestion_Click();
            ++clicks;
        }
        QVERIFY(platform.ended);
        QCOMPARE(platform.exitStatus, 0);
        QCOMPARE(clicks, items + 1);
        QCOMPARE(form.session().bankIndex, QuestionBank::lastIndex);
    }
};

QTEST_MAIN(TestNextQuestion)
#include "tst_next_question.moc"

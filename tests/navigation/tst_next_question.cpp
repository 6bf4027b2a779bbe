#include "support/loaded_window.h"
#include "support/record_session.h"

#include <QtTest>

namespace {

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
        auto row = [](const char *name, const char *in, const char *out) {
            QTest::newRow(name) << QString::fromLatin1(in) << QString::fromLatin1(out);
        };
        row("empty", "", "");
        row("one character", "{", "{");
        row("closing alone", "}", "}");
        row("pair", "Step 1{}Step 2", "Step 1\r\nStep 2");
        row("nested", "{{}}", "{\r\n}");
        row("extra closing", "{}}", "\r\n}");
        row("reversed", "}{", "}{");
        row("two pairs", "a{}{}b", "a\r\n\r\nb");
        row("at the end", "last{}", "last\r\n");
        row("spaced", "{ }", "{ }");
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
        RecordSession s("1", {"`qWhat is x?", "", "`aWhy?", "Step 1{}Step 2"});
        RecordingRoutines routines{{}, &s.platform};

        s.next(routines.runner());
        QCOMPARE(s.panes.question, QStringLiteral("\r\n\r\nWhat is x?"));
        QCOMPARE(s.session.currentText, QString());
        QCOMPARE(s.session.textBuffer, s.panes.question);

        s.next(routines.runner());
        QCOMPARE(s.panes.question, QStringLiteral("\r\n\r\nWhat is x?\r\n\r\nWhy?"));

        // What the student did to the pane stays: it is taken as it stands.
        s.panes.question = QStringLiteral("my own scribble");
        s.next(routines.runner());
        QCOMPARE(s.panes.question, QStringLiteral("my own scribble\r\n\r\nStep 1\r\nStep 2"));
        // The line is kept for the records as the bank has it.
        QCOMPARE(s.session.currentLine, QStringLiteral("Step 1{}Step 2"));
        QVERIFY(routines.names.isEmpty());
        QVERIFY(!s.platform.ended);
    }

    void aRoutineLineDrawsAndTheNextLineShows()
    {
        RecordSession s("1", {"`routine graph2", "After the figure", "`Routine  Graph-3",
                              "`qSecond", "`routine graph1", "`routine graph2", "`routine", "End"});
        RecordingRoutines routines{{}, &s.platform};

        s.next(routines.runner());
        QCOMPARE(routines.names, QStringList{"graph2"});
        QCOMPARE(s.panes.question, QStringLiteral("\r\n\r\nAfter the figure"));

        // Capitals and two spaces: the ninth character goes, the rest is cleaned.
        s.panes.question.clear();
        s.next(routines.runner());
        QCOMPARE(routines.names, (QStringList{"graph2", "graph3"}));
        QCOMPARE(s.panes.question, QStringLiteral("\r\n\r\nSecond"));
        QCOMPARE(s.session.itemKind, QStringLiteral("question"));

        // One routine per click: the second routine line is shown as text.
        s.panes.question.clear();
        s.next(routines.runner());
        QCOMPARE(routines.names, (QStringList{"graph2", "graph3", "graph1"}));
        QCOMPARE(s.panes.question, QStringLiteral("\r\n\r\n`routine graph2"));

        // The marker alone, eight characters, is text as well.
        s.panes.question.clear();
        s.next(routines.runner());
        QCOMPARE(routines.names.size(), 3);
        QCOMPARE(s.panes.question, QStringLiteral("\r\n\r\n`routine"));
        QVERIFY(!s.platform.ended);
    }

    // A routine that ends the program, or the next header after a routine
    // line, ends the click with the pane as it was.
    void anEndAfterARoutineLineLeavesThePane_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("routine");
        QTest::addColumn<int>("position");
        // Nine characters: the empty name, which no figure has.
        QTest::newRow("unknown routine") << QStringList{"`routine ", "never shown"} << "" << 2;
        QTest::newRow("next header")
            << QStringList{"`routine graph1", "", "002.  `query 2"} << "graph1" << 4;
    }

    void anEndAfterARoutineLineLeavesThePane()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, routine);
        QFETCH(int, position);
        RecordSession s("1", lines);
        s.panes.question = QStringLiteral("before");
        RecordingRoutines routines{{}, &s.platform};
        s.next(routines.runner());
        QCOMPARE(routines.names, QStringList{routine});
        QVERIFY(s.platform.ended);
        QCOMPARE(s.platform.exitStatus, 0);
        QCOMPARE(s.panes.question, QStringLiteral("before"));
        QCOMPARE(s.session.bankIndex, position);
    }

    void aWholeAssignmentIsSteppedToTheNextHeader()
    {
        LoadedWindow w;
        QVERIFY(w.load(QStringLiteral("5")));

        const int header = w.indexOfLineStarting(QStringLiteral("005."));
        const int nextHeader = w.indexOfLineStarting(QStringLiteral("006."));
        QVERIFY(header > 0);
        QVERIFY(nextHeader > header);
        QCOMPARE(w.session().bankIndex, header);

        QStringList items;
        for (int i = header + 1; i < nextHeader; ++i) {
            const QString text = shownText(w.session().questionBank.at(i));
            if (!text.isEmpty())
                items.append(text);
        }
        QVERIFY(!items.isEmpty());

        QString expected;
        for (const QString &item : items) {
            w.form.cmdNextQuestion_Click();
            QVERIFY(!w.platform.ended);
            expected += QStringLiteral("\r\n\r\n") + bracesToNewlines(item);
            QCOMPARE(w.form.panes().questionText(), expected);
        }
        QVERIFY(w.session().bankIndex < nextHeader);

        // The click after the last item meets 006's header and ends the run;
        // the header is never shown.
        w.form.cmdNextQuestion_Click();
        QVERIFY(w.platform.ended);
        QCOMPARE(w.platform.exitStatus, 0);
        QCOMPARE(w.session().bankIndex, nextHeader);
        QCOMPARE(w.form.panes().questionText(), expected);
        QCOMPARE(w.platform.fatalErrors, QStringList());
    }

    void theLastAssignmentRunsIntoTheEndOfTheBank()
    {
        LoadedWindow w;
        QVERIFY(w.load(QStringLiteral("32")));
        const int header = w.indexOfLineStarting(QStringLiteral("032."));
        QCOMPARE(w.session().bankIndex, header);
        QCOMPARE(w.indexOfLineStarting(QStringLiteral("033")), -1);

        int items = 0;
        for (int i = header + 1; i <= QuestionBank::lastIndex; ++i)
            items += shownText(w.session().questionBank.at(i)).isEmpty() ? 0 : 1;
        QVERIFY(items > 0);

        int clicks = 0;
        while (!w.platform.ended && clicks <= items) {
            w.form.cmdNextQuestion_Click();
            ++clicks;
        }
        QVERIFY(w.platform.ended);
        QCOMPARE(w.platform.exitStatus, 0);
        QCOMPARE(clicks, items + 1);
        QCOMPARE(w.session().bankIndex, QuestionBank::lastIndex);
    }
};

QTEST_MAIN(TestNextQuestion)
#include "tst_next_question.moc"

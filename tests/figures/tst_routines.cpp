#include "figure_checks.h"
#include "figures/graphs.h"

#include <QPushButton>
#include <QtTest>

using namespace FigureChecks;

namespace {

// What a command is expected to leave in Picture1.
enum class Outcome
{
    Nothing,
    Graph1,
    Graph2,
    Graph3,
    Ends,
    ShownAsText
};

// What a fresh Picture1 shows after the figures named, in order.
QImage drawnByNames(const QString &names)
{
    const QHash<QString, Figure> byName = {
        {"graph1", graph1}, {"graph2", graph2}, {"graph3", graph3}};
    FigureWindow window;
    for (const QString &name : names.split(u' ', Qt::SkipEmptyParts))
        byName.value(name)(*window.picture1());
    return window.picture();
}

QImage pictureFor(Outcome outcome)
{
    // By the order of Outcome: the figure drawn, if any.
    const char *names[] = {"", "graph1", "graph2", "graph3", "", ""};
    return drawnByNames(QLatin1String(names[int(outcome)]));
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

class TestRoutines : public QObject
{
    Q_OBJECT

private slots:
    // next picture looks at the two lines after the reader's position: it
    // draws each routine line among them and moves onto the last one drawn.
    void nextPictureClickByClick_data()
    {
        // The reader's position, the lines after it, and for each click the
        // position and the figures drawn so far.
        QTest::addColumn<int>("start");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("positions");
        QTest::addColumn<QStringList>("drawn");
        const QString g1 = QStringLiteral("`routine graph1");
        const QString g2 = QStringLiteral("`routine graph2");
        const QString g3 = QStringLiteral("`routine graph3");
        const QString text = QStringLiteral("`qA question");
        QTest::newRow("neither b+1 nor b+2")
            << 40 << QStringList{text, "", g3, g1} << QList<int>{40} << QStringList{""};
        QTest::newRow("b+2, not b+1")
            << 40 << QStringList{text, g2, text, g1} << QList<int>{42} << QStringList{"graph2"};
        QTest::newRow("b+1, not b+3")
            << 40 << QStringList{g3, g1, text, g2} << QList<int>{41} << QStringList{"graph3"};
        QTest::newRow("b+1 and b+3") << 40 << QStringList{g3, text, g1, g2} << QList<int>{43}
                                     << QStringList{"graph3 graph1"};
        QTest::newRow("two clicks for two routine lines")
            << 7 << QStringList{g3, g1, "plain text"} << QList<int>{8, 9, 9}
            << QStringList{"graph3", "graph3 graph1", "graph3 graph1"};
        // The second of three routine lines never comes up.
        QTest::newRow("three routine lines")
            << 7 << QStringList{g3, g2, g1, text} << QList<int>{10, 10}
            << QStringList{"graph3 graph1", "graph3 graph1"};
        // It looks no further than the bank.
        QTest::newRow("a routine line last in the bank")
            << 4999 << QStringList{g2} << QList<int>{5000, 5000} << QStringList{"graph2", "graph2"};
        QTest::newRow("plain text last in the bank")
            << 4999 << QStringList{"plain text"} << QList<int>{4999} << QStringList{""};
    }

    void nextPictureClickByClick()
    {
        QFETCH(int, start);
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, positions);
        QFETCH(QStringList, drawn);
        FigureWindow window;
        window.session().bankIndex = start;
        window.store(start + 1, lines);
        window.form.panes().setQuestionText(QStringLiteral("kept"));
        for (int click = 0; click < positions.size(); ++click) {
            window.click("cmd_next_picture");
            QVERIFY(!window.platform.ended);
            QCOMPARE(window.session().bankIndex, positions[click]);
            QCOMPARE(window.picture(), drawnByNames(drawn[click]));
        }
        QCOMPARE(window.form.panes().questionText(), QStringLiteral("kept"));
        QCOMPARE(window.form.panes().answerText(), QStringLiteral(" "));
    }

    void routineLineNamesThroughBothCommands_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<Outcome>("byNextPicture");
        QTest::addColumn<Outcome>("byNextQuestion");
        auto row = [](const char *name, const char *line, Outcome picture, Outcome question) {
            QTest::newRow(name) << QString::fromLatin1(line) << picture << question;
        };
        row("plain", "`routine graph1", Outcome::Graph1, Outcome::Graph1);
        row("graph2", "`routine graph2", Outcome::Graph2, Outcome::Graph2);
        row("capitals", "`ROUTINE GRAPH1", Outcome::Graph1, Outcome::Graph1);
        row("capitals, two blanks, hyphen", "`Routine  Graph-3", Outcome::Graph3, Outcome::Graph3);
        row("hyphen before the digit", "`routine graph-1", Outcome::Graph1, Outcome::Graph1);
        row("blank inside the name", "`routine gra ph1", Outcome::Graph1, Outcome::Graph1);
        row("ninth character x", "`routinexgraph3", Outcome::Graph3, Outcome::Graph3);
        row("name straight after the marker", "`routinegraph3", Outcome::Ends, Outcome::Ends);
        row("marker alone", "`routine", Outcome::Ends, Outcome::ShownAsText);
        row("marker and one blank", "`routine ", Outcome::Ends, Outcome::Ends);
        row("marker and one letter", "`routinex", Outcome::Ends, Outcome::Ends);
        row("unknown name", "`routine graph4", Outcome::Ends, Outcome::Ends);
        row("not a routine line", "`rout graph1", Outcome::Nothing, Outcome::ShownAsText);
    }

    void routineLineNamesThroughBothCommands()
    {
        QFETCH(QString, line);
        QFETCH(Outcome, byNextPicture);
        QFETCH(Outcome, byNextQuestion);

        {
            FigureWindow window;
            window.session().bankIndex = 1;
            window.store(1, {"001. First", line, "plain text", "", ""});
            window.click("cmd_next_picture");
            QCOMPARE(window.picture(), pictureFor(byNextPicture));
            QCOMPARE(window.platform.ended, byNextPicture == Outcome::Ends);
            if (window.platform.ended)
                QCOMPARE(window.platform.exitStatus, 0);
            const bool drawn = byNextPicture != Outcome::Nothing && byNextPicture != Outcome::Ends;
            QCOMPARE(window.session().bankIndex, drawn ? 2 : 1);
        }

        FigureWindow window;
        window.session().nextAssignmentNbr = QStringLiteral("002");
        window.session().bankIndex = 1;
        window.store(1, {"001. First", line, "`qWhat is x?", "002. Second"});
        window.form.cmdNextQuestion_Click();
        QCOMPARE(window.picture(), pictureFor(byNextQuestion));
        QCOMPARE(window.platform.ended, byNextQuestion == Outcome::Ends);
        const QString pane = window.form.panes().questionText();
        switch (byNextQuestion) {
        case Outcome::Ends:
            QCOMPARE(window.platform.exitStatus, 0);
            QCOMPARE(pane, QString());
            break;
        case Outcome::ShownAsText:
            QCOMPARE(pane, QStringLiteral("\r\n\r\n") + line);
            QCOMPARE(window.session().bankIndex, 2);
            break;
        default:
            // The routine line never reaches the pane; the line after it does.
            QCOMPARE(pane, QStringLiteral("\r\n\r\nWhat is x?"));
            QCOMPARE(window.session().bankIndex, 3);
        }
    }

    void aRoutineLineBeforeTheNextHeaderDrawsThenEnds()
    {
        FigureWindow window;
        window.session().nextAssignmentNbr = QStringLiteral("002");
        window.session().bankIndex = 1;
        window.store(1, {"001. First", "`routine graph2", "002. Second"});
        window.form.findChild<QPushButton *>(QStringLiteral("cmdNextQuestion"))->click();
        QCOMPARE(window.picture(), drawnBy({graph2}));
        QVERIFY(window.platform.ended);
        QCOMPARE(window.platform.exitStatus, 0);
        QCOMPARE(window.form.panes().questionText(), QString());
    }
};

QTEST_MAIN(TestRoutines)
#include "tst_routines.moc"

#include "app/query_form.h"
#include "records/record_texts.h"
#include "support/fake_platform.h"
#include "support/temp_home.h"

#include <QPushButton>
#include <QtTest>

// What the student typed and the program drops without a record is kept in
// drafts_.txt, exactly; what holds nothing of theirs is not.
class TestRescue : public QObject
{
    Q_OBJECT

private slots:
    void droppedTextIsKept_data();
    void droppedTextIsKept();
};

void TestRescue::droppedTextIsKept_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason"); // empty: nothing is kept
    const QString text = QStringLiteral("x = 3\r\nbecause \u00e9");
    QTest::newRow("clear answer") << "cmd_clr_answer" << text << "clear answer";
    QTest::newRow("quit") << "cmd_quit" << text << "quit program";
    QTest::newRow("window closed") << "close" << text << "window closed";
    QTest::newRow("next question") << "cmdNextQuestion" << text << "next question";
    QTest::newRow("instructions") << "cmd_clr_answer" << RecordTexts::notesLabel << "";
    QTest::newRow("one space") << "cmd_quit"
                               << " "
                               << "";
    QTest::newRow("empty") << "cmd_quit"
                           << ""
                           << "";
    QTest::newRow("failed response, then quit")
        << "response then quit" << text << "response not recorded";
}

void TestRescue::droppedTextIsKept()
{
    QFETCH(QString, button);
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    TempHome home;
    FakePlatform platform;
    platform.replies = {"Ann", "", "1"};
    QueryForm form(platform);
    QVERIFY(form.Form_Load());
    QVERIFY(platform.problems.isEmpty());
    const QByteArray master = home.read("kestrafo/masterFile.txt");
    form.cmdNextQuestion_Click(); // the first item; the next step resets the pane
    const QString answer = typed == RecordTexts::notesLabel ? form.session().responsePrompt : typed;
    form.panes().setAnswerText(answer);
    const QString item = form.session().currentLine; // the item the text answers

    if (button == QLatin1String("close")) {
        form.show();
        form.close();
    } else if (button == QLatin1String("response then quit")) {
        // The master file is a folder now: the response cannot be written.
        QDir(home.kestrafoFolder()).rename("masterFile.txt", "kept.txt");
        QDir(home.kestrafoFolder()).mkdir("masterFile.txt");
        platform.replies = {"2"};
        form.cmd_enter_response_Click();
        QCOMPARE(platform.problems.size(), 1);
        QCOMPARE(form.panes().answerText(), answer);
        form.cmd_quit_Click();
    } else {
        form.findChild<QPushButton *>(button)->click();
    }

    const QByteArray drafts = home.read("kestrafo/drafts_.txt");
    if (reason.isEmpty()) {
        QCOMPARE(drafts, QByteArray());
        return;
    }
    const QByteArray rule = "......!!!!!!!!...................................";
    const QByteArray expected = rule + "\r\n" + QByteArray(36, ' ') + "14:03:27\r\n" +
                                QByteArray(36, ' ') + "12-07-202614:03:27\r\n" + item.toLatin1() +
                                "\r\n" + rule + "\r\n" + "KEPT --------> " + reason.toLatin1() +
                                ", " + QByteArray::number(typed.size()) + " characters\r\n" +
                                typed.toLatin1() + "\r\n" + QByteArray(49, '.') + "\r\n";
    QCOMPARE(drafts, expected);
    if (button == QLatin1String("cmdNextQuestion"))
        QCOMPARE(form.panes().answerText(), form.session().responsePrompt);
    if (button != QLatin1String("response then quit"))
        QCOMPARE(home.read("kestrafo/masterFile.txt"), master);
}

QTEST_MAIN(TestRescue)
#include "tst_rescue.moc"

#include "figures/picture_box.h"
#include "support/loaded_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

class TestQueryForm : public QObject
{
    Q_OBJECT

private slots:
    void everyControlSitsAtItsPlaceWithItsCaption_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        auto row = [](const char *name, const char *caption, int l, int t, int w, int h) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption)
                                << QRect(l, t, w, h);
        };
        row("cmdNextQuestion", "Next Question / Answer", 240, 0, 975, 735);
        row("cmd_display_note_file", "display notes", 2400, 240, 135, 495);
        row("cmd_displayCumulativeText", "display SEND file", 4440, 240, 915, 495);
        row("cmd_enter_response", "Enter Response", 5640, 240, 855, 495);
        row("cmd_save_as_notes", "Save as Notes", 6480, 240, 855, 495);
        row("cmd_clr_answer", "clear answer", 8880, 240, 735, 495);
        row("cmd_quit", "quit program", 10200, 0, 735, 495);
        row("txt_question", "", 240, 720, 5175, 3255);
        row("txt_answer", " ", 5640, 720, 5055, 3255);
        row("Picture1", "", 240, 4080, 5175, 3375);
        row("Picture2", "", 5640, 4080, 5055, 3375);
        row("lbl_only_if_prompted", "click only if prompted", 240, 7560, 855, 495);
        row("cmd_next_picture", "next picture", 1200, 7560, 855, 495);
        row("cmd_copy_picture", "copy picture", 1200, 8160, 855, 495);
        row("cmd_timerTrigger", "Trigger Timer", 2400, 7560, 735, 495);
        row("List1", "", 3120, 7680, 1695, 840);
        row("lbl_parameter_0", "Parameter 1", 5640, 7680, 900, 195);
        row("txt_parameter_0", "1", 6720, 7680, 300, 285);
        row("lbl_parameter_1", "Parameter 2", 5640, 8160, 855, 195);
        row("txt_parameter_1", "1", 6720, 8160, 300, 285);
        row("lbl_parameter_2", "Parameter 3", 7200, 7680, 1005, 195);
        row("txt_parameter_2", "1", 8205, 7680, 300, 285);
        row("lbl_parameter_3", "Parameter 4", 7200, 8160, 900, 195);
        row("txt_parameter_3", "1", 8205, 8160, 300, 285);
        row("cmd_pend_exp", "pend exp", 8640, 7560, 495, 375);
    }

    void everyControlSitsAtItsPlaceWithItsCaption()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        ScriptedWindow w;
        auto *control = w.control<QWidget>(name);
        QVERIFY2(control, qPrintable(name));
        const QRect pixels(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
        QCOMPARE(control->geometry(), pixels);
        QVERIFY(control->isEnabled());
        if (auto *button = qobject_cast<QPushButton *>(control)) {
            QCOMPARE(button->text(), caption);
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        } else if (auto *label = qobject_cast<QLabel *>(control)) {
            QCOMPARE(label->text(), caption);
        } else if (auto *box = qobject_cast<QLineEdit *>(control)) {
            QCOMPARE(box->text(), caption);
        } else if (auto *pane = qobject_cast<QPlainTextEdit *>(control)) {
            QCOMPARE(pane->toPlainText(), caption);
            QCOMPARE(pane->font().family(), QStringLiteral("Arial"));
            QCOMPARE(pane->font().pointSizeF(), 9.75);
            QCOMPARE(pane->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        }
    }

    void theWindowIsForm1WithItsClientAreaAndAnIdleTimer()
    {
        ScriptedWindow w;
        QCOMPARE(w.form.windowTitle(), QStringLiteral("Form1"));
        QCOMPARE(w.form.size(), QSize(725, 573));
        QVERIFY(!w.form.pendExpTimer().isActive());
        QCOMPARE(w.form.pendExpTimer().interval(), 15);
        QCOMPARE(w.control<QListWidget>("List1")->count(), 0);
        const QImage picture = w.form.picture1()->picture();
        QCOMPARE(picture.pixelColor(picture.width() / 2, picture.height() / 2), QColor(Qt::white));
    }

    void tabOrderFollowsTheTabIndexesFromTheQuestionPane()
    {
        ScriptedWindow w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QCOMPARE(QApplication::focusWidget(), w.control<QWidget>("txt_question"));
        // Every stop of the tab indexes 1 to 24, and round to the start; the
        // labels take no focus.
        const QStringList expected = {"txt_answer",
                                      "cmdNextQuestion",
                                      "cmd_enter_response",
                                      "Picture1",
                                      "Picture2",
                                      "cmd_save_as_notes",
                                      "cmd_timerTrigger",
                                      "List1",
                                      "txt_parameter_0",
                                      "txt_parameter_1",
                                      "txt_parameter_2",
                                      "txt_parameter_3",
                                      "cmd_displayCumulativeText",
                                      "cmd_display_note_file",
                                      "cmd_quit",
                                      "cmd_pend_exp",
                                      "cmd_next_picture",
                                      "cmd_copy_picture",
                                      "cmd_clr_answer",
                                      "txt_question"};
        for (const QString &name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }

        // A picture box that has the focus shows it on the screen, not in its picture.
        PictureBox *box = w.form.picture1();
        const QImage picture = box->picture();
        box->setFocus();
        const QImage focused = box->grab().toImage();
        w.control<QWidget>("txt_question")->setFocus();
        const QImage unfocused = box->grab().toImage();
        QVERIFY(focused != unfocused);
        QCOMPARE(box->picture(), picture);
    }

    void enterInAPaneStartsANewLineAndTheRestOfTheProgramSeesCrLf()
    {
        ScriptedWindow w;
        w.form.show();
        auto *answer = w.control<QPlainTextEdit>("txt_answer");
        answer->clear();
        answer->setFocus();
        QTest::keyClicks(answer, "one");
        QTest::keyClick(answer, Qt::Key_Return);
        QTest::keyClicks(answer, "two");
        QCOMPARE(w.form.panes().answerText(), QStringLiteral("one\r\ntwo"));
        QVERIFY(!w.platform.ended);

        w.form.panes().setQuestionText(QStringLiteral("\r\n\r\nline <b>x</b>\r\nnext"));
        QCOMPARE(w.control<QPlainTextEdit>("txt_question")->toPlainText(),
                 QStringLiteral("\n\nline <b>x</b>\nnext"));
        QCOMPARE(w.form.panes().questionText(), QStringLiteral("\r\n\r\nline <b>x</b>\r\nnext"));
    }

    void aLoneLfInAShownFileStaysACharacterOfItsLine()
    {
        LoadedWindow w;
        QDir().mkpath(w.home.kestrafoFolder());
        QFile send(w.home.kestrafoFolder() + QStringLiteral("/send_1207.txt"));
        QVERIFY(send.open(QIODevice::WriteOnly));
        send.write("one\ntwo\r\nthree\r\n");
        send.close();
        w.session().sendFilePath = QStringLiteral("c:\\kestrafo\\send_1207.txt");
        auto *pane = w.control<QPlainTextEdit>("txt_question");

        w.click("cmd_displayCumulativeText");
        QCOMPARE(pane->toPlainText(), QStringLiteral("\none\u240Atwo\nthree"));
        QCOMPARE(w.form.panes().questionText(), QStringLiteral("\r\none\ntwo\r\nthree"));
        // The second showing reads the first back from the pane.
        w.click("cmd_displayCumulativeText");
        QCOMPARE(w.form.panes().questionText(),
                 QStringLiteral("\r\none\ntwo\r\nthree\r\none\ntwo\r\nthree"));
        QVERIFY(w.platform.problems.isEmpty());

        // The mark that a student types is no line feed.
        w.form.panes().setAnswerText(QStringLiteral("a\u240Ab"));
        QCOMPARE(w.form.panes().answerText(), QStringLiteral("a\u240Ab"));
    }

    void clearAnswerEmptiesOnlyTheAnswerPane()
    {
        LoadedWindow w;
        w.form.panes().setQuestionText(QStringLiteral("kept"));
        w.click("cmd_clr_answer");
        QCOMPARE(w.form.panes().answerText(), QString());
        QCOMPARE(w.form.panes().questionText(), QStringLiteral("kept"));
        w.click("cmd_clr_answer");
        QCOMPARE(w.form.panes().answerText(), QString());
        QCOMPARE(w.home.newEntries(), QStringList());
    }

    void controlsWithoutHandlersChangeNothing()
    {
        ScriptedWindow w;
        w.click("cmd_timerTrigger");
        w.control<QLineEdit>("txt_parameter_2")->setText("42");
        QCOMPARE(w.form.panes().answerText(), QStringLiteral(" "));
        QCOMPARE(w.form.panes().questionText(), QString());
        QVERIFY(!w.platform.ended);
        QVERIFY(w.platform.promptsAsked.isEmpty());
    }

    void quitAndClosingEndTheProgramWithoutAsking()
    {
        LoadedWindow w;
        QVERIFY(w.load(QStringLiteral("1")));
        for (const PictureBox *box : {w.form.picture1(), w.form.picture2()}) {
            QCOMPARE(box->scaleWidth(), 1000.0);
            QCOMPARE(box->scaleHeight(), 1000.0);
        }
        const QByteArray master = w.master();
        w.click("cmd_quit");
        QVERIFY(w.platform.ended);
        QCOMPARE(w.platform.exitStatus, 0);
        QCOMPARE(w.platform.promptsAsked.size(), 3);
        QCOMPARE(w.master(), master);

        ScriptedWindow closing;
        closing.form.show();
        closing.form.close();
        QVERIFY(closing.platform.ended);
        QCOMPARE(closing.platform.exitStatus, 0);
    }

    void resizingLeavesTheControlsWhereTheyWere()
    {
        ScriptedWindow w;
        w.form.show();
        w.form.resize(300, 200);
        QCOMPARE(w.control<QWidget>("cmd_quit")->geometry(), QRect(680, 0, 49, 33));
        w.form.resize(1000, 800);
        QCOMPARE(w.control<QWidget>("Picture2")->geometry(), QRect(376, 272, 337, 225));
    }
};

QTEST_MAIN(TestQueryForm)
#include "tst_query_form.moc"

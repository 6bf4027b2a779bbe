#include "app/query_form.h"
#include "figures/picture_box.h"
#include "support/fake_platform.h"
#include "support/temp_home.h"

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
        FakePlatform platform;
        QueryForm form(platform);
        auto *control = form.findChild<QWidget *>(name);
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
        FakePlatform platform;
        QueryForm form(platform);
        QCOMPARE(form.windowTitle(), QStringLiteral("Form1"));
        QCOMPARE(form.size(), QSize(725, 573));
        QVERIFY(!form.pendExpTimer().isActive());
        QCOMPARE(form.pendExpTimer().interval(), 15);
        QCOMPARE(form.findChild<QListWidget *>("List1")->count(), 0);
        const QImage picture = form.picture1()->picture();
        QCOMPARE(picture.pixelColor(picture.width() / 2, picture.height() / 2), QColor(Qt::white));
    }

    void tabOrderFollowsTheTabIndexesFromTheQuestionPane()
    {
        FakePlatform platform;
        QueryForm form(platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), form.findChild<QWidget *>("txt_question"));
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
        PictureBox *box = form.picture1();
        const QImage picture = box->picture();
        box->setFocus();
        const QImage focused = box->grab().toImage();
        form.findChild<QWidget *>("txt_question")->setFocus();
        const QImage unfocused = box->grab().toImage();
        QVERIFY(focused != unfocused);
        QCOMPARE(box->picture(), picture);
    }

    void enterInAPaneStartsANewLineAndTheRestOfTheProgramSeesCrLf()
    {
        FakePlatform platform;
        QueryForm form(platform);
        form.show();
        auto *answer = form.findChild<QPlainTextEdit *>("txt_answer");
        answer->clear();
        answer->setFocus();
        QTest::keyClicks(answer, "one");
        QTest::keyClick(answer, Qt::Key_Return);
        QTest::keyClicks(answer, "two");
        QCOMPARE(form.panes().answerText(), QStringLiteral("one\r\ntwo"));
        QVERIFY(!platform.ended);

        form.panes().setQuestionText(QStringLiteral("\r\n\r\nline <b>x</b>\r\nnext"));
        QCOMPARE(form.findChild<QPlainTextEdit *>("txt_question")->toPlainText(),
                 QStringLiteral("\n\nline <b>x</b>\nnext"));
        QCOMPARE(form.panes().questionText(), QStringLiteral("\r\n\r\nline <b>x</b>\r\nnext"));
    }

    void aLoneLfInAShownFileStaysACharacterOfItsLine()
    {
        TempHome home;
        QDir().mkpath(home.kestrafoFolder());
        QFile send(home.kestrafoFolder() + QStringLiteral("/send_1207.txt"));
        QVERIFY(send.open(QIODevice::WriteOnly));
        send.write("one\ntwo\r\nthree\r\n");
        send.close();
        FakePlatform platform;
        QueryForm form(platform);
        form.session().sendFilePath = QStringLiteral("c:\\kestrafo\\send_1207.txt");
        auto *pane = form.findChild<QPlainTextEdit *>("txt_question");

        form.findChild<QPushButton *>("cmd_displayCumulativeText")->click();
        QCOMPARE(pane->toPlainText(), QStringLiteral("\none\u240Atwo\nthree"));
        QCOMPARE(form.panes().questionText(), QStringLiteral("\r\none\ntwo\r\nthree"));
        // The second showing reads the first back from the pane.
        form.findChild<QPushButton *>("cmd_displayCumulativeText")->click();
        QCOMPARE(form.panes().questionText(),
                 QStringLiteral("\r\none\ntwo\r\nthree\r\none\ntwo\r\nthree"));
        QVERIFY(platform.problems.isEmpty());

        // The mark that a student types is no line feed.
        form.panes().setAnswerText(QStringLiteral("a\u240Ab"));
        QCOMPARE(form.panes().answerText(), QStringLiteral("a\u240Ab"));
    }

    void clearAnswerEmptiesOnlyTheAnswerPane()
    {
        TempHome home;
        FakePlatform platform;
        QueryForm form(platform);
        form.panes().setQuestionText(QStringLiteral("kept"));
        form.findChild<QPushButton *>("cmd_clr_answer")->click();
        QCOMPARE(form.panes().answerText(), QString());
        QCOMPARE(form.panes().questionText(), QStringLiteral("kept"));
        form.findChild<QPushButton *>("cmd_clr_answer")->click();
        QCOMPARE(form.panes().answerText(), QString());
        QVERIFY(QDir(home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }

    void controlsWithoutHandlersChangeNothing()
    {
        FakePlatform platform;
        QueryForm form(platform);
        form.findChild<QPushButton *>("cmd_timerTrigger")->click();
        form.findChild<QLineEdit *>("txt_parameter_2")->setText("42");
        QCOMPARE(form.panes().answerText(), QStringLiteral(" "));
        QCOMPARE(form.panes().questionText(), QString());
        QVERIFY(!platform.ended);
        QVERIFY(platform.promptsAsked.isEmpty());
    }

    void quitAndClosingEndTheProgramWithoutAsking()
    {
        TempHome home;
        FakePlatform platform;
        platform.replies = {"Ann", "", "1"};
        QueryForm form(platform);
        QVERIFY(form.Form_Load());
        for (const PictureBox *box : {form.picture1(), form.picture2()}) {
            QCOMPARE(box->scaleWidth(), 1000.0);
            QCOMPARE(box->scaleHeight(), 1000.0);
        }
        const QByteArray master = home.read("kestrafo/masterFile.txt");
        form.findChild<QPushButton *>("cmd_quit")->click();
        QVERIFY(platform.ended);
        QCOMPARE(platform.exitStatus, 0);
        QCOMPARE(platform.promptsAsked.size(), 3);
        QCOMPARE(home.read("kestrafo/masterFile.txt"), master);

        FakePlatform other;
        QueryForm closing(other);
        closing.show();
        closing.close();
        QVERIFY(other.ended);
        QCOMPARE(other.exitStatus, 0);
    }

    void resizingLeavesTheControlsWhereTheyWere()
    {
        FakePlatform platform;
        QueryForm form(platform);
        form.show();
        form.resize(300, 200);
        QCOMPARE(form.findChild<QWidget *>("cmd_quit")->geometry(), QRect(680, 0, 49, 33));
        form.resize(1000, 800);
        QCOMPARE(form.findChild<QWidget *>("Picture2")->geometry(), QRect(376, 272, 337, 225));
    }
};

QTEST_MAIN(TestQueryForm)
#include "tst_query_form.moc"

#include "figures/picture_box.h"
#include "support/loaded_window.h"
#include "support/record_session.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <algorithm>

namespace {

// The window as the course lays it out: each control's caption or starting
// text, its place in twips and its tab index.
struct CourseControl
{
    const char *name;
    const char *caption;
    QRect twips;
    int tabIndex;
};

const CourseControl courseControls[] = {
    {"cmdNextQuestion", "Next Question / Answer", {240, 0, 975, 735}, 2},
    {"cmd_display_note_file", "display notes", {2400, 240, 135, 495}, 18},
    {"cmd_displayCumulativeText", "display SEND file", {4440, 240, 915, 495}, 17},
    {"cmd_enter_response", "Enter Response", {5640, 240, 855, 495}, 3},
    {"cmd_save_as_notes", "Save as Notes", {6480, 240, 855, 495}, 6},
    {"cmd_clr_answer", "clear answer", {8880, 240, 735, 495}, 24},
    {"cmd_quit", "quit program", {10200, 0, 735, 495}, 19},
    {"txt_question", "", {240, 720, 5175, 3255}, 0},
    {"txt_answer", " ", {5640, 720, 5055, 3255}, 1},
    {"Picture1", "", {240, 4080, 5175, 3375}, 4},
    {"Picture2", "", {5640, 4080, 5055, 3375}, 5},
    {"lbl_only_if_prompted", "click only if prompted", {240, 7560, 855, 495}, 22},
    {"cmd_next_picture", "next picture", {1200, 7560, 855, 495}, 21},
    {"cmd_copy_picture", "copy picture", {1200, 8160, 855, 495}, 23},
    {"cmd_timerTrigger", "Trigger Timer", {2400, 7560, 735, 495}, 7},
    {"List1", "", {3120, 7680, 1695, 840}, 8},
    {"lbl_parameter_0", "Parameter 1", {5640, 7680, 900, 195}, 9},
    {"txt_parameter_0", "1", {6720, 7680, 300, 285}, 10},
    {"lbl_parameter_1", "Parameter 2", {5640, 8160, 855, 195}, 11},
    {"txt_parameter_1", "1", {6720, 8160, 300, 285}, 12},
    {"lbl_parameter_2", "Parameter 3", {7200, 7680, 1005, 195}, 13},
    {"txt_parameter_2", "1", {8205, 7680, 300, 285}, 14},
    {"lbl_parameter_3", "Parameter 4", {7200, 8160, 900, 195}, 15},
    {"txt_parameter_3", "1", {8205, 8160, 300, 285}, 16},
    {"cmd_pend_exp", "pend exp", {8640, 7560, 495, 375}, 20},
};

} // namespace

class TestQueryForm : public QObject
{
    Q_OBJECT

private slots:
    void everyControlSitsAtItsPlaceWithItsCaption_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        for (const CourseControl &control : courseControls)
            QTest::newRow(control.name) << QString::fromLatin1(control.name)
                                        << QString::fromLatin1(control.caption) << control.twips;
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
        QVERIFY(!w.pendExpTimer().isActive());
        QCOMPARE(w.pendExpTimer().interval(), 15);
        QCOMPARE(w.control<QListWidget>("List1")->count(), 0);
        const QImage picture = w.picture1()->picture();
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
        QList<CourseControl> byTabIndex(std::begin(courseControls), std::end(courseControls));
        std::ranges::sort(byTabIndex, {}, &CourseControl::tabIndex);
        QStringList expected;
        for (const CourseControl &control : byTabIndex) {
            if (!QByteArray(control.name).startsWith("lbl_"))
                expected.append(QString::fromLatin1(control.name));
        }
        expected.append(expected.takeFirst());
        for (const QString &name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }

        // A picture box that has the focus shows it on the screen, not in its picture.
        PictureBox *box = w.picture1();
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

    // After the next item or a file shown, the first line of what was added
    // is at the top of the question pane's view, or the pane is scrolled as
    // far down as it goes with that line in sight.
    void theNewestTextIsInView_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("addedLines"); // of the item or of the file shown
        QTest::addColumn<bool>("atTop");
        QTest::newRow("long item") << "cmdNextQuestion" << 40 << true;
        QTest::newRow("short item") << "cmdNextQuestion" << 2 << false;
        QTest::newRow("notes") << "cmd_display_note_file" << 60 << true;
        QTest::newRow("SEND file") << "cmd_displayCumulativeText" << 60 << true;
        QTest::newRow("short SEND file") << "cmd_displayCumulativeText" << 2 << false;
    }

    void theNewestTextIsInView()
    {
        QFETCH(QString, button);
        QFETCH(int, addedLines);
        QFETCH(bool, atTop);
        LoadedWindow w;
        QVERIFY(w.load(QStringLiteral("5")));
        QStringList lines;
        for (int i = 1; i <= addedLines; ++i)
            lines += QStringLiteral("line %1 of what is added").arg(i);
        const QStringList shortItems(12, QStringLiteral("`qA short question{}on two lines"));
        positionAfterHeader(w.session(), QStringLiteral("005."),
                            shortItems + QStringList{"`q" + lines.join(QStringLiteral("{}"))});
        const QByteArray file = (lines.join(QStringLiteral("\r\n")) + "\r\n").toLatin1();
        for (const char *name : {"notes_.txt", "send_1207.txt"}) {
            QFile out(w.home.kestrafoFolder() + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(file);
        }
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        auto *pane = w.control<QPlainTextEdit>("txt_question");
        for (int i = 0; i < shortItems.size(); ++i)
            w.click("cmdNextQuestion");
        QVERIFY(pane->verticalScrollBar()->maximum() > 0);

        const QString before = w.form.panes().questionText();
        w.click(button);
        QString added = w.form.panes().questionText().mid(before.size());
        while (added.startsWith(QStringLiteral("\r\n")))
            added.remove(0, 2);
        QTextCursor top = pane->cursorForPosition(QPoint(1, 1));
        top.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
        QTextCursor first(pane->document());
        first.setPosition(pane->document()->characterCount() - 1 -
                          int(QString(added).replace(QStringLiteral("\r\n"), "\n").size()));
        if (atTop) {
            QVERIFY(!top.selectedText().isEmpty());
            QVERIFY2(added.startsWith(top.selectedText()), qPrintable(top.selectedText()));
            QCOMPARE(top.selectionStart(), first.position());
        } else {
            QCOMPARE(pane->verticalScrollBar()->value(), pane->verticalScrollBar()->maximum());
            QVERIFY(pane->viewport()->rect().contains(pane->cursorRect(first)));
        }
    }

    // While the answer pane holds exactly the instructions, what is typed,
    // pasted or dropped replaces them wherever the cursor was, and Ctrl+Z
    // brings them back; keys that only take away, and a pane that holds
    // anything else, work as always.
    void theInstructionsGiveWayToWhatIsTyped_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("instructions"); // in the pane before
        QTest::addColumn<QString>("after");     // empty: the instructions less their last character
        QTest::newRow("typed") << "type" << true << "x = 3 tan t";
        QTest::newRow("Enter") << "enter" << true << "\r\n";
        QTest::newRow("pasted") << "paste" << true << "\u03b8 \u2264 \u03c0/2";
        QTest::newRow("dropped") << "drop" << true << "\u03b8 \u2264 \u03c0/2";
        QTest::newRow("input method") << "compose" << true << "\u00e9";
        QTest::newRow("backspace") << "backspace" << true << "";
        QTest::newRow("other text") << "type" << false << "so farx = 3 tan t";
    }

    void theInstructionsGiveWayToWhatIsTyped()
    {
        QFETCH(QString, action);
        QFETCH(bool, instructions);
        QFETCH(QString, after);
        LoadedWindow w;
        QVERIFY(w.load(QStringLiteral("5")));
        w.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        const QString prompt = w.session().responsePrompt;
        const QString before = instructions ? prompt : QStringLiteral("so far");
        w.form.panes().setAnswerText(before);
        auto *pane = w.control<QPlainTextEdit>("txt_answer");
        pane->setFocus();
        const int at = int(before.size()) / 2;
        QTextCursor cursor = pane->textCursor();
        cursor.setPosition(instructions ? at : int(before.size()));
        pane->setTextCursor(cursor);
        const QString pasted = QStringLiteral("\u03b8 \u2264 \u03c0/2");
        QMimeData dropped;
        dropped.setText(pasted);
        const QPoint middle = pane->viewport()->rect().center();
        QInputMethodEvent composed;
        composed.setCommitString(QStringLiteral("\u00e9"));
        if (action == QLatin1String("type")) {
            QTest::keyClicks(pane, QStringLiteral("x = 3 tan t"));
        } else if (action == QLatin1String("enter")) {
            QTest::keyClick(pane, Qt::Key_Return);
        } else if (action == QLatin1String("paste")) {
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(pane, Qt::Key_V, Qt::ControlModifier);
        } else if (action == QLatin1String("drop")) {
            QDragEnterEvent enter(middle, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(pane->viewport(), &enter);
            QDropEvent drop(QPointF(middle), Qt::CopyAction, &dropped, Qt::LeftButton,
                            Qt::NoModifier);
            QApplication::sendEvent(pane->viewport(), &drop);
        } else if (action == QLatin1String("compose")) {
            QApplication::sendEvent(pane, &composed);
        } else {
            QTest::keyClick(pane, Qt::Key_Backspace);
        }
        QString expected = after;
        if (after.isEmpty()) {
            expected = QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            expected.remove(at - 1, 1);
            expected.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        }
        QCOMPARE(w.form.panes().answerText(), expected);
        QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
        if (instructions)
            QCOMPARE(w.form.panes().answerText(), prompt);
    }

    void clearAnswerEmptiesOnlyTheAnswerPane()
    {
        LoadedWindow w;
        QVERIFY(w.load(QStringLiteral("1")));
        // The working folder as start-up left it: every file and its bytes.
        const auto folder = [&w] {
            QStringList files;
            const QDir dir(w.home.kestrafoFolder());
            for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden))
                files << name + u'=' + QString::fromLatin1(w.home.read("kestrafo/" + name));
            return files;
        };
        const QStringList before = folder();
        QVERIFY(!before.isEmpty());
        w.form.panes().setQuestionText(QStringLiteral("kept"));
        w.click("cmd_clr_answer"); // the single space of start-up
        QCOMPARE(w.form.panes().answerText(), QString());
        QCOMPARE(w.form.panes().questionText(), QStringLiteral("kept"));
        w.click("cmd_clr_answer");
        QCOMPARE(w.form.panes().answerText(), QString());
        w.form.autosave().saveNow();
        QCOMPARE(folder(), before);
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
        for (const PictureBox *box : {w.picture1(), w.picture2()}) {
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

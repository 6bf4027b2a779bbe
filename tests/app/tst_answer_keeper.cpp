#include "storage/native_file_system.h"
#include "storage/native_path.h"
#include "storage/record_writer.h"
#include "support/autosave_files.h"
#include "support/cut_off_record.h"
#include "support/expected_record.h"
#include "support/faulty_file_system.h"
#include "support/scripted_window.h"
#include "support/temp_home.h"

#include <QDir>
#include <QtTest>

#include <memory>

// What the student typed is kept once and only once, through kills, a
// refusing rescue file and every ending: each test goes through the window's
// commands, with the file layer failing where the row says.
class TestAnswerKeeper : public QObject
{
    Q_OBJECT

private slots:
    void aRecordedTextLeavesTheAutosaveAtOnce();
    void theSameWordsForTheNextItemAreKept();
    void aRefusedTextWaitsInTheAutosave_data();
    void aRefusedTextWaitsInTheAutosave();
    void quitAsksOnlyWhenTheTextCanBeKeptNowhere_data();
    void quitAsksOnlyWhenTheTextCanBeKeptNowhere();
    void cutOffBytesStayUntilTheyAreKept_data();
    void cutOffBytesStayUntilTheyAreKept();
    void anUnknownRoutineKeepsTheAnswer();
};

namespace {

// Runs of the program one after the other on one home folder. A run that
// is dropped without an ending is killed: its autosave stays, unlocked.
struct Runs
{
    TempHome home;
    NativeFileSystem native;
    FaultyFileSystem faulty{native}; // outlives each run, which holds its autosave
    std::unique_ptr<ScriptedWindow> run;

    bool start()
    {
        run = std::make_unique<ScriptedWindow>();
        run->platform.fileSystem = &faulty;
        return run->load(QStringLiteral("1"));
    }
    void kill() { run.reset(); }

    QueryForm &form() { return run->form; }
    FakePlatform &platform() { return run->platform; }
    void type(const QString &text)
    {
        form().panes().setAnswerText(text);
        form().autosave().saveNow(); // as the timer does a second later
    }

    QString path(const QString &name) const { return pathInFolder(home.kestrafoFolder(), name); }
    QByteArray drafts() const { return home.read(QStringLiteral("kestrafo/drafts_.txt")); }
    // drafts_.txt and the file layer's reason for refusing it.
    QString draftsRefusal()
    {
        QByteArray bytes;
        const QString drafts = path(QStringLiteral("drafts_.txt"));
        return drafts + QStringLiteral(" could not be written (") +
               native.readAll(drafts, &bytes).reason;
    }
    void refuseDrafts(bool refuse)
    {
        QDir folder(home.kestrafoFolder());
        QVERIFY(refuse ? folder.mkpath(QStringLiteral("drafts_.txt"))
                       : folder.rmdir(QStringLiteral("drafts_.txt")));
    }
};

// The kept text of each rescue record in drafts_.txt, in order, after its
// reason: "clear answer: x = 3".
QStringList keptTexts(const QByteArray &drafts)
{
    QStringList texts;
    const QByteArray label = "KEPT --------> ";
    for (qsizetype at = drafts.indexOf(label); at >= 0; at = drafts.indexOf(label, at + 1)) {
        const qsizetype comma = drafts.indexOf(", ", at);
        const qsizetype start = drafts.indexOf("\r\n", at) + 2;
        const qsizetype end = drafts.indexOf("\r\n" + closingRule, start);
        texts.append(QString::fromLatin1(drafts.mid(at + label.size(), comma - at - label.size()) +
                                         ": " + drafts.mid(start, end - start)));
    }
    return texts;
}

} // namespace

// Killed right after the record, before the timer saves the emptied pane:
// the next start finds nothing to keep and says nothing.
void TestAnswerKeeper::aRecordedTextLeavesTheAutosaveAtOnce()
{
    for (const char *button : {"cmd_enter_response", "cmd_save_as_notes"}) {
        Runs runs;
        QVERIFY(runs.start());
        runs.form().cmdNextQuestion_Click();
        runs.type(QStringLiteral("x = 3"));
        QCOMPARE(autosaveIn(runs.home).text, QStringLiteral("x = 3"));
        runs.platform().replies = {QStringLiteral("2")};
        runs.run->click(QLatin1String(button));
        QCOMPARE(runs.platform().problems, QStringList());
        runs.kill();

        QVERIFY(runs.start());
        QCOMPARE(runs.platform().problems, QStringList());
        QCOMPARE(runs.drafts(), QByteArray());
    }
}

// Words typed again for the next item are that item's answer, not the one
// recorded: the autosave holds them and quit keeps them.
void TestAnswerKeeper::theSameWordsForTheNextItemAreKept()
{
    Runs runs;
    QVERIFY(runs.start());
    runs.form().cmdNextQuestion_Click();
    runs.type(QStringLiteral("x = 3"));
    runs.platform().replies = {QStringLiteral("2")};
    runs.run->click(QLatin1String("cmd_enter_response"));
    runs.form().cmdNextQuestion_Click();
    runs.type(QStringLiteral("x = 3"));
    QCOMPARE(autosaveIn(runs.home).text, QStringLiteral("x = 3"));
    runs.form().cmd_quit_Click();
    QCOMPARE(keptTexts(runs.drafts()), QStringList({"quit program: x = 3"}));
}

void TestAnswerKeeper::aRefusedTextWaitsInTheAutosave_data()
{
    QTest::addColumn<bool>("takenInTheRun"); // else by the next start
    QTest::addColumn<bool>("secondRefused"); // once, at that start
    QTest::newRow("taken later in the run") << true << false;
    QTest::newRow("taken at the next start") << false << false;
    QTest::newRow("taken over two starts") << false << true;
}

// drafts_.txt refuses the text of clear answer, then that of Next Question:
// both wait in the autosave, in order, whatever the pane holds later, and the
// student is told once, with the reason.
void TestAnswerKeeper::aRefusedTextWaitsInTheAutosave()
{
    QFETCH(bool, takenInTheRun);
    QFETCH(bool, secondRefused);
    Runs runs;
    QVERIFY(runs.start());
    runs.form().cmdNextQuestion_Click();
    const QString first = runs.form().session().currentLine;
    runs.type(QStringLiteral("x = 3"));
    runs.refuseDrafts(true);

    runs.form().cmd_clr_answer_Click();
    QCOMPARE(runs.platform().problems.size(), 1);
    const QString told = runs.platform().problems.first();
    QVERIFY2(told.contains(runs.draftsRefusal().replace(" could not be written", QString())),
             qPrintable(told));
    QVERIFY2(told.contains(runs.path(autosavesIn(runs.home).value(0))), qPrintable(told));
    runs.type(QStringLiteral("x = 4"));
    QCOMPARE(autosaveIn(runs.home).refused, (QList<TypedText>{{first, QStringLiteral("x = 3")}}));
    QCOMPARE(autosaveIn(runs.home).text, QStringLiteral("x = 4"));
    runs.form().cmdNextQuestion_Click(); // the pane gets the instructions back
    runs.form().autosave().saveNow();
    QCOMPARE(runs.platform().problems.size(), 1);
    QCOMPARE(autosaveIn(runs.home).refused, (QList<TypedText>{{first, QStringLiteral("x = 3")},
                                                              {first, QStringLiteral("x = 4")}}));
    QCOMPARE(autosaveIn(runs.home).text, QString());
    QCOMPARE(runs.drafts(), QByteArray());

    if (takenInTheRun) {
        runs.refuseDrafts(false);
        runs.type(QStringLiteral("x = 5"));
        runs.form().cmd_clr_answer_Click();
        QCOMPARE(
            keptTexts(runs.drafts()),
            QStringList({"clear answer: x = 3", "next question: x = 4", "clear answer: x = 5"}));
        QCOMPARE(runs.home.read(QStringLiteral("kestrafo/") + autosavesIn(runs.home).first()),
                 QByteArray());
        runs.kill();
        QVERIFY(runs.start());
        QCOMPARE(runs.platform().problems, QStringList());
    } else {
        runs.kill();
        QVERIFY(runs.start()); // still refused: left alone, and nothing said
        QCOMPARE(runs.platform().problems, QStringList());
        runs.kill();
        runs.refuseDrafts(false);
        if (secondRefused) {
            // The intent of the second rescue record is the third write.
            const auto write = FaultyFileSystem::Call::Write;
            runs.faulty.inject(FaultyFileSystem::Fault::FailOnce, runs.faulty.count(write) + 3,
                               write);
            QVERIFY(runs.start());
            QVERIFY(runs.faulty.triggered());
            QCOMPARE(runs.platform().problems.size(), 1);
            QVERIFY(runs.platform().problems.first().contains(
                QStringLiteral("one answer you had typed and not recorded was kept")));
            QCOMPARE(keptTexts(runs.drafts()), QStringList({"autosave: x = 3"}));
            runs.kill();
        }
        QVERIFY(runs.start());
        QCOMPARE(runs.platform().problems.size(), 1);
        QVERIFY(runs.platform().problems.first().contains(
            secondRefused ? QStringLiteral("one answer you had typed and not recorded was kept")
                          : QStringLiteral("2 answers you had typed and not recorded were kept")));
        QCOMPARE(keptTexts(runs.drafts()), QStringList({"autosave: x = 3", "autosave: x = 4"}));
    }
    QCOMPARE(runs.drafts().count("KEPT"), takenInTheRun ? 3 : 2);
}

void TestAnswerKeeper::quitAsksOnlyWhenTheTextCanBeKeptNowhere_data()
{
    QTest::addColumn<bool>("close"); // else quit program
    QTest::addColumn<bool>("draftsRefused");
    QTest::addColumn<bool>("autosaveRefused");
    QTest::newRow("quit, both refused") << false << true << true;
    QTest::newRow("window closed, both refused") << true << true << true;
    QTest::newRow("quit, drafts_.txt refused") << false << true << false;
    QTest::newRow("window closed, autosave refused") << true << false << true;
    QTest::newRow("quit, nothing refused") << false << false << false;
}

void TestAnswerKeeper::quitAsksOnlyWhenTheTextCanBeKeptNowhere()
{
    QFETCH(bool, close);
    QFETCH(bool, draftsRefused);
    QFETCH(bool, autosaveRefused);
    Runs runs;
    QVERIFY(runs.start());
    runs.form().cmdNextQuestion_Click();
    runs.type(QStringLiteral("x = 3"));
    runs.form().panes().setAnswerText(QStringLiteral("x = 3, so 9")); // not saved yet
    if (draftsRefused)
        runs.refuseDrafts(true);
    if (autosaveRefused)
        runs.faulty.alwaysFailing = {FaultyFileSystem::Call::Rename};
    const bool asks = draftsRefused && autosaveRefused;
    runs.form().show();
    auto end = [&] {
        if (close)
            runs.form().close();
        else
            runs.form().cmd_quit_Click();
    };

    runs.platform().quitAnywayReplies = {false, true};
    end();
    if (asks) {
        QCOMPARE(runs.platform().quitQuestions.size(), 1);
        QCOMPARE(runs.platform().quitQuestions.first(),
                 QStringLiteral("Your answer could not be saved: the file ") +
                     runs.draftsRefusal() + QStringLiteral("), nor the file ") +
                     runs.path(autosavesIn(runs.home).value(0)) +
                     QStringLiteral(". If the program ends now, the answer is lost."));
        // Staying changes nothing; the second time the student quits anyway.
        QVERIFY(!runs.platform().ended);
        QVERIFY(runs.form().isVisible());
        QCOMPARE(runs.form().panes().answerText(), QStringLiteral("x = 3, so 9"));
        end();
        QCOMPARE(runs.platform().quitQuestions.size(), 2);
    } else {
        QCOMPARE(runs.platform().quitQuestions, QStringList());
    }
    QVERIFY(runs.platform().ended);
    QCOMPARE(runs.platform().problems, QStringList());
    const bool inDrafts = runs.drafts().contains("x = 3, so 9");
    const bool inAutosave =
        autosaveIn(runs.home).refused.value(0).text == QStringLiteral("x = 3, so 9");
    QCOMPARE(inDrafts, !draftsRefused);
    QCOMPARE(inAutosave, draftsRefused && !autosaveRefused);
}

void TestAnswerKeeper::cutOffBytesStayUntilTheyAreKept_data()
{
    QTest::addColumn<bool>("atStartUp"); // else at the next record
    QTest::newRow("at start-up") << true;
    QTest::newRow("at a record") << false;
}

// drafts_.txt refuses the start of a record that a crash cut off: the master
// file keeps it, journal and all, the record fails saying why, and nothing
// is counted as kept; once drafts_.txt takes it, it is cut back.
void TestAnswerKeeper::cutOffBytesStayUntilTheyAreKept()
{
    QFETCH(bool, atStartUp);
    Runs runs;
    QVERIFY(runs.start());
    const QString master = runs.path(QStringLiteral("masterFile.txt"));
    const QByteArray before = runs.home.read(QStringLiteral("kestrafo/masterFile.txt"));
    if (atStartUp)
        runs.kill();
    else
        runs.form().cmdNextQuestion_Click();
    leaveCutOffRecord(runs.native, master, before, "torn record");
    runs.refuseDrafts(true);

    QString failure;
    if (atStartUp) {
        QVERIFY(!runs.start());
        QCOMPARE(runs.platform().problems, QStringList()); // nothing was kept
        failure = runs.platform().fatalErrors.value(0);
    } else {
        runs.form().panes().setAnswerText(QStringLiteral("x = 3"));
        runs.platform().replies = {QStringLiteral("2")};
        runs.form().cmd_enter_response_Click();
        QCOMPARE(runs.platform().problems.size(), 1);
        failure = runs.platform().problems.first();
        QCOMPARE(runs.form().panes().answerText(), QStringLiteral("x = 3"));
    }
    QVERIFY2(failure.contains(runs.draftsRefusal() +
                              QStringLiteral("; the start of a record that was cut off in ") +
                              master),
             qPrintable(failure));
    QCOMPARE(runs.home.read(QStringLiteral("kestrafo/masterFile.txt")), before + "torn record");
    QVERIFY(!runs.home.read(QStringLiteral("kestrafo/.masterFile.txt.journal")).isEmpty());

    runs.refuseDrafts(false);
    if (atStartUp) {
        QVERIFY(runs.start());
        QCOMPARE(runs.platform().problems.size(), 1);
        QVERIFY(runs.platform().problems.first().contains(
            QStringLiteral("one record that was not finished was kept")));
    } else {
        runs.platform().replies = {QStringLiteral("2")};
        runs.form().cmd_enter_response_Click();
        QCOMPARE(runs.platform().problems.size(), 1);
    }
    QCOMPARE(keptTexts(runs.drafts()), QStringList({"cut-off record: torn record"}));
    const QByteArray after = runs.home.read(QStringLiteral("kestrafo/masterFile.txt"));
    QVERIFY(after.startsWith(before));
    QVERIFY(!after.contains("torn record"));
    QCOMPARE(runs.home.read(QStringLiteral("kestrafo/.masterFile.txt.journal")), QByteArray());
}

// The program ends there, as at every other end: the answer goes to
// drafts_.txt and the autosave goes. The first step of a run leaves what
// was typed before it in the pane, so only the ending keeps it.
void TestAnswerKeeper::anUnknownRoutineKeepsTheAnswer()
{
    for (const char *button : {"cmd_next_picture", "cmdNextQuestion"}) {
        Runs runs;
        QVERIFY(runs.start());
        SessionState &session = runs.form().session();
        session.questionBank.store(session.bankIndex + 1, QStringLiteral("`routine nosuch"));
        runs.type(QStringLiteral("x = 3"));
        runs.run->click(QLatin1String(button));
        QVERIFY2(runs.platform().ended, button);
        QCOMPARE(keptTexts(runs.drafts()), QStringList({"unknown routine: x = 3"}));
        QCOMPARE(autosavesIn(runs.home), QStringList());
    }
}

QTEST_MAIN(TestAnswerKeeper)
#include "tst_answer_keeper.moc"

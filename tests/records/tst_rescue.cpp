#include "app/query_form.h"
#include "format/record_texts.h"
#include "storage/autosave_file.h"
#include "storage/native_path.h"
#include "support/cut_off_record.h"
#include "support/expected_record.h"
#include "support/fake_platform.h"
#include "support/faulty_file_system.h"
#include "support/loaded_window.h"
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
    void leftAutosavesAtStartUp_data();
    void leftAutosavesAtStartUp();
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
    QTest::newRow("instructions") << "cmd_clr_answer" << QString(RecordTexts::notesLabel) << "";
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
    QueryForm form(platform, platform);
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
    QCOMPARE(drafts, keptRecord("14:03:27", "12-07-202614:03:27", item.toLatin1(),
                                reason.toLatin1(), typed.toLatin1()));
    if (button == QLatin1String("cmdNextQuestion"))
        QCOMPARE(form.panes().answerText(), form.session().responsePrompt);
    if (button != QLatin1String("response then quit"))
        QCOMPARE(home.read("kestrafo/masterFile.txt"), master);
}

// Start-up hands the autosave of a copy that no longer runs to the rescue
// file and says so once; a running copy's autosave (its lock held) is left
// alone; the master file gets its opening block as always.
void TestRescue::leftAutosavesAtStartUp_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QStringList>("keptTexts"); // in drafts_.txt, in order
    QTest::addColumn<QString>("message");       // empty: none shown
    QTest::addColumn<QStringList>("remaining"); // autosaves left after start-up
    QTest::newRow("nothing left") << "" << QStringList() << "" << QStringList();
    QTest::newRow("dead copy") << "dead" << QStringList{"x = 3\r\nso 9"}
                               << "one answer you had typed and not recorded was kept"
                               << QStringList();
    QTest::newRow("live copy") << "live" << QStringList() << ""
                               << QStringList{".autosave_300_live"};
    QTest::newRow("live copy, replacing its file meanwhile")
        << "live+race" << QStringList() << "" << QStringList{".autosave_300_live"};
    QTest::newRow("dead copy, new file not yet renamed")
        << "dead+new" << QStringList{"x = 3, later"} << "one answer" << QStringList();
    QTest::newRow("dead copy, new file torn")
        << "dead+torn" << QStringList{"x = 3\r\nso 9"} << "one answer" << QStringList();
    QTest::newRow("dead copy, only a torn new file")
        << "torn" << QStringList() << "" << QStringList{".autosave_100_dead.new"};
    QTest::newRow("dead copy, nothing typed") << "empty" << QStringList() << "" << QStringList();
    QTest::newRow("dead copy, rescue file refused")
        << "dead+refused" << QStringList() << "" << QStringList{".autosave_100_dead"};
    QTest::newRow("two dead copies and a cut-off record")
        << "dead+dead2+cut" << QStringList{"torn record", "x = 3\r\nso 9", "second copy"}
        << "2 answers you had typed and not recorded and one record that was not finished were "
           "kept"
        << QStringList();
}

void TestRescue::leftAutosavesAtStartUp()
{
    QFETCH(QString, left);
    QFETCH(QStringList, keptTexts);
    QFETCH(QString, message);
    QFETCH(QStringList, remaining);

    QByteArray openingBlock;
    {
        LoadedWindow fresh;
        QVERIFY(fresh.load(QStringLiteral("1")));
        openingBlock = fresh.master();
    }

    NativeFileSystem native;
    FaultyFileSystem faulty(native); // outlives the window, which holds its autosave
    LoadedWindow w;
    const QString folder = w.home.kestrafoFolder();
    QVERIFY(QDir(w.home.path()).mkdir(QStringLiteral("kestrafo")));
    const QByteArray dead = Autosave::encode({"What is x?", "x = 3\r\nso 9"});
    const QString deadPath = folder + QStringLiteral("/.autosave_100_dead");
    if (left.contains(QLatin1String("dead")))
        writeFile(deadPath, dead);
    if (left.contains(QLatin1String("+new")))
        writeFile(deadPath + QStringLiteral(".new"),
                  Autosave::encode({"What is x?", "x = 3, later"}));
    if (left.contains(QLatin1String("torn")))
        writeFile(deadPath + QStringLiteral(".new"), dead.first(30));
    if (left == QLatin1String("empty"))
        writeFile(deadPath, Autosave::encode({"What is x?", QString()}));
    if (left.contains(QLatin1String("dead2")))
        writeFile(folder + QStringLiteral("/.autosave_200_dead"),
                  Autosave::encode({"What is y?", "second copy"}));
    if (left.contains(QLatin1String("refused")))
        QVERIFY(QDir(folder).mkdir(QStringLiteral("drafts_.txt")));
    QByteArray before;
    if (left.contains(QLatin1String("cut"))) {
        before = "an earlier record\r\n";
        leaveCutOffRecord(w.platform.nativeFiles(), folder + QStringLiteral("/masterFile.txt"),
                          before, "torn record");
    }
    Autosave live(native, folder, QStringLiteral("300_live"));
    if (left.startsWith(QLatin1String("live")))
        QVERIFY(live.save({"What is x?", "x = 3\r\nso 9"}));
    if (left.contains(QLatin1String("race"))) {
        // The running copy puts a new file in place between the look at its
        // file and the try for the lock, and lets go of the old one.
        w.platform.fileSystem = &faulty;
        faulty.beforeCall = [&](FaultyFileSystem::Call call) {
            if (call == FaultyFileSystem::Call::Lock && !faulty.count(call))
                live.save({"What is x?", "x = 3, later"});
        };
    }

    QVERIFY(w.load(QStringLiteral("1")));

    if (message.isEmpty()) {
        QCOMPARE(w.platform.problems, QStringList());
    } else {
        QCOMPARE(w.platform.problems.size(), 1);
        QVERIFY2(w.platform.problems.first().contains(message),
                 qPrintable(w.platform.problems.first()));
        QVERIFY(w.platform.problems.first().endsWith(
            pathInFolder(folder, QStringLiteral("drafts_.txt."))));
    }
    const QByteArray drafts = w.home.read(QStringLiteral("kestrafo/drafts_.txt"));
    qsizetype at = 0;
    for (const QString &text : keptTexts) {
        const QByteArray kept = "characters\r\n" + text.toLatin1() + "\r\n" + closingRule;
        at = drafts.indexOf(kept, at);
        QVERIFY2(at >= 0, qPrintable(text));
    }
    QCOMPARE(drafts.count("KEPT --------> "), keptTexts.size());
    QCOMPARE(drafts.count("KEPT --------> autosave, "),
             keptTexts.size() - (before.isEmpty() ? 0 : 1));
    const QStringList autosaves =
        QDir(folder).entryList({QStringLiteral(".autosave_*")}, QDir::Files | QDir::Hidden);
    QCOMPARE(autosaves, remaining);
    QCOMPARE(w.master(), before + openingBlock);
}

QTEST_MAIN(TestRescue)
#include "tst_rescue.moc"

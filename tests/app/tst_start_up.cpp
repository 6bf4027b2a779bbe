#include "app/start_up.h"
#include "app/start_up_texts.h"
#include "session/session_state.h"
#include "support/fake_platform.h"
#include "support/temp_home.h"

#include <QtTest>

using namespace StartUpTexts;

namespace {

SessionState startWith(FakePlatform &platform, const QStringList &replies)
{
    platform.replies = replies;
    SessionState session;
    startSession(session, platform);
    return session;
}

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void assignmentNumbersArePaddedAndTheNextOneFollows_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<QString>("next");
        QTest::newRow("5") << "5"
                           << "005"
                           << "006";
        QTest::newRow("05") << "05"
                            << "005"
                            << "006";
        QTest::newRow("005") << "005"
                             << "005"
                             << "006";
        QTest::newRow("12") << "12"
                            << "012"
                            << "013";
        QTest::newRow("032") << "032"
                             << "032"
                             << "033";
        QTest::newRow("99") << "99"
                            << "099"
                            << "100";
        QTest::newRow("999") << "999"
                             << "999"
                             << "1000";
        QTest::newRow("empty") << ""
                               << ""
                               << "001";
        QTest::newRow("abc") << "abc"
                             << "abc"
                             << "001";
        QTest::newRow("blank then digit") << " 7"
                                          << "0 7"
                                          << "001";
        QTest::newRow("decimal") << "1.5"
                                 << "1.5"
                                 << "2.5";
    }

    void assignmentNumbersArePaddedAndTheNextOneFollows()
    {
        QFETCH(QString, reply);
        QFETCH(QString, assignment);
        QFETCH(QString, next);
        TempHome home;
        FakePlatform platform;
        const SessionState session = startWith(platform, {"Ann", "", reply});
        QCOMPARE(session.assignmentNbr, assignment);
        QCOMPARE(session.nextAssignmentNbr, next);
    }

    void onlyTheExactReplyOneAsksForAFolder_data()
    {
        QTest::addColumn<QStringList>("replies");
        QTest::addColumn<int>("prompts");
        QTest::addColumn<QString>("folder");
        QTest::newRow("enter") << QStringList{"Ann", "", "5"} << 3 << defaultFolder;
        QTest::newRow("yes") << QStringList{"Ann", "yes", "5"} << 3 << defaultFolder;
        QTest::newRow("blank 1") << QStringList{"Ann", " 1", "5"} << 3 << defaultFolder;
        QTest::newRow("1 blank") << QStringList{"Ann", "1 ", "5"} << 3 << defaultFolder;
        QTest::newRow("1, then Enter") << QStringList{"Ann", "1", "", "5"} << 4 << defaultFolder;
        QTest::newRow("1, then d:\\work")
            << QStringList{"Ann", "1", "d:\\work", "5"} << 4 << "d:\\work";
        QTest::newRow("1, then blanks") << QStringList{"Ann", "1", "  ", "5"} << 4 << "  ";
    }

    void onlyTheExactReplyOneAsksForAFolder()
    {
        QFETCH(QStringList, replies);
        QFETCH(int, prompts);
        QFETCH(QString, folder);
        TempHome home;
        FakePlatform platform;
        const SessionState session = startWith(platform, replies);
        QCOMPARE(platform.promptsAsked.size(), prompts);
        QCOMPARE(platform.unexpectedPrompts, 0);
        QCOMPARE(session.workFolder, folder);
        QCOMPARE(session.assignmentNbr, QStringLiteral("005"));
    }

    void thePromptsAreAskedWithTheirExactTexts()
    {
        TempHome home;
        FakePlatform platform;
        startWith(platform, {"Ann", "1", "", "5"});
        QCOMPARE(platform.promptsAsked,
                 (QStringList{namePrompt, folderQuestion, folderPrompt, assignmentPrompt}));
        QCOMPARE(namePrompt, QStringLiteral("Your full name:  "));
        QCOMPARE(assignmentPrompt, QStringLiteral("Assignment Number:  "));
        QVERIFY(folderQuestion.endsWith("just hit the Enter key"));
    }

    void cancelEverywhereKeepsTheDefaultsAndAnEmptyAssignment()
    {
        TempHome home;
        FakePlatform platform;
        const SessionState session = startWith(platform, {"", "", ""});
        QCOMPARE(session.workFolder, defaultFolder);
        QCOMPARE(session.assignmentNbr, QString());
        QCOMPARE(session.nextAssignmentNbr, QStringLiteral("001"));
    }

    void pathsAreTheFolderTextAndTheFixedNames()
    {
        TempHome home;
        FakePlatform platform;
        platform.clock = QDateTime(QDate(2026, 3, 1), QTime(9, 0, 0));
        SessionState session = startWith(platform, {"Ann", "1", "d:\\work", "5"});
        QCOMPARE(session.masterFilePath, QStringLiteral("d:\\work\\masterFile.txt"));
        QCOMPARE(session.sendFilePath, QStringLiteral("d:\\work\\send_0301.txt"));
        QCOMPARE(session.notesFilePath, QStringLiteral("d:\\work\\notes_.txt"));

        session = startWith(platform, {"Ann", "1", "d:\\work\\", "5"});
        QCOMPARE(session.masterFilePath, QStringLiteral("d:\\work\\\\masterFile.txt"));
        QCOMPARE(session.notesFilePath, QStringLiteral("d:\\work\\\\notes_.txt"));
    }

    void theDefaultFolderIsMadeWhateverTheStudentChooses()
    {
        TempHome home;
        FakePlatform platform;
        startWith(platform, {"Ann", "1", "d:\\work", "5"});
        QVERIFY(QFileInfo(home.kestrafoFolder()).isDir());
        // A second start finds it there and goes on.
        const SessionState again = startWith(platform, {"Ann", "", "5"});
        QCOMPARE(again.workFolder, defaultFolder);
    }

    void theGeneratorIsSeededFromTheTimeOfDayAndGivesTheCodeNumber()
    {
        TempHome home;
        FakePlatform platform;
        platform.clock = QDateTime(QDate(2026, 12, 7), QTime(14, 3, 27, 500));
        platform.randoms = {0.55f};
        const SessionState session = startWith(platform, {"Ann", "", "5"});
        QCOMPARE(platform.seeds, (QList<float>{50607.5f}));
        QCOMPARE(session.sessionCodeNbr, 24);
        QCOMPARE(session.responsePrompt, responsePrompt);
        QCOMPARE(session.bankIndex, 0);
    }

    void theCodeNumberStaysWithin19And28()
    {
        QCOMPARE(codeNumberFor(0.0f), 19);
        QCOMPARE(codeNumberFor(0.0999999f), 19);
        QCOMPARE(codeNumberFor(0.1f), 20);
        QCOMPARE(codeNumberFor(0.5f), 24);
        // The largest float below 1: in single precision 10 r + 19 is 29.
        QCOMPARE(codeNumberFor(std::nextafter(1.0f, 0.0f)), 28);
        for (float r = 0.0f; r < 1.0f; r += 0.00137f) {
            const int n = codeNumberFor(r);
            QVERIFY2(n >= 19 && n <= 28, qPrintable(QString::number(r)));
        }
    }

    void theResponsePromptIsTheCoursesOwnText()
    {
        QVERIFY(responsePrompt.startsWith("Enter, as appropriate, an answer to the question,"));
        QVERIFY(responsePrompt.contains("just an OK.\r\n\r\nAlways critique"));
        QVERIFY(responsePrompt.contains("errors you makde, and"));
        QVERIFY(responsePrompt.endsWith("related to the problem or series of problems."));
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_start_up.moc"

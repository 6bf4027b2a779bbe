#include "app/start_up.h"
#include "app/start_up_texts.h"
#include "session/session_state.h"
#include "support/decimal_comma.h"
#include "support/fake_platform.h"
#include "support/temp_home.h"

#include <QtTest>

using namespace StartUpTexts;

namespace {

// Start-up in a temporary home folder, on the scripted platform.
struct StartUp
{
    TempHome home;
    FakePlatform platform;

    SessionState run(const QStringList &replies)
    {
        platform.replies = replies;
        SessionState session;
        startSession(session, platform);
        return session;
    }
};

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireDecimalComma(); }

    // Cancel at the name and the folder question changes nothing.
    void assignmentNumbersArePaddedAndTheNextOneFollows_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<QString>("next");
        const char *rows[][3] = {
            {"5", "005", "006"},    {"05", "005", "006"},  {"005", "005", "006"},
            {"12", "012", "013"},   {"032", "032", "033"}, {"99", "099", "100"},
            {"999", "999", "1000"}, {"", "", "001"},       {"abc", "abc", "001"},
            {" 7", "0 7", "001"},   {"1.5", "1.5", "2.5"}};
        for (const auto &[reply, assignment, next] : rows)
            QTest::addRow("\"%s\"", reply)
                << QString::fromLatin1(reply) << QString::fromLatin1(assignment)
                << QString::fromLatin1(next);
    }

    void assignmentNumbersArePaddedAndTheNextOneFollows()
    {
        QFETCH(QString, reply);
        QFETCH(QString, assignment);
        QFETCH(QString, next);
        StartUp start;
        const SessionState session = start.run({"", "", reply});
        QCOMPARE(session.workFolder, defaultFolder);
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
        StartUp start;
        const SessionState session = start.run(replies);
        QCOMPARE(start.platform.promptsAsked.size(), prompts);
        QCOMPARE(start.platform.unexpectedPrompts, 0);
        QCOMPARE(session.workFolder, folder);
        QCOMPARE(session.assignmentNbr, QStringLiteral("005"));
    }

    void pathsAreTheFolderTextAndTheFixedNames()
    {
        StartUp start;
        start.platform.clock = QDateTime(QDate(2026, 3, 1), QTime(9, 0, 0));
        SessionState session = start.run({"Ann", "1", "d:\\work", "5"});
        QCOMPARE(session.masterFilePath, QStringLiteral("d:\\work\\masterFile.txt"));
        QCOMPARE(session.sendFilePath, QStringLiteral("d:\\work\\send_0301.txt"));
        QCOMPARE(session.notesFilePath, QStringLiteral("d:\\work\\notes_.txt"));

        session = start.run({"Ann", "1", "d:\\work\\", "5"});
        QCOMPARE(session.masterFilePath, QStringLiteral("d:\\work\\\\masterFile.txt"));
        QCOMPARE(session.notesFilePath, QStringLiteral("d:\\work\\\\notes_.txt"));
    }

    void theDefaultFolderIsMadeWhateverTheStudentChooses()
    {
        StartUp start;
        start.run({"Ann", "1", "d:\\work", "5"});
        QVERIFY(QFileInfo(start.home.kestrafoFolder()).isDir());
        // A second start finds it there and goes on.
        const SessionState again = start.run({"Ann", "", "5"});
        QCOMPARE(again.workFolder, defaultFolder);
    }

    void theGeneratorIsSeededFromTheTimeOfDayAndGivesTheCodeNumber()
    {
        StartUp start;
        start.platform.clock = QDateTime(QDate(2026, 12, 7), QTime(14, 3, 27, 500));
        start.platform.randoms = {0.55f};
        const SessionState session = start.run({"Ann", "", "5"});
        QCOMPARE(start.platform.seeds, (QList<float>{50607.5f}));
        QCOMPARE(session.sessionCodeNbr, 24);
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

    // The course's own words, character for character.
    void thePromptsAndTheInstructionsAreTheCoursesOwnTexts()
    {
        StartUp start;
        const SessionState session = start.run({"Ann", "1", "", "5"});
        const QStringList prompts = {
            QStringLiteral("Your full name:  "),
            QStringLiteral("Enter 1 if you want to change the folder to which your files will be "
                           "written.  The current default folder is c:\\kestrafo.  If you wish "
                           "to use this folder, just hit the Enter key"),
            QStringLiteral("You have chosen to change the folder to which your files will be "
                           "written on your hard drive from the default c:\\kestrafo.  Enter the "
                           "path to the folder you wish to use.  You may just hit the Enter key "
                           "to retain the default path."),
            QStringLiteral("Assignment Number:  "),
        };
        QCOMPARE(start.platform.promptsAsked, prompts);
        QCOMPARE(
            session.responsePrompt,
            QStringLiteral(
                "Enter, as appropriate, an answer to the question, a critique of your answer in "
                "response to a given answer, your insights regarding the situation at this point, "
                "notes to yourself, or just an OK.\r\n\r\nAlways critique your solutions by "
                "describing any insights you had or errors you makde, and by explaining how you "
                "can make use of the insight or how you now know how to avoid certain errors.  "
                "Also pose for the instructor any question or questions that you have related to "
                "the problem or series of problems."));
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_start_up.moc"

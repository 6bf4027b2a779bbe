#include "records/notes.h"
#include "support/expected_record.h"
#include "support/record_session.h"

#include <QtTest>

namespace {

QByteArray notesRecordAt1403(const QByteArray &item, const QByteArray &note)
{
    return notesRecord("14:03:27", "12-07-202614:03:27", item, note);
}

} // namespace

class TestNotes : public QObject
{
    Q_OBJECT

private slots:
    void theFirstNoteStartsTheNotesFile()
    {
        RecordSession s;
        QVERIFY(openAssignment(s.session, s.platform));
        const QByteArray opening = s.master();
        QVERIFY(!opening.isEmpty());
        QCOMPARE(s.send(), opening);
        QVERIFY(!s.hasNotes());

        s.atFirstItem({"`qWhat is x?", "`aIt is 3."}, QStringLiteral("remember the sign"));
        cmd_save_as_notes_Click(s.session, s.panes, s.platform);

        const QByteArray record = notesRecordAt1403("What is x?", "remember the sign");
        QCOMPARE(s.notes(), record);
        QCOMPARE(s.master(), opening + record);
        QCOMPARE(s.send(), opening + record);
        QCOMPARE(s.panes.question, QString());
        QCOMPARE(s.panes.answer, QString());
        QVERIFY(!s.session.promptDue);
        QCOMPARE(s.session.textBuffer, QStringLiteral("NOTES -------> remember the sign"));
        QCOMPARE(s.platform.promptsAsked, QStringList());

        // The next item leaves the answer box as the note left it.
        s.next();
        QCOMPARE(s.panes.answer, QString());
        s.panes.answer = QStringLiteral("and the limits");
        cmd_save_as_notes_Click(s.session, s.panes, s.platform);
        const QByteArray second = notesRecordAt1403("It is 3.", "and the limits");
        QCOMPARE(s.notes(), record + second);
        QCOMPARE(s.master(), opening + record + second);
    }

    void emptyAndMultiLineNotes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("emptied") << "" << QByteArray();
        QTest::newRow("three lines") << "one\r\ntwo\r\nthree" << QByteArray("one\r\ntwo\r\nthree");
        QTest::newRow("code page") << QString::fromUtf8("\u00e9t\u00e9") << QByteArray("\xE9t\xE9");
    }

    void emptyAndMultiLineNotes()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, written);
        RecordSession s;
        s.useBank({"`qQ{}uestion"});
        s.next();
        s.panes.answer = typed;
        cmd_save_as_notes_Click(s.session, s.panes, s.platform);
        const QByteArray record = notesRecordAt1403("Q{}uestion", written);
        QCOMPARE(s.master(), record);
        QCOMPARE(s.send(), record);
        QCOMPARE(s.notes(), record);
    }

    void theUntouchedInstructionsSaveNothing()
    {
        RecordSession s;
        s.useBank({"`qQ"});
        s.next();
        for (const bool due : {true, false}) {
            s.session.promptDue = due;
            s.panes.question = QStringLiteral("shown");
            s.panes.answer = s.session.responsePrompt;
            cmd_save_as_notes_Click(s.session, s.panes, s.platform);
            QVERIFY(!s.hasMaster());
            QVERIFY(!s.hasSend());
            QVERIFY(!s.hasNotes());
            QCOMPARE(s.panes.question, QString());
            QCOMPARE(s.panes.answer, QString());
            QCOMPARE(s.session.promptDue, due);
            QVERIFY(s.platform.problems.isEmpty());
        }
    }

    void beforeAnyItemTheItemLineIsEmpty()
    {
        RecordSession s;
        s.panes.answer = QStringLiteral("first thoughts");
        cmd_save_as_notes_Click(s.session, s.panes, s.platform);
        QCOMPARE(s.notes(), notesRecordAt1403("", "first thoughts"));
    }

    void eachFileReadsTheClockForEachTimeLine()
    {
        RecordSession s;
        s.atFirstItem({"`qQ"}, QStringLiteral("n"));
        s.platform.clockStepSeconds = 1;
        cmd_save_as_notes_Click(s.session, s.panes, s.platform);
        // Line by line in turn to the three files: line 2 reads the clock
        // three times, then line 3 three times.
        QCOMPARE(s.master(), notesRecord("14:03:27", "12-07-202614:03:30", "Q", "n"));
        QCOMPARE(s.send(), notesRecord("14:03:28", "12-07-202614:03:31", "Q", "n"));
        QCOMPARE(s.notes(), notesRecord("14:03:29", "12-07-202614:03:32", "Q", "n"));
    }
};

QTEST_GUILESS_MAIN(TestNotes)
#include "tst_notes.moc"

#include "records/file_viewers.h"
#include "records/notes.h"
#include "records/response_entry.h"
#include "storage/native_path.h"
#include "support/expected_record.h"
#include "support/file_bytes.h"
#include "support/record_session.h"

#include <QtTest>

namespace {

// Counts how often the question pane is set.
class CountingPanes : public FakePanes
{
public:
    void setQuestionText(const QString &text) override
    {
        ++questionSets;
        FakePanes::setQuestionText(text);
    }
    int questionSets = 0;
};

} // namespace

class TestFileViewers : public QObject
{
    Q_OBJECT

private slots:
    void theNotesRunTogetherBelowThePane()
    {
        RecordSession s;
        s.atFirstItem({"`qQ"}, QStringLiteral("keep this"));
        cmd_save_as_notes_Click(s.session, s.panes, s.platform);

        const QString joined = QString::fromLatin1(
            sectionRule + timeIndent + "14:03:27" + timeIndent + "12-07-202614:03:27" + "Q" +
            sectionRule + "NOTES -------> keep this" + closingRule);
        s.panes.answer = QStringLiteral("typed");
        cmd_display_note_file_Click(s.session, s.panes, s.platform);
        QCOMPARE(s.panes.question, QStringLiteral("\r\n\r\n") + joined);
        QCOMPARE(s.session.textBuffer, joined);

        // The pane is not cleared: a second click shows it all again.
        cmd_display_note_file_Click(s.session, s.panes, s.platform);
        QCOMPARE(s.panes.question,
                 QStringLiteral("\r\n\r\n") + joined + QStringLiteral("\r\n\r\n") + joined);
        QCOMPARE(s.panes.answer, QStringLiteral("typed"));
        QVERIFY(s.platform.problems.isEmpty());
    }

    void theSendFileShowsLineByLine()
    {
        RecordSession s;
        QVERIFY(openAssignment(s.session, s.platform));
        s.atFirstItem({"`qQ"}, QStringLiteral("two\r\nlines"));
        s.platform.replies = {"2"};
        cmd_enter_response_Click(s.session, s.panes, s.platform);
        const QByteArray send = s.send();

        // Each line on its own, after a line break; the code line read back
        // in the code page it was written in.
        QStringList lines;
        for (const QByteArray &line : send.chopped(2).split('\n'))
            lines.append(QString::fromLatin1(line.endsWith('\r') ? line.chopped(1) : line));
        QVERIFY(lines.contains(QString(36, u' ') + QStringLiteral("14:03:27")));
        QCOMPARE(lines.size(), 5 + 9);
        const QString shown = QStringLiteral("\r\n") + lines.join(QStringLiteral("\r\n"));

        CountingPanes panes;
        panes.answer = QStringLiteral("typed");
        s.session.textBuffer = QStringLiteral("kept");
        cmd_displayCumulativeText_Click(s.session, panes, s.platform);
        QCOMPARE(panes.question, shown);
        QCOMPARE(panes.questionSets, 1);
        QCOMPARE(panes.answer, QStringLiteral("typed"));
        QCOMPARE(s.session.textBuffer, QStringLiteral("kept"));

        panes.question = QStringLiteral("\r\n\r\nQ");
        cmd_displayCumulativeText_Click(s.session, panes, s.platform);
        QCOMPARE(panes.question, QStringLiteral("\r\n\r\nQ") + shown);
        QCOMPARE(s.send(), send);
        QVERIFY(s.platform.problems.isEmpty());
    }

    void eachViewerReadsItsFileLineByLine_data()
    {
        // The notes run together after an empty line; the SEND file shows
        // each line after a line break.
        QTest::addColumn<bool>("notes");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("shown");
        QTest::newRow("notes, empty file") << true << QByteArray() << "\r\n\r\n";
        QTest::newRow("notes, no final line end")
            << true << QByteArray("ab\r\ncd") << "\r\n\r\nabcd";
        QTest::newRow("notes, lone CR ends a line")
            << true << QByteArray("ab\rcd\r") << "\r\n\r\nabcd";
        QTest::newRow("notes, lone LF stays")
            << true << QByteArray("ab\ncd\r\n") << "\r\n\r\nab\ncd";
        QTest::newRow("notes, empty lines")
            << true << QByteArray("\r\n\r\nx\r\n\r\n") << "\r\n\r\nx";
        QTest::newRow("notes, code page") << true << QByteArray("\x80\xE9\x81\r\n")
                                          << QString::fromUtf8("\r\n\r\n\u20ac\u00e9\u0081");
        QTest::newRow("SEND, empty file") << false << QByteArray() << "";
        QTest::newRow("SEND, one line") << false << QByteArray("x\r\n") << "\r\nx";
        QTest::newRow("SEND, no final line end") << false << QByteArray("x\r\ny") << "\r\nx\r\ny";
        QTest::newRow("SEND, empty line") << false << QByteArray("\r\n") << "\r\n";
        QTest::newRow("SEND, lone CR") << false << QByteArray("a\rb") << "\r\na\r\nb";
        QTest::newRow("SEND, code line") << false << QByteArray("\xBA\xFF\x98\r\n")
                                         << QString::fromUtf8("\r\n\u00ba\u00ff\u02dc");
        // Longer than one read of the file layer.
        QTest::newRow("SEND, a long file") << false << QByteArray("line\r\n").repeated(20000)
                                           << QStringLiteral("\r\nline").repeated(20000);
    }

    void eachViewerReadsItsFileLineByLine()
    {
        QFETCH(bool, notes);
        QFETCH(QByteArray, content);
        QFETCH(QString, shown);
        RecordSession s;
        writeFile(notes ? s.notesPath() : s.sendPath(), content);
        CountingPanes panes;
        panes.question = QStringLiteral("P");
        if (notes)
            cmd_display_note_file_Click(s.session, panes, s.platform);
        else
            cmd_displayCumulativeText_Click(s.session, panes, s.platform);
        QCOMPARE(panes.question, QStringLiteral("P") + shown);
        QCOMPARE(panes.questionSets, 1);
        QCOMPARE(notes ? s.notes() : s.send(), content);
    }

    void aMissingFileLeavesThePaneAndTheSessionGoesOn()
    {
        RecordSession s;
        s.atFirstItem({"`qQ"}, QStringLiteral("my answer"));
        const QString pane = s.panes.question;

        // No note saved yet.
        cmd_display_note_file_Click(s.session, s.panes, s.platform);
        QCOMPARE(s.panes.question, pane);
        QCOMPARE(s.panes.answer, QStringLiteral("my answer"));
        QCOMPARE(s.platform.problems.size(), 1);
        QVERIFY2(s.platform.problems.last().contains(s.notesPath()),
                 qPrintable(s.platform.problems.last()));
        QVERIFY(!s.hasNotes());

        // The SEND file removed since start-up.
        CountingPanes panes;
        panes.question = pane;
        cmd_displayCumulativeText_Click(s.session, panes, s.platform);
        QCOMPARE(panes.question, pane);
        QCOMPARE(panes.questionSets, 0);
        QCOMPARE(s.platform.problems.size(), 2);
        QVERIFY2(s.platform.problems.last().contains(s.sendPath()),
                 qPrintable(s.platform.problems.last()));
        QVERIFY(!s.hasSend());
        QVERIFY(!s.platform.ended);

        // The session goes on: a note starts both files, and both viewers work.
        cmd_save_as_notes_Click(s.session, s.panes, s.platform);
        QVERIFY(s.hasNotes());
        cmd_display_note_file_Click(s.session, s.panes, s.platform);
        QVERIFY(s.panes.question.startsWith(QStringLiteral("\r\n\r\n") +
                                            QString::fromLatin1(sectionRule)));
        cmd_displayCumulativeText_Click(s.session, panes, s.platform);
        QVERIFY(panes.question.endsWith(QStringLiteral("\r\nNOTES -------> my answer\r\n") +
                                        QString::fromLatin1(closingRule)));
        QCOMPARE(s.platform.problems.size(), 2);
    }

    void anUnreadableFileLeavesThePane()
    {
        RecordSession s;
        QVERIFY(QDir().mkdir(s.notesPath()));
        QVERIFY(QDir().mkdir(s.sendPath()));
        s.panes.question = QStringLiteral("kept");
        cmd_display_note_file_Click(s.session, s.panes, s.platform);
        cmd_displayCumulativeText_Click(s.session, s.panes, s.platform);
        QCOMPARE(s.panes.question, QStringLiteral("kept"));
        QCOMPARE(s.platform.problems.size(), 2);
        QVERIFY(s.platform.problems[0].contains(s.notesPath()));
        QVERIFY(s.platform.problems[1].contains(s.sendPath()));
        QVERIFY(!s.platform.ended);
    }

    // Only a file that is not there at all is reported as missing; anything
    // else in its place could not be read, and the message says why.
    void whyTheNotesCannotBeShown_data()
    {
        QTest::addColumn<QString>("place"); // where the notes file is looked for
        QTest::addColumn<QString>("message");
        const QString missing = QStringLiteral(
            "There are no notes to show yet: %1 does not exist. \"Save as Notes\" starts it.");
        const QString unreadable = QStringLiteral("The file %1 could not be read (%2).");
        QTest::newRow("no file") << "notes_.txt" << missing;
        QTest::newRow("missing folder") << "gone\\notes_.txt" << missing;
        QTest::newRow("below a file") << "masterFile.txt\\notes_.txt" << missing;
        QTest::newRow("folder") << "folder"
                                << unreadable.arg(u"%1", u"it is a folder, not a plain file");
#ifndef Q_OS_WIN // QFile::link makes a shortcut file there
        QTest::newRow("dangling link")
            << "link" << unreadable.arg(u"%1", u"it is a link, not a plain file");
#endif
    }

    void whyTheNotesCannotBeShown()
    {
        QFETCH(QString, place);
        QFETCH(QString, message);
        RecordSession s;
        writeFile(s.masterPath(), "m");
        QVERIFY(QDir(s.folder()).mkdir(QStringLiteral("folder")));
        QVERIFY(QFile::link(s.folder() + QStringLiteral("/nowhere"),
                            s.folder() + QStringLiteral("/link")));
        s.session.notesFilePath = QStringLiteral("c:\\kestrafo\\") + place;
        s.panes.question = QStringLiteral("kept");
        cmd_display_note_file_Click(s.session, s.panes, s.platform);
        QCOMPARE(s.panes.question, QStringLiteral("kept"));
        QCOMPARE(s.platform.problems,
                 QStringList{message.arg(toNativePath(s.session.notesFilePath).path)});
    }
};

QTEST_GUILESS_MAIN(TestFileViewers)
#include "tst_file_viewers.moc"

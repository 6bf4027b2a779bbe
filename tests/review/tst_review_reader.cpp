#include "review.h"
#include "review_fixture.h"

#include "../reliability/record_samples.h"
#include "app/start_up.h"
#include "format/windows1252.h"
#include "navigation/next_question.h"
#include "records/notes.h"
#include "records/rescue.h"
#include "records/response_entry.h"
#include "support/file_bytes.h"
#include "support/record_session.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray ratingLineOf(const KeptRecord &r)
{
    if (r.ratingKind == RatingKind::Confidence)
        return "confidence assessment:  " + r.rating;
    if (r.ratingKind == RatingKind::SelfCritique)
        return "self critique assessment: " + r.rating;
    return {};
}

// The base file of the damage cases: an opening block, two responses, a
// note and a kept draft (lines 1-5, 6-13, 14-21, 22-28, 29-36).
QByteArray opening()
{
    return crlfLines(
        {QByteArray(19, 'x'), "assignment #005", "005.  `query", "Dravonic II", "12-07-2026"});
}
QByteArray first()
{
    return sendResponse("14:03:27", "What is x?", "it is 3\r\n" + closingRule,
                        "confidence assessment:  2");
}
QByteArray second()
{
    return sendResponse("14:05:00", " It is 3.", "ok", "self critique assessment: 3");
}
QByteArray note()
{
    return notesRecord("14:06:00", "12-07-202614:06:00", "It is 3.", "remember");
}
QByteArray draft()
{
    return keptRecord("14:07:00", "12-07-202614:07:00", "Next one", "quit program",
                      closingRule + "\r\nRESPONSE -->  \r\n" + sectionRule);
}

// The review of one file of these bytes.
Review reviewFileOf(const QByteArray &bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("send_1207.txt"));
    writeFile(path, bytes);
    return reviewPaths({path}, nullptr);
}

} // namespace

class TestReviewReader : public QObject
{
    Q_OBJECT

private slots:
    // A session through the tutor's own commands: every text comes back as
    // typed, the records' own rules and labels included.
    void tutorFilesReadBack()
    {
        const QStringList typed = {
            QString(),
            QStringLiteral("first line\r\nsecond line\r\n\r\nafter an empty line"),
            QString::fromLatin1(sectionRule + "\r\n" + closingRule + "\r\nRESPONSE -->  \r\n" +
                                closingRule),
            QStringLiteral("confidence assessment:  3\r\n") + QString::fromLatin1(closingRule),
            QString::fromLatin1(closingRule) + QStringLiteral("\r\nNOTES -------> x\r\n") +
                QString::fromLatin1(closingRule + "\r\n" + sectionRule),
            QString::fromUtf8("\u00e9t\u00e9 \u20ac"),
        };
        const QStringList ratings = {QStringLiteral("2"), QString(),
                                     QStringLiteral("7"), QStringLiteral("yes"),
                                     QStringLiteral("0"), QStringLiteral("3")};
        RecordSession s;
        QStringList bank;
        for (int i = 0; i < typed.size(); ++i)
            bank << (i % 2 ? QStringLiteral("`aAnswer %1").arg(i)
                           : QStringLiteral("`qQuestion %1").arg(i));
        s.useBank(bank);
        s.session.bankIndex = 0;
        QVERIFY(openAssignment(s.session, s.platform));
        for (int i = 0; i < typed.size(); ++i) {
            cmdNextQuestion_Click(s.session, s.panes, s.platform,
                                  [](const QString &) { return true; });
            s.panes.answer = typed[i];
            s.platform.replies = {ratings[i]};
            cmd_enter_response_Click(s.session, s.panes, s.platform);
            s.panes.answer = typed[typed.size() - 1 - i];
            cmd_save_as_notes_Click(s.session, s.panes, s.platform);
        }

        for (const bool master : {true, false}) {
            const Reading reading = readBytes(master ? s.master() : s.send());
            QCOMPARE(reading.damages.size(), 0);
            QCOMPARE(reading.records.size(), 1 + 2 * typed.size());
            QCOMPARE(reading.records[0].kind, RecordKind::Opening);
            QCOMPARE(reading.records[0].assignment, QByteArray("005"));
            for (int i = 0; i < typed.size(); ++i) {
                const KeptRecord &response = reading.records[1 + 2 * i];
                const KeptRecord &notes = reading.records[2 + 2 * i];
                QCOMPARE(response.kind, RecordKind::Response);
                QCOMPARE(response.fromMaster, master);
                QCOMPARE(fromWindows1252(response.text), typed[i]);
                QCOMPARE(response.ratingKind,
                         i % 2 ? RatingKind::SelfCritique : RatingKind::Confidence);
                QCOMPARE(QString::fromLatin1(response.rating), ratings[i]);
                QCOMPARE(response.item.startsWith(i % 2 ? "Answer" : "Question"), true);
                QCOMPARE(notes.kind, RecordKind::Notes);
                QCOMPARE(fromWindows1252(notes.text), typed[typed.size() - 1 - i]);
                QVERIFY(notes.doubt.isEmpty() && response.doubt.isEmpty());
            }
        }
        QCOMPARE(readBytes(s.notes()).records.size(), typed.size());
    }

    // The reliability tests' records, written back from what was read, give
    // the same bytes.
    void sampleRecordsRoundTrip()
    {
        QByteArray master, send;
        for (int i = 0; i < 36; ++i) {
            const SampleRecord sample = sampleRecord(1, i, 17, SampleSizes::Small);
            master += sample.master;
            send += sample.send;
        }
        for (const QByteArray &bytes : {master, send}) {
            const Reading reading = readBytes(bytes);
            QCOMPARE(reading.damages.size(), 0);
            QCOMPARE(reading.records.size(), 36);
            QByteArray again;
            for (const KeptRecord &r : reading.records) {
                if (r.fromMaster)
                    again += masterResponse(r.time, " 50000 ", r.item, r.text, ratingLineOf(r));
                else
                    again += sendResponse(r.time, r.item, r.text, ratingLineOf(r));
            }
            QCOMPARE(again, bytes);
        }
    }

    // The tutor writes no rating line before the first item of a session is
    // read: a response typed then may end with a line like a rating.
    void responseBeforeAnyItem()
    {
        const QString typed = QStringLiteral("x\r\nconfidence assessment:  2");
        RecordSession s;
        s.useBank({QStringLiteral("`qQuestion 1")});
        s.session.bankIndex = 0;
        QVERIFY(openAssignment(s.session, s.platform));
        s.panes.answer = typed;
        cmd_enter_response_Click(s.session, s.panes, s.platform);
        cmdNextQuestion_Click(s.session, s.panes, s.platform, [](const QString &) { return true; });
        s.panes.answer = typed;
        s.platform.replies = {QStringLiteral("3")};
        cmd_enter_response_Click(s.session, s.panes, s.platform);
        for (const QByteArray &bytes : {s.master(), s.send()}) {
            const Reading reading = readBytes(bytes);
            QCOMPARE(reading.records.size(), 3);
            QCOMPARE(reading.records[1].ratingKind, RatingKind::None);
            QCOMPARE(fromWindows1252(reading.records[1].text), typed);
            QCOMPARE(reading.records[2].ratingKind, RatingKind::Confidence);
            QCOMPARE(reading.records[2].rating, QByteArray("3"));
            QCOMPARE(fromWindows1252(reading.records[2].text), typed);
        }
    }

    // A kept draft gives the length of its text as written: a character
    // beyond the basic plane is one, a Greek letter its spelled name.
    void keptDraftLengthIsThatOfTheTextWritten()
    {
        const QString typed = QStringLiteral("x = \U0001D465 \U0001F600\r\n\u03B8 \u2264 \u03C0/2");
        RecordSession s;
        const Reading reading = readBytes(::rescueRecord(
            QStringLiteral("What is x?"), QStringLiteral("quit program"), typed, s.platform));
        QCOMPARE(reading.damages.size(), 0);
        QCOMPARE(reading.records.size(), 1);
        QCOMPARE(reading.records[0].kind, RecordKind::Rescue);
        QCOMPARE(reading.records[0].text, QByteArray("x = ? ?\r\n`theta <= `pi/2"));
    }

    // Where only commentary may have been read, a line like a rating cannot
    // be told from the end of the text: it is read as a rating and said to be
    // unclear, once a session.
    void ratingLookalikes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<bool>>("doubts");
        const QByteArray unrated = sendResponse("14:00:00", "Welcome to the course.", "hello", {});
        const QByteArray lookalike =
            sendResponse("14:01:00", "More about the course.", "y", "confidence assessment:  1");
        const QByteArray rated = sendResponse("14:02:00", "Q", "z", "confidence assessment:  2");
        QTest::newRow("after an unrated response")
            << opening() + unrated + lookalike + rated << QList<bool>{false, false, true, false};
        QTest::newRow("rated from the start")
            << opening() + rated + lookalike << QList<bool>{false, false, false};
        QTest::newRow("each session anew")
            << opening() + unrated + opening() + lookalike + opening() + unrated + lookalike
            << QList<bool>{false, false, false, false, false, false, true};
    }

    void ratingLookalikes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<bool>, doubts);
        const Reading reading = readBytes(bytes);
        QCOMPARE(reading.damages.size(), 0);
        QList<bool> found;
        for (const KeptRecord &r : reading.records)
            found << !r.doubt.isEmpty();
        QCOMPARE(found, doubts);
        for (const KeptRecord &r : reading.records) {
            if (!r.doubt.isEmpty())
                QCOMPARE(r.rating, QByteArray("1"));
        }
    }

    void damage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        QTest::addColumn<QStringList>("damaged");
        QTest::addColumn<int>("status");

        const QByteArray whole = opening() + first() + second() + note() + draft();
        QTest::newRow("whole") << whole << 5 << QStringList() << 0;
        QTest::newRow("last line end cut off")
            << whole.chopped(2) << 5 << QStringList{"line 39"} << 1;
        QTest::newRow("cut between CR and LF")
            << whole.chopped(1) << 5 << QStringList{"line 39"} << 1;
        QTest::newRow("torn tail")
            << whole.first(whole.size() - 30) << 4 << QStringList{"lines 30-39"} << 1;
        QTest::newRow("record cut in the middle")
            << opening() + first().first(120) + second() + note() << 3
            << QStringList{"lines 6-8", "line 9"} << 1;
        QTest::newRow("two records spliced")
            << opening() + first().first(60) + second().sliced(50) + note() << 2
            << QStringList{"lines 6-13"} << 1;
        QTest::newRow("text pasted between records")
            << opening() + first() + "pasted by hand\r\n" + second() << 3
            << QStringList{"line 15", "unclear lines 6-14"} << 1;
        QTest::newRow("text holding a record's first lines")
            << opening() + sendResponse("14:03:27", "What?",
                                        closingRule + "\r\n" + sectionRule + "\r\n" + timeIndent +
                                            "14:00:00\r\nmore",
                                        "confidence assessment:  1")
            << 2 << QStringList{"lines 12-16"} << 1;
        QByteArray wrongLength = draft();
        wrongLength.replace(" characters", "1 characters");
        QTest::newRow("kept draft of the wrong length")
            << opening() + wrongLength + note() << 2 << QStringList{"lines 6-15"} << 1;
        QByteArray noNumber = draft();
        noNumber.replace(", 116 characters", ", characters");
        QTest::newRow("kept draft label without a number")
            << opening() + noNumber + note() << 2 << QStringList{"lines 6-15"} << 1;
        QByteArray lf = whole;
        lf.replace("\r\n", "\n");
        QTest::newRow("LF line ends") << lf << 5 << QStringList{"whole file"} << 1;
        QByteArray stripped = whole;
        stripped.replace("RESPONSE -->  \r\n", "RESPONSE -->\r\n");
        QTest::newRow("trailing spaces stripped")
            << stripped << 4 << QStringList{"lines 30-39", "whole file"} << 1;
        QTest::newRow("UTF-8 file")
            << opening() + sendResponse("14:03:27", "Why?", "\xC3\xA9t\xC3\xA9",
                                        "confidence assessment:  2")
            << 2 << QStringList{"whole file"} << 1;
        QTest::newRow("empty file") << QByteArray() << 0 << QStringList() << 2;
        QTest::newRow("binary file") << QByteArray("\x7f"
                                                   "ELF\x02\x01\x01\0\0\0\0\0",
                                                   12) +
                                            whole
                                     << 0 << QStringList() << 2;
    }

    void damage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        QFETCH(QStringList, damaged);
        QFETCH(int, status);
        const Review review = reviewFileOf(bytes);
        QCOMPARE(review.status, status);
        QCOMPARE(review.files.size(), 1);
        const FileSummary &summary = review.files[0];
        QCOMPARE(summary.records, records);
        QStringList found;
        for (const Damage &d : summary.damages)
            found << (d.firstLine == 0 ? QStringLiteral("whole file") : d.what.section(u':', 0, 0));
        for (const QString &doubt : summary.doubts)
            found << QStringLiteral("unclear ") + doubt.section(u':', 0, 0);
        QCOMPARE(found, damaged);
    }

    // What was read before the error is kept, and the error is told, not
    // taken for the end of the file.
    void readErrorIsNotTheEnd()
    {
        PieceDevice device(opening() + first() + second(), 40, PieceDevice::End::ReadError);
        Reading reading;
        const QString error = readRecords(device, FileCheck{}, reading);
        QCOMPARE(error, QStringLiteral("Input/output error"));
        QCOMPARE(reading.records.size(), 3);
        QCOMPARE(reading.damages.size(), 1);
        QCOMPARE(reading.damages[0].what,
                 QStringLiteral("the file could not be read after line 22: Input/output error"));
    }

    void foldersAreReadByContent()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("renamed by the student.txt")),
                  opening() + first() + second());
        writeFile(dir.filePath(QStringLiteral("drafts_.txt")), draft());
        writeFile(dir.filePath(QStringLiteral("shopping list.txt")), "milk\r\neggs\r\n");
        const Review review = reviewPaths({dir.path()}, nullptr);
        QCOMPARE(review.status, 0);
        QCOMPARE(review.files.size(), 2);
        const auto totals = totalsOf(review.files);
        QCOMPARE(totals.value(QStringLiteral("005")).responses, 2);
        QCOMPARE(totals.value(QStringLiteral("005")).confidence[2], 1);
        QCOMPARE(totals.value(QStringLiteral("005")).selfCritique[3], 1);
        QCOMPARE(totals.value(QStringLiteral("without an opening block")).drafts, 1);
        // A file without records is listed as such, not passed over.
        QCOMPARE(review.withoutRecords,
                 QStringList{QDir::toNativeSeparators(dir.filePath("shopping list.txt"))});

        QTemporaryDir empty;
        QCOMPARE(reviewPaths({empty.path()}, nullptr).status, 2);
        QCOMPARE(reviewPaths({dir.filePath(QStringLiteral("missing"))}, nullptr).status, 2);
    }

    void sessionTimes()
    {
        const QByteArray bytes = opening() +
                                 sendResponse("23:59:00", "a", "x", "confidence assessment:  1") +
                                 sendResponse("00:01:00", "b", "x", "confidence assessment:  x") +
                                 sendResponse("00:05:00", "c", "x", "confidence assessment:  3");
        const Review review = reviewFileOf(bytes);
        const SessionSummary &s = review.files[0].sessions[0];
        QCOMPARE(s.lastSecond - s.firstSecond, 360);
        QCOMPARE(medianGap(s.responseSeconds), 180);
        QCOMPARE(s.confidence[4], 1);
    }
};

QTEST_GUILESS_MAIN(TestReviewReader)
#include "tst_review_reader.moc"

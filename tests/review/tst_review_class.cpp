#include "class_views.h"
#include "review.h"
#include "support/file_bytes.h"
#include "support/headless_chromium.h"
#include "support/sample_class.h"

#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The items of the assignments the class works, one per click of "Next
// Question / Answer", as the course holds them.
const QStringList places005 = {"005 Q1", "005 A1", "005 C1", "005 Q2", "005 A2", "005 Q3"};
const QStringList places012 = {"012 Q1", "012 A1", "012 Q2", "012 A2", "012 Q3"};
const QStringList places018 = {"018 Q1", "018 Q2", "018 Q3", "018 Q4", "018 Q5", "018 Q6"};

const QString hostile = QStringLiteral("=HYPERLINK(\"http://x\") <script>alert(1)</script> "
                                       "what?ever f?(x)");

struct Planned
{
    QString student;
    QString place;
    QString date;
    QString text;
    int rating = 0; // 4: a reply that is not a digit
    QStringList asked;
};

// Thirty students: all work 005, two in three 012, the first ten 018.
QList<SampleStudent> classOfThirty(QList<Planned> &planned)
{
    QList<SampleStudent> students;
    for (int s = 0; s < 30; ++s) {
        SampleStudent student{QStringLiteral("student%1").arg(s, 2, 10, QLatin1Char('0')), {}};
        const QList<std::tuple<QString, QStringList, QDate>> works = {
            {"5", places005, QDate(2026, 12, 7)},
            {"12", places012, QDate(2026, 12, 9)},
            {"18", places018, QDate(2026, 12, 11)}};
        for (const auto &[assignment, places, date] : works) {
            if ((assignment == u"12" && s % 3 == 2) || (assignment == u"18" && s >= 10))
                continue;
            SampleSession session{assignment, date, {}};
            for (int step = 1; step <= places.size(); ++step) {
                Planned p{student.name,
                          places[step - 1],
                          date.toString(Qt::ISODate),
                          QStringLiteral("Work of %1 on step %2.").arg(student.name).arg(step),
                          (s + step * step) % (step % 3 == 0 ? 2 : 5),
                          {}};
                if ((s + step) % 4 == 0) {
                    p.text += QStringLiteral(" Why is the sign negative?");
                    p.asked << QStringLiteral("Why is the sign negative?");
                }
                if ((s + step) % 5 == 0)
                    p.text += QStringLiteral("\r\nThe value f?(x) is odd. Is it (really)?");
                if ((s + step) % 5 == 0)
                    p.asked << QStringLiteral("Is it (really)?");
                if (s == 0 && step == 1 && assignment == u"5") {
                    p.text = hostile;
                    p.asked.clear();
                }
                SampleResponse response{step,
                                        p.text,
                                        p.rating == 4 ? QStringLiteral("maybe")
                                                      : QString::number(p.rating),
                                        {}};
                if (s % 10 == 0 && step == 2) {
                    response.note = QStringLiteral("Keep this. Is a note asked too?");
                    p.asked << QStringLiteral("Is a note asked too?");
                }
                session.responses.append(response);
                planned.append(p);
            }
            student.sessions.append(session);
        }
        students.append(student);
    }
    return students;
}

// RFC 4180 rows, as a spreadsheet reads them.
QList<QStringList> csvRows(const QString &text)
{
    QList<QStringList> rows{{}};
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            rows.last() << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            rows.last() << field;
            field.clear();
            rows.append(QStringList());
            ++i;
        } else {
            field += c;
        }
    }
    rows.removeLast();
    return rows;
}

} // namespace

class TestReviewClass : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString error = writeSampleClass(m_dir.filePath("class"), classOfThirty(m_planned));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        m_review = reviewPaths({m_dir.filePath("class")}, nullptr);
        QCOMPARE(m_review.status, 0);
    }

    // Each student's responses and last date per assignment, each record
    // once though the master file and a SEND file both hold it.
    void progressGridCountsEachResponseOnce()
    {
        QMap<QString, GridCell> expected;
        for (const Planned &p : std::as_const(m_planned)) {
            GridCell &cell = expected[p.student + u' ' + p.place.left(3)];
            ++cell.responses;
            cell.lastDate = p.date;
        }
        const ClassReport &report = m_review.classReport;
        const ProgressGrid grid = progressGrid(report);
        QCOMPARE(grid.assignments, QStringList({"005", "012", "018"}));
        QCOMPARE(report.students.size(), 30);
        for (qsizetype s = 0; s < report.students.size(); ++s) {
            for (const QString &assignment : grid.assignments) {
                const GridCell want = expected.value(report.students[s] + u' ' + assignment);
                const GridCell got = grid.cells.value(gridKey(s, assignment));
                QCOMPARE(got.responses, want.responses);
                QCOMPARE(got.lastDate, want.lastDate);
            }
        }
    }

    void itemSpreadsInCourseOrder()
    {
        QMap<QString, RatingCounts> ratings;
        QMap<QString, QSet<QString>> students;
        for (const Planned &p : std::as_const(m_planned)) {
            ++ratings[p.place][size_t(p.rating)];
            students[p.place].insert(p.student);
        }
        const ClassReport &report = m_review.classReport;
        QStringList order;
        for (const AssignmentItems &assignment : itemSpreads(report)) {
            for (const ItemSpread &spread : assignment.items) {
                const QString place = report.items[spread.item].place;
                order << place;
                QCOMPARE(spread.students, students[place].size());
                QCOMPARE(spread.ratings, ratings[place]);
                const RatingCounts &r = ratings[place];
                QCOMPARE(spread.low, 2 * (r[0] + r[1]) > r[0] + r[1] + r[2] + r[3] + r[4]);
                int previous = -1;
                for (qsizetype entry : spread.responses) {
                    QVERIFY(report.entries[entry].rating >= previous);
                    previous = report.entries[entry].rating;
                }
            }
        }
        QCOMPARE(order, places005 + places012 + places018);
    }

    void questionsPerStudent()
    {
        QMap<QString, QStringList> expected;
        for (const Planned &p : std::as_const(m_planned)) {
            for (const QString &sentence : p.asked)
                expected[p.student] << p.place + QStringLiteral(": ") + sentence;
        }
        const ClassReport &report = m_review.classReport;
        QMap<QString, QStringList> found;
        for (const StudentQuestions &student : studentQuestions(report)) {
            for (const Asked &asked : student.asked)
                found[report.students[student.student]]
                    << placeOf(report, report.entries[asked.entry]) + QStringLiteral(": ") +
                           asked.sentence;
        }
        QCOMPARE(found, expected);
    }

    // Through the program: the CSV's student, place and date columns, the
    // hostile response defused in the CSV and escaped in the page, and the
    // page as a browser draws it.
    void reportFiles()
    {
        const QString csv = m_dir.filePath("class.csv");
        const QString html = m_dir.filePath("class.html");
        QProcess program;
        program.start(QStringLiteral(REVIEW_PROGRAM),
                      {"--csv", csv, "--html", html, m_dir.filePath("class")});
        QVERIFY(program.waitForFinished(60'000));
        QCOMPARE(program.exitCode(), 0);
        const QByteArray out = program.readAllStandardOutput();
        QVERIFY2(out.contains("    asks  005 A1: Is a note asked too?"), out);

        const QByteArray bytes = readFile(csv);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> rows = csvRows(QString::fromUtf8(bytes.mid(3)));
        QCOMPARE(rows.value(0).mid(0, 6),
                 QStringList({"file", "student", "session date", "assignment", "place", "record"}));
        QMap<QString, int> expected, found;
        for (const Planned &p : std::as_const(m_planned))
            expected[p.student + u' ' + p.place + u' ' + p.date] += 2; // master and SEND
        for (const QStringList &row : rows) {
            QCOMPARE(row.size(), 11);
            if (row[5] == u"response")
                ++found[row[1] + u' ' + row[4] + u' ' + row[2]];
        }
        QCOMPARE(found, expected);
        QVERIFY(rows.contains(QStringList{}) == false);
        QCOMPARE(
            std::count_if(rows.cbegin(), rows.cend(),
                          [](const QStringList &row) { return row.last() == u'\'' + hostile; }),
            2);

        const QByteArray page = readFile(html);
        QVERIFY(!page.contains("<script"));
        QCOMPARE(
            page.count("=HYPERLINK(&quot;http://x&quot;) &lt;script&gt;alert(1)&lt;/script&gt; "
                       "what?ever f?(x)"),
            2); // under its item and as rated 1, never as a question
        QVERIFY(!page.contains("what?ever</li>"));

#ifndef Q_OS_WIN // the page is drawn by Linux's Chromium
        if (!QFile::exists(chromiumProgram))
            QSKIP("no /usr/bin/chromium: the page is not rendered in a browser");
        QByteArray complaint;
        const QImage image = renderPage(html, QSize(1000, 2400), &complaint);
        QVERIFY2(!image.isNull(), complaint);
        // The spreads' red for rating 0 shows, the grid's grey of the
        // assignments not sent, and the charts' blue of confidence.
        QVERIFY2(pixelsOf(image, qRgb(0xc5, 0x30, 0x30)) > 2000, "no red");
        QVERIFY2(pixelsOf(image, qRgb(0xf6, 0xf6, 0xf6)) > 2000, "no empty cells");
        QVERIFY2(pixelsOf(image, qRgb(0x2b, 0x6c, 0xb0)) > 26 * 100, "no confidence bars");
#endif
    }

    void studentNames_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("namedFolder");
        QTest::addColumn<bool>("byFile");
        QTest::addColumn<QString>("student");
        QTest::newRow("send file renamed") << "/m/ann_send_1209.txt"
                                           << "/m" << false << "ann";
        QTest::newRow("any file") << "/m/ann.txt"
                                  << "/m" << false << "ann";
        QTest::newRow("in a student's folder") << "/m/ben/x_send_1209.txt"
                                               << "/m" << false << "ben";
        QTest::newRow("by file") << "/m/ben/cleo-send_1209.txt"
                                 << "/m" << true << "cleo";
        QTest::newRow("tutor's own name, by file") << "/m/ben/masterFile.txt"
                                                   << "/m" << true << "ben";
        QTest::newRow("named itself") << "/x/dev/send_1209.txt" << QString() << false << "dev";
        QTest::newRow("separators before a last line break kept") << "/m/_x_\n.txt"
                                                                  << "/m" << false << "x_\n";
    }

    void studentNames()
    {
        QFETCH(QString, file);
        QFETCH(QString, namedFolder);
        QFETCH(bool, byFile);
        QFETCH(QString, student);
        QCOMPARE(studentName(file, namedFolder, byFile), student);
    }

private:
    QTemporaryDir m_dir;
    QList<Planned> m_planned;
    Review m_review;
};

QTEST_MAIN(TestReviewClass)
#include "tst_review_class.moc"

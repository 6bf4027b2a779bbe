#include "line_reader.h"
#include "review_fixture.h"

#include <QRandomGenerator>
#include <QtTest>

#include <random>

namespace {

// A file like the tutor's, whose texts hold the records' own rules and
// labels: an opening block, responses, notes and kept drafts.
QByteArray baseFile()
{
    const QList<QByteArray> texts = {
        "",
        "it is 3",
        sectionRule + "\r\n" + closingRule + "\r\nRESPONSE -->  \r\n" + closingRule,
        "two\r\nlines \xE9\xFF",
        "NOTES -------> no\r\nKEPT --------> x, 3 characters",
    };
    QByteArray bytes =
        crlfLines({QByteArray("vvwxyz\xFF\xFE\x80vvwxyz\xFF\xFE\x80vvwxyz"), "assignment #007",
                   "007.  Integrals", "Dravonic II", "12-08-2026"});
    for (int i = 0; i < 30; ++i) {
        const QByteArray time = "14:" + QByteArray::number(10 + i) + ":00";
        const QByteArray &text = texts[i % texts.size()];
        switch (i % 3) {
        case 0:
            bytes += sendResponse(time, "Question " + QByteArray::number(i), text,
                                  "confidence assessment:  " + QByteArray::number(i % 5));
            break;
        case 1:
            bytes += notesRecord(time, "12-08-2026" + time, "Item " + QByteArray::number(i), text);
            break;
        default:
            bytes += keptRecord(time, "12-08-2026" + time, "Item " + QByteArray::number(i),
                                "autosave", text);
        }
    }
    return bytes;
}

QByteArray keyOf(const KeptRecord &r)
{
    return QByteArray::number(int(r.kind)) + '|' + r.time + '|' + r.date + '|' + r.assignment +
           '|' + r.header + '|' + r.item + '|' + r.text + '|' + r.rating + '|' + r.reason;
}

struct Span
{
    qsizetype start;
    qsizetype end; // after the record's last line end
    QByteArray key;
};

QList<Span> spansOf(const QByteArray &bytes)
{
    QList<qsizetype> lineStart = {0};
    for (qsizetype i = bytes.indexOf("\r\n"); i >= 0; i = bytes.indexOf("\r\n", i + 2))
        lineStart.append(i + 2);
    QList<Span> spans;
    for (const KeptRecord &r : readBytes(bytes).records)
        spans.append({lineStart[r.firstLine - 1], lineStart[r.lastLine], keyOf(r)});
    return spans;
}

// Whole records outside the damage must come back as they were.
QString missing(const QByteArray &mutated, const QList<Span> &spans,
                const std::function<bool(const Span &)> &untouched)
{
    QSet<QByteArray> found;
    for (const KeptRecord &r : readBytes(mutated).records)
        found.insert(keyOf(r));
    for (qsizetype i = 0; i < spans.size(); ++i) {
        const Span &span = spans[i];
        // A text without a length may run on into damage right after it: the
        // student may have typed it. Only the record before the damage is
        // excused.
        const bool nextWhole = i + 1 == spans.size() || untouched(spans[i + 1]);
        if (untouched(span) && nextWhole && !found.contains(span.key))
            return QStringLiteral("record at bytes %1-%2 not found").arg(span.start).arg(span.end);
    }
    return {};
}

// Everything the reader said about a file, line numbers included.
QByteArrayList reportOf(const Reading &reading)
{
    QByteArrayList report;
    for (const KeptRecord &r : reading.records)
        report << QByteArray::number(r.firstLine) + '-' + QByteArray::number(r.lastLine) + ' ' +
                      keyOf(r) + r.doubt.toUtf8();
    for (const Damage &d : reading.damages)
        report << d.what.toUtf8();
    return report;
}

// The lines as a plain reading of the whole file finds them, and whether
// the last one lacks its line end.
std::pair<QByteArrayList, bool> plainLines(const QByteArray &bytes, bool crlf)
{
    QByteArrayList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' || (crlf && (i == start || bytes[i - 1] != '\r')))
            continue;
        lines.append(bytes.mid(start, i - start - (crlf ? 1 : 0)));
        start = i + 1;
    }
    if (start == bytes.size())
        return {lines, false};
    // A last line cut between its CR and LF keeps the CR out of its text.
    lines.append(bytes.sliced(start).chopped(crlf && bytes.endsWith('\r') ? 1 : 0));
    return {lines, true};
}

} // namespace

class TestReviewFuzz : public QObject
{
    Q_OBJECT

private slots:
    void readInPieces_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<qint64>>("pieces");
        const QList<qint64> small = {1, 2, 3, 5, 7, 13, 64, 65, 700, 4093};
        const QByteArray base = baseFile();
        QByteArray lf = base;
        lf.replace("\r\n", "\n");
        QTest::newRow("tutor file") << base << small;
        QTest::newRow("spliced") << base.first(base.size() / 2) + base.sliced(base.size() / 3)
                                 << small;
        QTest::newRow("cut after a CR") << base.first(base.size() - 7) + '\r' << small;
        QTest::newRow("stray line ends") << "\r\n\n\r\r\n" + base.sliced(200) << small;
        QTest::newRow("LF line ends") << lf << small;
        // Records longer than the reader reads at once, many lines and one.
        QByteArray longText;
        for (int i = 0; i < 9000; ++i)
            longText +=
                "line " + QByteArray::number(i) + (i % 1000 ? "\r\n" : ".\r\nassignment\r\n");
        QTest::newRow("long texts")
            << base.first(400) +
                   sendResponse("14:00:00", "Long", longText, "confidence assessment:  1") +
                   base.sliced(400) + sendResponse("14:00:01", "Long", longText.repeated(30), {}) +
                   sendResponse("14:00:02", "Wide", QByteArray(1'500'000, '.'), {})
            << QList<qint64>{1000, 4093, 65536, 70001, 300000};
    }

    // Records, line ends and damage that fall across the device's pieces are
    // read as they are within one piece.
    void readInPieces()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<qint64>, pieces);
        const QByteArrayList whole = reportOf(readBytes(file, file.size() + 1));
        QVERIFY(whole.size() > 10);
        for (qint64 piece : pieces)
            QCOMPARE(reportOf(readBytes(file, piece)), whole);
    }

    void linesWhateverThePieces_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 40; ++seed)
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
    }

    // Every line, and the lines kept with the line ends between them, in
    // pieces of any size, whether the lines read are kept or let go: as a
    // plain reading of the whole file finds them.
    void linesWhateverThePieces()
    {
        QFETCH(quint32, seed);
        std::mt19937 random(seed);
        // A few files longer than the reader reads at once, kept all along.
        const bool large = seed % 10 == 0;
        QByteArray bytes(large ? 2'500'000 : qsizetype(random() % 3000), Qt::Uninitialized);
        for (char &c : bytes)
            c = "\r\n.ax"[random() % 5];
        QList<qint64> pieces = {63, 64, 65, 700, 1 << 20};
        if (!large)
            pieces << 1 << 2 << 3;
        for (const bool crlf : {true, false}) {
            const auto [expected, cut] = plainLines(bytes, crlf);
            for (const qint64 piece : pieces) {
                PieceDevice device(bytes, piece);
                LineReader lines(device, crlf);
                qint64 i = 0;
                qint64 kept = 0;
                for (; lines.has(i); ++i) {
                    QVERIFY2(i < expected.size() && lines.line(i) == expected[i],
                             qPrintable(QStringLiteral("line %1").arg(i)));
                    if (!large && random() % 3 == 0)
                        lines.release(kept = i);
                }
                QCOMPARE(i, expected.size());
                QCOMPARE(lines.lines(kept, i).toByteArray(),
                         expected.mid(kept).join(crlf ? "\r\n" : "\n"));
                QCOMPARE(lines.lastLineCut(), cut);
                QVERIFY(lines.readError().isEmpty());
            }
        }
    }

    void mutations_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 300; ++seed)
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
        QTest::newRow("seed 2736068616") << quint32(2736068616u);
        for (int i = 0; i < 4; ++i) {
            const quint32 seed = QRandomGenerator::system()->generate();
            QTest::newRow(qPrintable(QStringLiteral("random seed %1").arg(seed))) << seed;
        }
    }

    void mutations()
    {
        QFETCH(quint32, seed);
        std::mt19937 random(seed);
        const QByteArray base = baseFile();
        const QList<Span> spans = spansOf(base);
        QCOMPARE(spans.size(), 31);
        const auto at = [&](qsizetype size) { return qsizetype(random() % quint32(size + 1)); };

        QByteArray noise(at(4096), Qt::Uninitialized);
        for (char &c : noise)
            c = char(random() % 7 == 0 ? "\r\n.!"[random() % 4] : random());
        readBytes(noise);
        readBytes(noise + base.sliced(at(base.size())));

        const qsizetype cut = at(base.size());
        QString problem =
            missing(base.first(cut), spans, [&](const Span &s) { return s.end <= cut; });
        QVERIFY2(problem.isEmpty(), qPrintable(problem + QStringLiteral(", cut at %1").arg(cut)));

        const qsizetype p = at(base.size()), q = at(base.size());
        // Where q is before p the bytes between are there twice, and what
        // follows a record of the first copy is the second copy's start: each
        // copy is checked on its own.
        const QByteArray spliced = base.first(p) + base.sliced(q);
        problem = missing(spliced, spans, [&](const Span &s) { return s.end <= p; });
        if (problem.isEmpty())
            problem = missing(spliced, spans, [&](const Span &s) { return s.start >= q; });
        QVERIFY2(problem.isEmpty(),
                 qPrintable(problem + QStringLiteral(", spliced %1 to %2").arg(p).arg(q)));

        QByteArray flipped = base;
        QList<qsizetype> flips;
        for (int i = 0; i < 1 + int(random() % 8); ++i) {
            flips.append(at(base.size() - 1));
            flipped[flips.last()] = char(random());
        }
        problem = missing(flipped, spans, [&](const Span &s) {
            for (qsizetype f : flips) {
                if (f >= s.start && f < s.end)
                    return false;
            }
            return true;
        });
        QVERIFY2(problem.isEmpty(), qPrintable(problem + QStringLiteral(", flipped bytes")));
    }
};

QTEST_GUILESS_MAIN(TestReviewFuzz)
#include "tst_review_fuzz.moc"

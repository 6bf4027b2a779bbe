#include "line_source.h"
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
            bytes += crlfLines({sectionRule, timeIndent + time, timeIndent + "12-08-2026" + time,
                                "Item " + QByteArray::number(i), sectionRule,
                                "NOTES -------> " + text, closingRule});
            break;
        default:
            bytes +=
                rescueRecord(time, "12-08-2026", "Item " + QByteArray::number(i), "autosave", text);
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

// A line as a plain reading of the whole file finds it.
struct PlainLine
{
    QByteArray text;
    bool period; // the text ends with one
    bool a;      // the next line begins with one, or the file ends after it
};

QList<PlainLine> plainLines(const QByteArray &bytes, bool crlf)
{
    QList<PlainLine> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' || (crlf && (i == 0 || bytes[i - 1] != '\r')))
            continue;
        const QByteArray text = bytes.mid(start, i - start - (crlf ? 1 : 0));
        lines.append({text, text.endsWith('.'), i + 1 == bytes.size() || bytes[i + 1] == 'a'});
        start = i + 1;
    }
    // A last line cut between its CR and LF keeps the CR out of its text.
    if (start < bytes.size())
        lines.append(
            {bytes.sliced(start).chopped(crlf && bytes.endsWith('\r') ? 1 : 0), true, true});
    return lines;
}

} // namespace

class TestReviewFuzz : public QObject
{
    Q_OBJECT

private slots:
    void chunkBoundaries_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<qsizetype>>("chunks");
        QList<qsizetype> small;
        for (qsizetype chunk = 1; chunk < 300; chunk += chunk < 80 ? 1 : 37)
            small << chunk;
        const QByteArray base = baseFile();
        QByteArray lf = base;
        lf.replace("\r\n", "\n");
        QTest::newRow("tutor file") << base << small;
        QTest::newRow("spliced") << base.first(base.size() / 2) + base.sliced(base.size() / 3)
                                 << small;
        QTest::newRow("cut after a CR") << base.first(base.size() - 7) + '\r' << small;
        QTest::newRow("stray line ends") << "\r\n\n\r\r\n" + base.sliced(200) << small;
        QTest::newRow("LF line ends") << lf << small;
        // More bytes and more lines than the reader keeps in front of a
        // chunk: the record grows across chunks instead.
        QByteArray longText;
        for (int i = 0; i < 9000; ++i)
            longText +=
                "line " + QByteArray::number(i) + (i % 1000 ? "\r\n" : ".\r\nassignment\r\n");
        QTest::newRow("long texts")
            << base.first(400) +
                   sendResponse("14:00:00", "Long", longText, "confidence assessment:  1") +
                   base.sliced(400) + sendResponse("14:00:01", "Long", longText.repeated(3), {}) +
                   sendResponse("14:00:02", "Wide", QByteArray(90000, '.'), {})
            << QList<qsizetype>{1000, 4093, 65536, 70001, 300000};
    }

    // Records, line ends and damage that fall across the reader's chunks are
    // read as they are within one chunk.
    void chunkBoundaries()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<qsizetype>, chunks);
        const QByteArrayList whole = reportOf(readBytes(file, file.size() + 1));
        QVERIFY(whole.size() > 10);
        for (qsizetype chunk : chunks)
            QCOMPARE(reportOf(readBytes(file, chunk)), whole);
    }

    void linesWhateverTheChunks_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 40; ++seed)
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
    }

    // Every line and what its line end allows it to be, in chunks of any
    // size, read ahead or as asked, whether the lines read are kept or let
    // go: as a plain reading of the whole file finds them.
    void linesWhateverTheChunks()
    {
        QFETCH(quint32, seed);
        std::mt19937 random(seed);
        // A few files of many lines, kept all along, which outgrow the room
        // in front of a chunk.
        const bool large = seed % 10 == 0;
        QByteArray bytes(large ? 150'000 : qsizetype(random() % 3000), Qt::Uninitialized);
        for (char &c : bytes)
            c = "\r\n.ax"[random() % 5];
        QList<qsizetype> chunks = {63, 64, 65, 700, 4096, 1 << 20};
        if (!large)
            chunks << 1 << 2 << 3;
        for (const bool crlf : {true, false}) {
            const QList<PlainLine> expected = plainLines(bytes, crlf);
            for (const qsizetype chunk : chunks) {
                for (const auto reading :
                     {ChunkReader::Reading::Ahead, ChunkReader::Reading::WhenAsked}) {
                    QBuffer buffer(&bytes);
                    QVERIFY(buffer.open(QIODevice::ReadOnly));
                    LineSource lines(buffer, crlf, chunk, reading);
                    const auto same = [&](qint64 i) {
                        return i < expected.size() && lines.line(i) == expected[i].text &&
                               bool(lines.look(i) & LineLook::MayRule) == expected[i].period &&
                               (!expected[i].a || (lines.look(i) & LineLook::MayCode));
                    };
                    qint64 i = 0;
                    qint64 kept = 0;
                    for (; lines.has(i); ++i) {
                        QVERIFY2(same(i), qPrintable(QStringLiteral("line %1").arg(i)));
                        if (!large && random() % 3 == 0)
                            lines.release(kept = i);
                    }
                    // The lines kept have moved with every chunk read since.
                    for (qint64 k = kept; k < i; ++k)
                        QVERIFY2(same(k), qPrintable(QStringLiteral("kept line %1").arg(k)));
                    QCOMPARE(i, expected.size());
                }
            }
        }
    }

    void mutations_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 300; ++seed)
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
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
        problem = missing(base.first(p) + base.sliced(q), spans,
                          [&](const Span &s) { return s.end <= p || s.start >= q; });
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

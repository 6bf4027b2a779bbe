#include "record_samples.h"
#include "support/expected_record.h"

#include <QHash>
#include <QProcess>

#include <random>

namespace {

QByteArray randomText(std::mt19937 &random, qsizetype length)
{
    static const QByteArray alphabet =
        "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789 +-*/^()=.,;:!?'\"`";
    QByteArray text(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i) {
        const unsigned pick = random() % 64;
        if (pick == 0)
            text[i] = '\r';
        else if (pick == 1)
            text[i] = '\n';
        else if (pick == 2)
            text[i] = char(128 + random() % 128);
        else
            text[i] = alphabet[qsizetype(random() % unsigned(alphabet.size()))];
    }
    return text;
}

QByteArray responseText(std::mt19937 &random, int index, SampleSizes sizes)
{
    if (sizes == SampleSizes::UpToMegabytes && index % 250 == 249)
        return randomText(random, qsizetype(2'000'000 + random() % 3'000'000));
    switch (index % 6) {
    case 0:
        return {};
    case 1:
        return "first line\r\nsecond line\r\n\r\nafter an empty line";
    case 2:
        // Texts that look like the record's own lines.
        return sectionRule + "\r\n" + closingRule + "\r\nRESPONSE -->  \r\n" + closingRule;
    case 3: {
        QByteArray upper;
        for (int b = 128; b < 256; ++b)
            upper.append(char(b));
        return upper;
    }
    default:
        return randomText(random, qsizetype(random() % 4096));
    }
}

} // namespace

SampleRecord sampleRecord(int writer, int index, quint32 seed, SampleSizes sizes)
{
    std::mt19937 random(seed * 7919u + quint32(writer) * 104729u + quint32(index));
    const QByteArray time = QByteArray::number(index / 3600 % 24).rightJustified(2, '0') + ':' +
                            QByteArray::number(index / 60 % 60).rightJustified(2, '0') + ':' +
                            QByteArray::number(index % 60).rightJustified(2, '0');
    const QByteArray item = "Copy " + QByteArray::number(writer) + ", item " +
                            QByteArray::number(index) + ": find the limit.";
    const QByteArray response = responseText(random, index, sizes);
    const QByteArray rating = "confidence assessment:  " + QByteArray::number(index % 4);

    SampleRecord record;
    record.send = sendResponse(time, item, response, rating);
    record.master = masterResponse(time, " 50000 ", item, response, rating);
    return record;
}

RecordMatch matchRecords(const QByteArray &bytes, qsizetype start,
                         const QList<QList<ExpectedRecord>> &writers, quint32 seed,
                         SampleSizes sizes, bool master)
{
    RecordMatch match;
    match.end = start;
    QList<qsizetype> next(writers.size(), 0);
    QHash<quint64, QByteArray> made;
    const auto recordOf = [&](const ExpectedRecord &expected) -> const QByteArray & {
        const quint64 key = (quint64(expected.writer) << 32) | quint32(expected.index);
        auto it = made.find(key);
        if (it == made.end()) {
            const SampleRecord record = sampleRecord(expected.writer, expected.index, seed, sizes);
            it = made.insert(key, master ? record.master : record.send);
        }
        return *it;
    };
    const QByteArrayView all(bytes);

    for (;;) {
        bool advanced = false;
        for (qsizetype w = 0; w < writers.size() && !advanced; ++w) {
            // An optional record that is not there is passed over.
            for (qsizetype i = next[w]; i < writers[w].size(); ++i) {
                const ExpectedRecord &expected = writers[w][i];
                const QByteArray &record = recordOf(expected);
                if (all.sliced(match.end).startsWith(record)) {
                    match.found.append(expected);
                    match.end += record.size();
                    next[w] = i + 1;
                    made.remove((quint64(expected.writer) << 32) | quint32(expected.index));
                    advanced = true;
                    break;
                }
                if (!expected.optional)
                    break;
            }
        }
        if (!advanced)
            return match;
    }
}

QList<ChildLine> parseChildOutput(const QByteArray &output)
{
    QList<ChildLine> lines;
    for (const QByteArray &text : output.split('\n')) {
        const QList<QByteArray> words = text.split(' ');
        if (words.size() < 2 || (words[0] != "ok" && words[0] != "fail"))
            continue;
        ChildLine line;
        line.ok = words[0] == "ok";
        line.index = words[1].toInt();
        line.reason = QString::fromLocal8Bit(text.mid(words[0].size() + words[1].size() + 2));
        lines.append(line);
    }
    return lines;
}

Refusals refusalsIn(const QList<ChildLine> &lines, const QStringList &causes)
{
    Refusals refusals;
    for (const ChildLine &line : lines) {
        if (line.ok)
            continue;
        ++refusals.count;
        bool explained = false;
        for (const QString &cause : causes) {
            if (line.reason.contains(cause)) {
                refusals.causes.insert(cause);
                explained = true;
            }
        }
        if (!explained)
            refusals.unexplained.append(line.reason);
        if (line.reason.contains(QLatin1String("may remain")))
            ++refusals.mayRemain;
    }
    return refusals;
}

QList<ExpectedRecord> expectedFrom(int writer, const QList<ChildLine> &lines)
{
    QList<ExpectedRecord> expected;
    for (const ChildLine &line : lines) {
        if (line.ok)
            expected.append({writer, line.index, false});
        else if (line.reason.contains(QLatin1String("may remain")))
            expected.append({writer, line.index, true});
    }
    return expected;
}

ChildRun runChild(const QString &program, const QStringList &arguments)
{
    QProcess child;
    child.start(program, arguments);
    ChildRun run;
    run.finished = child.waitForFinished(60'000) && child.exitStatus() == QProcess::NormalExit;
    run.exitCode = child.exitCode();
    run.errors = child.readAllStandardError();
    run.lines = parseChildOutput(child.readAllStandardOutput());
    return run;
}

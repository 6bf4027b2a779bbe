#include "record_reader.h"

#include "line_source.h"

#include <deque>

namespace {

const QByteArrayView sectionRule = "......!!!!!!!!...................................";
const QByteArrayView closingRule = ".................................................";
const QByteArrayView numberMarker = "`questionNumber ";
const QByteArrayView responseLabel = "RESPONSE -->  ";
const QByteArrayView notesLabel = "NOTES -------> ";
const QByteArrayView keptLabel = "KEPT --------> ";
const QByteArrayView confidenceLabel = "confidence assessment:  ";
const QByteArrayView selfCritiqueLabel = "self critique assessment: ";
const QByteArrayView assignmentLabel = "assignment #";
const QByteArrayView courseTitle = "Dravonic II";
constexpr qsizetype indent = 36;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool digitsAt(QByteArrayView text, std::initializer_list<qsizetype> positions)
{
    for (qsizetype p : positions) {
        if (!isDigit(text[p]))
            return false;
    }
    return true;
}

bool isClock(QByteArrayView t)
{
    return t.size() == 8 && t[2] == ':' && t[5] == ':' && digitsAt(t, {0, 1, 3, 4, 6, 7});
}

bool isDate(QByteArrayView t)
{
    return t.size() == 10 && t[2] == '-' && t[5] == '-' && digitsAt(t, {0, 1, 3, 4, 6, 7, 8, 9});
}

bool isIndented(QByteArrayView line, qsizetype size)
{
    if (line.size() != indent + size)
        return false;
    for (qsizetype i = 0; i < indent; ++i) {
        if (line[i] != ' ')
            return false;
    }
    return true;
}

bool isTimeLine(QByteArrayView line)
{
    return isIndented(line, 8) && isClock(line.sliced(indent));
}

bool isDateTimeLine(QByteArrayView line)
{
    return isIndented(line, 18) && isDate(line.sliced(indent, 10)) &&
           isClock(line.sliced(indent + 10));
}

// The code line: one to two characters a unit, low ones from B to t, high
// ones from v upwards.
bool isCodeLine(QByteArrayView line)
{
    if (line.size() < 19 || line.size() > 56)
        return false;
    for (char c : line) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 66 || b == 117)
            return false;
    }
    return true;
}

QByteArray joined(const std::deque<Line> &lines, size_t from, size_t to)
{
    QByteArray text;
    qsizetype size = 0;
    for (size_t i = from; i < to; ++i)
        size += lines[i].size + 2;
    text.reserve(size);
    for (size_t i = from; i < to; ++i) {
        if (i > from)
            text += "\r\n";
        text += lines[i].view();
    }
    return text;
}

QString lineRange(qint64 first, qint64 last)
{
    return first == last ? QStringLiteral("line %1").arg(first)
                         : QStringLiteral("lines %1-%2").arg(first).arg(last);
}

class Parser
{
public:
    Parser(LineSource &lines, RecordSink &sink) : m_lines(lines), m_sink(sink) {}

    qint64 run()
    {
        while (m_lines.has(0)) {
            if (recordStarts(0))
                readRecord();
            else if (openingStarts(0))
                readOpening();
            else
                strayLine(m_lines.take());
        }
        flushStray();
        return m_lastLine;
    }

private:
    // A record cut short and followed by the next one may leave the next
    // one's section rule at the end of its last line.
    bool recordStarts(qsizetype at)
    {
        return m_lines.has(at) && m_lines.peek(at).view().endsWith(sectionRule) &&
               m_lines.has(at + 1) && isTimeLine(m_lines.peek(at + 1).view());
    }

    bool openingStarts(qsizetype at)
    {
        return m_lines.has(at) && isCodeLine(m_lines.peek(at).view()) && m_lines.has(at + 4) &&
               m_lines.peek(at + 1).view().startsWith(assignmentLabel) &&
               m_lines.peek(at + 3).view() == courseTitle && isDate(m_lines.peek(at + 4).view());
    }

    // Where a record's text may end: at the end of the file or before the
    // next record.
    bool boundary(qsizetype at)
    {
        return !m_lines.has(at) || recordStarts(at) || openingStarts(at);
    }

    Line take()
    {
        Line line = m_lines.take();
        m_lastLine = line.number;
        return line;
    }

    void strayLine(const Line &line)
    {
        m_lastLine = line.number;
        if (m_strayFirst == 0)
            m_strayFirst = line.number;
        m_strayLast = line.number;
    }

    void flushStray()
    {
        if (m_strayFirst == 0)
            return;
        const QString what =
            m_strayWhat.isEmpty() ? QStringLiteral("not part of a record") : m_strayWhat;
        m_sink.damage({m_strayFirst, m_strayLast,
                       lineRange(m_strayFirst, m_strayLast) + QStringLiteral(": ") + what});
        m_strayFirst = m_strayLast = 0;
        m_strayWhat.clear();
    }

    // Damage right after a whole record may as well be the end of that
    // record's text: the student may have typed a record's first lines.
    void damaged(qint64 first, qint64 last, QString what)
    {
        flushStray();
        if (m_recordLast > 0 && first == m_recordLast + 1 && m_recordKind != RecordKind::Opening)
            what += QStringLiteral(" (or typed into the text of the record at %1)")
                        .arg(lineRange(m_recordFirst, m_recordLast));
        m_sink.damage({first, last, lineRange(first, last) + QStringLiteral(": ") + what});
    }

    void publish(Record &record, qint64 first, qint64 last)
    {
        flushStray();
        record.firstLine = first;
        record.lastLine = last;
        m_recordFirst = first;
        m_recordLast = last;
        m_recordKind = record.kind;
        m_sink.record(record);
    }

    void readOpening()
    {
        Record record;
        record.kind = RecordKind::Opening;
        const qint64 first = take().number;
        record.assignment = take().view().sliced(assignmentLabel.size()).toByteArray();
        record.header = take().view().toByteArray();
        take();
        record.date = take().view().toByteArray();
        publish(record, first, m_lastLine);
    }

    void readRecord()
    {
        std::deque<Line> taken;
        const auto takeInto = [&] { taken.push_back(take()); };
        const qint64 first = m_lines.peek(0).number;
        if (m_lines.peek(0).size > sectionRule.size())
            damaged(first, first, QStringLiteral("the end of a cut record joined to the next one"));
        takeInto();
        takeInto();
        Record record;
        record.time = taken[1].view().sliced(indent).toByteArray();
        bool dated = false;
        if (m_lines.has(2) && m_lines.peek(0).size == 0 && m_lines.peek(1).size == 0 &&
            m_lines.peek(2).view().startsWith(numberMarker)) {
            takeInto();
            takeInto();
            takeInto();
            record.fromMaster = true;
        } else if (m_lines.has(0) && isDateTimeLine(m_lines.peek(0).view())) {
            record.date = m_lines.peek(0).view().sliced(indent, 10).toByteArray();
            takeInto();
            dated = true;
        }

        const size_t itemFrom = taken.size();
        for (;;) {
            if (!m_lines.has(0))
                return damaged(first, m_lastLine,
                               QStringLiteral("record cut short at the end of the file"));
            if (recordStarts(0) || openingStarts(0))
                return damaged(first, m_lastLine, QStringLiteral("record cut short"));
            if (m_lines.peek(0).view() == sectionRule)
                break;
            takeInto();
        }
        if (m_sink.wantsTexts())
            record.item = joined(taken, itemFrom, taken.size());
        takeInto();

        if (!m_lines.has(0))
            return damaged(first, m_lastLine,
                           QStringLiteral("record cut short at the end of the file"));
        const QByteArrayView label = m_lines.peek(0).view();
        if (!dated && label == responseLabel) {
            takeInto();
            record.kind = RecordKind::Response;
            readText(record, first, taken, taken.size());
        } else if (dated && label.startsWith(notesLabel)) {
            record.kind = RecordKind::Notes;
            readText(record, first, taken, taken.size());
        } else if (dated && label.startsWith(keptLabel)) {
            takeInto();
            readKept(record, first, taken);
        } else {
            damaged(first, m_lastLine,
                    QStringLiteral("record without a response, notes or kept label"));
        }
    }

    // A response or a note has no length of its own: it ends at the first
    // closing rule that the end of the file or another record follows.
    void readText(Record &record, qint64 first, std::deque<Line> &taken, size_t textFrom)
    {
        std::vector<size_t> closings;
        bool suspect = false;
        for (;;) {
            if (boundary(0))
                return endWithoutClosing(record, first, taken, textFrom, closings);
            const bool closing = m_lines.peek(0).view() == closingRule;
            taken.push_back(take());
            if (closing && boundary(0)) {
                // A record whose first line was damaged leaves its other lines
                // behind: the text before them may already have ended.
                if (suspect)
                    return endWithoutClosing(record, first, taken, textFrom, closings);
                return finishText(record, first, taken, textFrom, taken.size() - 1);
            }
            if (closing && likelyEnd(record, taken, textFrom, taken.size() - 1))
                closings.push_back(taken.size() - 1);
            else if (!closings.empty() && recordLike(taken, taken.size() - 1))
                suspect = true;
        }
    }

    static bool likelyEnd(const Record &record, const std::deque<Line> &taken, size_t textFrom,
                          size_t closing)
    {
        if (record.kind != RecordKind::Response)
            return true;
        if (closing - textFrom < 2)
            return false;
        const QByteArrayView before = taken[closing - 1].view();
        return before.startsWith(confidenceLabel) || before.startsWith(selfCritiqueLabel);
    }

    static bool recordLike(const std::deque<Line> &taken, size_t at)
    {
        const QByteArrayView line = taken[at].view();
        if (isTimeLine(line) || isDateTimeLine(line))
            return true;
        const bool label =
            line == responseLabel || line.startsWith(notesLabel) || line.startsWith(keptLabel);
        return label && taken[at - 1].view() == sectionRule;
    }

    // The text ran into another record or the end of the file, or it holds
    // what is left of a damaged record. If it held a likely end before, the
    // record may end there with lines added after it, or those lines may be
    // the student's: read it to the first likely end and say so.
    void endWithoutClosing(Record &record, qint64 first, std::deque<Line> &taken, size_t textFrom,
                           const std::vector<size_t> &closings)
    {
        const bool atEnd = !m_lines.has(0);
        if (closings.empty()) {
            return damaged(first, m_lastLine,
                           atEnd ? QStringLiteral("record cut short at the end of the file")
                                 : QStringLiteral("record cut short (or a text that holds a "
                                                  "record's first lines)"));
        }
        const size_t end = closings.front();
        record.doubt = lineRange(taken[end + 1].number, taken.back().number) +
                       QStringLiteral(" after this record's closing rule may belong to its text");
        const qint64 strayFirst = taken[end + 1].number;
        const qint64 strayLast = taken.back().number;
        finishText(record, first, taken, textFrom, end);
        damaged(strayFirst, strayLast,
                QStringLiteral("not part of a record (or the end of the text of the record "
                               "before it, lines %1-%2)")
                    .arg(record.firstLine)
                    .arg(record.lastLine));
    }

    void finishText(Record &record, qint64 first, const std::deque<Line> &taken, size_t textFrom,
                    size_t closing)
    {
        size_t textTo = closing;
        if (record.kind == RecordKind::Response && closing - textFrom >= 2) {
            const QByteArrayView last = taken[closing - 1].view();
            if (last.startsWith(confidenceLabel)) {
                record.ratingKind = RatingKind::Confidence;
                record.rating = last.sliced(confidenceLabel.size()).toByteArray();
                textTo = closing - 1;
            } else if (last.startsWith(selfCritiqueLabel)) {
                record.ratingKind = RatingKind::SelfCritique;
                record.rating = last.sliced(selfCritiqueLabel.size()).toByteArray();
                textTo = closing - 1;
            }
        }
        if (m_sink.wantsTexts()) {
            record.text = joined(taken, textFrom, textTo);
            if (record.kind == RecordKind::Notes)
                record.text.remove(0, notesLabel.size());
        }
        publish(record, first, taken[closing].number);
    }

    // A kept draft carries its length, so its text is read by count.
    void readKept(Record &record, qint64 first, std::deque<Line> &taken)
    {
        record.kind = RecordKind::Rescue;
        const QByteArrayView label = taken.back().view().sliced(keptLabel.size());
        const qsizetype comma = label.lastIndexOf(QByteArrayView(", "));
        const QByteArrayView suffix = " characters";
        bool ok = comma >= 0 && label.endsWith(suffix);
        qint64 count = 0;
        if (ok) {
            const QByteArrayView digits =
                label.sliced(comma + 2, label.size() - comma - 2 - suffix.size());
            ok = !digits.isEmpty() && digits.size() <= 12;
            for (char c : digits)
                ok = ok && isDigit(c);
            if (ok)
                count = digits.toLongLong();
        }
        if (!ok)
            return rescan(taken, first, QStringLiteral("kept draft whose label gives no length"));
        record.reason = label.first(comma).toByteArray();

        const size_t textFrom = taken.size();
        qint64 size = -2;
        while (size < count) {
            if (!m_lines.has(0))
                return rescan(taken, first, QStringLiteral("kept draft cut short"));
            taken.push_back(take());
            size += taken.back().size + 2;
        }
        if (size != count || !m_lines.has(0) || m_lines.peek(0).view() != closingRule)
            return rescan(taken, first,
                          QStringLiteral("kept draft whose text does not have its length"));
        if (m_sink.wantsTexts())
            record.text = joined(taken, textFrom, taken.size());
        taken.push_back(take());
        publish(record, first, m_lastLine);
    }

    // A draft that does not hold together: its first line is damage, and the
    // lines after it are read again, since records may lie among them.
    void rescan(std::deque<Line> &taken, qint64 first, const QString &what)
    {
        flushStray();
        m_strayFirst = m_strayLast = first;
        m_strayWhat = what;
        taken.pop_front();
        m_lines.pushBack(taken);
    }

    LineSource &m_lines;
    RecordSink &m_sink;
    qint64 m_lastLine = 0;
    qint64 m_strayFirst = 0;
    qint64 m_strayLast = 0;
    QString m_strayWhat;
    qint64 m_recordFirst = 0;
    qint64 m_recordLast = 0;
    RecordKind m_recordKind = RecordKind::Opening;
};

bool validUtf8Multibyte(QByteArrayView bytes, bool &sawMultibyte)
{
    sawMultibyte = false;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        int follow = b < 0x80                  ? 0
                     : (b >= 0xC2 && b < 0xE0) ? 1
                     : (b >= 0xE0 && b < 0xF0) ? 2
                     : (b >= 0xF0 && b < 0xF5) ? 3
                                               : -1;
        if (follow < 0)
            return false;
        if (i + follow >= bytes.size() && follow > 0)
            return true; // cut at the end of the sample
        for (int k = 1; k <= follow; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        }
        sawMultibyte = sawMultibyte || follow > 0;
        i += follow + 1;
    }
    return true;
}

} // namespace

FileCheck checkStart(QByteArrayView start)
{
    FileCheck check;
    qsizetype controls = 0;
    for (char c : start) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0) {
            check.look = FileLook::Binary;
            return check;
        }
        if (b < 32 && c != '\r' && c != '\n' && c != '\t')
            ++controls;
    }
    if (controls * 10 > start.size()) {
        check.look = FileLook::Binary;
        return check;
    }
    const bool crlf = start.contains("\r\n");
    if (!crlf && start.contains('\n'))
        check.look = FileLook::LfRecords;
    bool multibyte = false;
    check.utf8 =
        start.startsWith("\xEF\xBB\xBF") || (validUtf8Multibyte(start, multibyte) && multibyte);
    const QByteArray end = check.look == FileLook::LfRecords ? "\n" : "\r\n";
    check.holdsRecords = start.startsWith(sectionRule.toByteArray() + end) ||
                         start.contains(end + sectionRule.toByteArray() + end) ||
                         start.contains(end + courseTitle.toByteArray() + end);
    return check;
}

qint64 readRecords(QIODevice &device, const FileCheck &check, RecordSink &sink)
{
    LineSource lines(device, check.look == FileLook::LfRecords ? QByteArrayView("\n")
                                                               : QByteArrayView("\r\n"));
    Parser parser(lines, sink);
    return parser.run();
}

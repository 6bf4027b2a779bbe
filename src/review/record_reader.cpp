#include "record_reader.h"

#include "format/record_texts.h"
#include "line_reader.h"
#include "line_shapes.h"

#include <algorithm>

namespace {

using namespace RecordTexts;
constexpr qsizetype indent = timeIndent.size();

// Where the lines of a record are, by line index, until it is handed over.
struct Marks
{
    qint64 first = 0;
    qint64 itemFrom = 0;
    qint64 itemTo = 0;
    qint64 dateLine = -1;
    bool fromMaster = false;
};

class Parser
{
public:
    Parser(LineReader &lines, RecordSink &sink) : m_lines(lines), m_sink(sink) {}

    QString run()
    {
        while (m_lines.has(m_next)) {
            m_lines.release(m_next);
            if (recordStarts(m_next))
                readRecord();
            else if (openingStarts(m_next))
                readOpening();
            else
                strayLine();
        }
        flushStray();
        // The tutor ends every line of a record with CR LF: a last line
        // without one was cut short, even if the record it ends reads whole.
        if (m_lines.lastLineCut() && m_damagedTo < m_next)
            m_sink.damage({m_next, m_next,
                           lineRange(m_next, m_next) +
                               QStringLiteral(": the file ends inside this line: it was cut "
                                              "short")});
        if (m_spacesStripped)
            m_sink.damage({0, 0,
                           QStringLiteral("spaces at the ends of lines were stripped after the "
                                          "tutor wrote it: the texts may have lost theirs too")});
        const QString error = m_lines.readError();
        if (!error.isEmpty())
            m_sink.damage({m_next + 1, m_next + 1,
                           QStringLiteral("the file could not be read after line %1: %2")
                               .arg(m_next)
                               .arg(error)});
        return error;
    }

private:
    QByteArrayView line(qint64 at) const { return m_lines.line(at); }

    bool isSectionRule(qint64 at) const { return line(at) == QByteArrayView(sectionRule); }

    bool isClosingRule(qint64 at) const { return line(at) == QByteArrayView(closingRule); }

    // A record cut short and followed by the next one may leave the next
    // one's section rule at the end of its last line.
    bool recordStarts(qint64 at)
    {
        return m_lines.has(at) && line(at).endsWith(sectionRule) && m_lines.has(at + 1) &&
               isTimeLine(line(at + 1));
    }

    bool openingStarts(qint64 at)
    {
        return m_lines.has(at + 4) && line(at + 1).startsWith(assignmentLabel) &&
               line(at + 3) == QByteArrayView(courseTitle) && isDate(line(at + 4)) &&
               isCodeLine(line(at));
    }

    void strayLine()
    {
        m_strayLast = ++m_next;
        if (m_strayFirst == 0)
            m_strayFirst = m_strayLast;
    }

    // Where a record's text may end: at the end of the file or before the
    // next record.
    bool boundary(qint64 at) { return !m_lines.has(at) || recordStarts(at) || openingStarts(at); }

    void flushStray()
    {
        if (m_strayFirst == 0)
            return;
        const QString what =
            m_strayWhat.isEmpty() ? QStringLiteral("not part of a record") : m_strayWhat;
        m_damagedTo = m_strayLast;
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
        m_damagedTo = std::max(m_damagedTo, last);
        m_sink.damage({first, last, lineRange(first, last) + QStringLiteral(": ") + what});
    }

    // Line numbers count from 1, line indexes from 0: a record's last line
    // number is the index after it.
    void publish(Record &record, const Marks &marks, qint64 end)
    {
        flushStray();
        record.firstLine = marks.first + 1;
        record.lastLine = end;
        if (record.kind != RecordKind::Opening) {
            record.time = line(marks.first + 1).sliced(indent);
            record.item = m_lines.lines(marks.itemFrom, marks.itemTo);
            record.fromMaster = marks.fromMaster;
            if (marks.dateLine >= 0)
                record.date = line(marks.dateLine).sliced(indent, 10);
        }
        m_recordFirst = record.firstLine;
        m_recordLast = record.lastLine;
        m_recordKind = record.kind;
        m_sink.record(record);
    }

    void readOpening()
    {
        const qint64 first = m_next;
        m_next += 5;
        Record record;
        record.kind = RecordKind::Opening;
        record.assignment = line(first + 1).sliced(assignmentLabel.size());
        record.header = line(first + 2);
        record.date = line(first + 4);
        m_unratedSeen = m_ratedSeen = false;
        publish(record, Marks{first}, m_next);
    }

    void readRecord()
    {
        Marks marks;
        marks.first = m_next;
        const qint64 firstNumber = m_next + 1;
        if (line(m_next).size() > sectionRule.size())
            damaged(firstNumber, firstNumber,
                    QStringLiteral("the end of a cut record joined to the next one"));
        m_next += 2;
        if (m_lines.has(m_next + 2) && line(m_next).size() == 0 && line(m_next + 1).size() == 0 &&
            isNumberLine(line(m_next + 2))) {
            m_next += 3;
            marks.fromMaster = true;
        } else if (m_lines.has(m_next) && isDateTimeLine(line(m_next))) {
            marks.dateLine = m_next++;
        }

        marks.itemFrom = m_next;
        for (;;) {
            if (!m_lines.has(m_next))
                return damaged(firstNumber, m_next,
                               QStringLiteral("record cut short at the end of the file"));
            if (recordStarts(m_next) || openingStarts(m_next))
                return damaged(firstNumber, m_next, QStringLiteral("record cut short"));
            if (isSectionRule(m_next))
                break;
            ++m_next;
        }
        marks.itemTo = m_next++;

        if (!m_lines.has(m_next))
            return damaged(firstNumber, m_next,
                           QStringLiteral("record cut short at the end of the file"));
        const bool dated = marks.dateLine >= 0;
        // A label cut short at the end of the file is not one stripped.
        const bool labelEnded = m_lines.has(m_next + 1);
        const QByteArrayView label = line(m_next);
        if (!dated && (label == QByteArrayView(responseLabel) ||
                       (labelEnded && isStrippedResponseLabel(label)))) {
            m_spacesStripped = m_spacesStripped || label != QByteArrayView(responseLabel);
            ++m_next;
            readText(RecordKind::Response, marks);
        } else if (dated && label.startsWith(notesLabel)) {
            readText(RecordKind::Notes, marks);
        } else if (dated && label.startsWith(keptLabel)) {
            readKept(marks, m_next++);
        } else {
            damaged(firstNumber, m_next,
                    QStringLiteral("record without a response, notes or kept label"));
        }
    }

    // A response or a note has no length of its own: it ends at the first
    // closing rule that the end of the file or another record follows.
    void readText(RecordKind kind, const Marks &marks)
    {
        const qint64 textFrom = m_next;
        qint64 likely = -1;
        bool suspect = false;
        for (;;) {
            if (boundary(m_next))
                return endWithoutClosing(kind, marks, textFrom, likely);
            const qint64 at = m_next++;
            const bool closing = isClosingRule(at);
            if (closing && boundary(m_next)) {
                // A record whose first line was damaged leaves its other lines
                // behind: the text before them may already have ended.
                if (suspect)
                    return endWithoutClosing(kind, marks, textFrom, likely);
                return finishText(kind, marks, textFrom, at);
            }
            if (closing && likely < 0 && likelyEnd(kind, textFrom, at))
                likely = at;
            else if (likely >= 0 && !closing && recordLike(at))
                suspect = true;
        }
    }

    bool likelyEnd(RecordKind kind, qint64 textFrom, qint64 closing) const
    {
        if (kind != RecordKind::Response)
            return true;
        return closing - textFrom >= 2 && isRatingLine(line(closing - 1));
    }

    bool recordLike(qint64 at) const
    {
        const QByteArrayView text = line(at);
        if (text.isEmpty())
            return false;
        if (text[0] == ' ')
            return isTimeLine(text) || isDateTimeLine(text);
        const bool label = text == QByteArrayView(responseLabel) || text.startsWith(notesLabel) ||
                           text.startsWith(keptLabel);
        return label && isSectionRule(at - 1);
    }

    // The text ran into another record or the end of the file, or it holds
    // what is left of a damaged record. If it held a likely end before, the
    // record may end there with lines added after it, or those lines may be
    // the student's: read it to the first likely end and say so.
    void endWithoutClosing(RecordKind kind, const Marks &marks, qint64 textFrom, qint64 likely)
    {
        const qint64 firstNumber = marks.first + 1;
        if (likely < 0) {
            return damaged(firstNumber, m_next,
                           !m_lines.has(m_next)
                               ? QStringLiteral("record cut short at the end of the file")
                               : QStringLiteral("record cut short (or a text that holds a "
                                                "record's first lines)"));
        }
        const qint64 strayFirst = likely + 2;
        const qint64 strayLast = m_next;
        const QString doubt = lineRange(strayFirst, strayLast) +
                              QStringLiteral(" after this record's closing rule may belong to "
                                             "its text");
        finishText(kind, marks, textFrom, likely, doubt);
        damaged(strayFirst, strayLast,
                QStringLiteral("not part of a record (or the end of the text of the record "
                               "before it, lines %1-%2)")
                    .arg(firstNumber)
                    .arg(likely + 1));
    }

    void finishText(RecordKind kind, const Marks &marks, qint64 textFrom, qint64 closing,
                    const QString &doubt = {})
    {
        Record record;
        record.kind = kind;
        if (!doubt.isEmpty())
            record.doubt = doubt;
        qint64 textTo = closing;
        // Before the first item of a session is read, the item is empty and
        // the tutor writes no rating line: a last line that looks like one is
        // the response's own.
        const bool itemRead = marks.itemTo != marks.itemFrom + 1 || line(marks.itemFrom).size() > 0;
        if (kind == RecordKind::Response && closing - textFrom >= 2 && itemRead) {
            const QByteArrayView last = line(closing - 1);
            if (last.startsWith(confidenceLabel)) {
                record.ratingKind = RatingKind::Confidence;
                record.rating = last.sliced(confidenceLabel.size());
                textTo = closing - 1;
            } else if (last.startsWith(selfCritiqueLabel)) {
                record.ratingKind = RatingKind::SelfCritique;
                record.rating = last.sliced(selfCritiqueLabel.size());
                textTo = closing - 1;
            }
        }
        record.text = m_lines.lines(textFrom, textTo);
        if (kind == RecordKind::Notes)
            record.text = record.text.sliced(notesLabel.size());
        if (kind == RecordKind::Response)
            doubtRating(record, closing);
        publish(record, marks, closing + 1);
    }

    // A session's first items may be commentary, which leaves the item kind
    // unset and the responses unrated. After such a response, the first
    // line that looks like a rating may as well end the next response's
    // text; later ones are taken as ratings.
    void doubtRating(Record &record, qint64 closing)
    {
        if (record.ratingKind == RatingKind::None) {
            m_unratedSeen = true;
            return;
        }
        if (m_unratedSeen && !m_ratedSeen) {
            const QString doubt = QStringLiteral("line %1 may end the response rather than "
                                                 "rate it (the responses before it have no "
                                                 "rating: no question may have been read yet)")
                                      .arg(closing);
            record.doubt =
                record.doubt.isEmpty() ? doubt : record.doubt + QStringLiteral("; ") + doubt;
        }
        m_ratedSeen = true;
    }

    // A kept draft carries its length, so its text is read by count.
    void readKept(const Marks &marks, qint64 labelLine)
    {
        qint64 count = 0;
        const qsizetype comma = keptLength(line(labelLine).sliced(keptLabel.size()), count);
        if (comma < 0)
            return rescan(marks.first, QStringLiteral("kept draft whose label gives no length"));

        const qint64 textFrom = m_next;
        qint64 size = -2;
        while (size < count) {
            if (!m_lines.has(m_next))
                return rescan(marks.first, QStringLiteral("kept draft cut short"));
            size += line(m_next++).size() + 2;
        }
        if (size != count || !m_lines.has(m_next) || !isClosingRule(m_next))
            return rescan(marks.first,
                          QStringLiteral("kept draft whose text does not have its length"));
        Record record;
        record.kind = RecordKind::Rescue;
        record.reason = line(labelLine).sliced(keptLabel.size()).first(comma);
        record.text = m_lines.lines(textFrom, m_next);
        ++m_next;
        publish(record, marks, m_next);
    }

    // A draft that does not hold together: its first line is damage, and the
    // lines after it are read again, since records may lie among them.
    void rescan(qint64 first, const QString &what)
    {
        flushStray();
        m_strayFirst = m_strayLast = first + 1;
        m_strayWhat = what;
        m_next = first + 1;
    }

    LineReader &m_lines;
    RecordSink &m_sink;
    qint64 m_next = 0; // the index of the next line to read
    qint64 m_strayFirst = 0;
    qint64 m_strayLast = 0;
    QString m_strayWhat;
    qint64 m_damagedTo = 0; // the last line of a damaged region told so far
    bool m_spacesStripped = false;
    qint64 m_recordFirst = 0;
    qint64 m_recordLast = 0;
    RecordKind m_recordKind = RecordKind::Opening;
    bool m_unratedSeen = false; // in this session
    bool m_ratedSeen = false;
};

} // namespace

QString readRecords(QIODevice &device, const FileCheck &check, RecordSink &sink)
{
    LineReader lines(device, check.look != FileLook::LfRecords);
    Parser parser(lines, sink);
    return parser.run();
}

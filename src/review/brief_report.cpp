#include "brief_report.h"

#include "class_views.h"

#include <QTextStream>

namespace {

constexpr qsizetype briefLength = 100;

bool isControl(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

QString duration(qint64 seconds)
{
    if (seconds < 0)
        return QStringLiteral("-");
    if (seconds < 60)
        return QStringLiteral("%1 s").arg(seconds);
    if (seconds < 3600)
        return QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
    return QStringLiteral("%1 h %2 min").arg(seconds / 3600).arg(seconds / 60 % 60);
}

QString clock(qint64 seconds)
{
    seconds %= 86400;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// Each file with its sessions and damage, then the totals per assignment.
void writeFiles(QTextStream &s, const QList<FileSummary> &files)
{
    for (const FileSummary &file : files) {
        s << terminalText(file.path) << "\n";
        if (!file.problem.isEmpty()) {
            s << "  cannot read: " << terminalText(file.problem) << "\n\n";
            continue;
        }
        if (file.records == 0)
            s << "  no records\n";
        if (!file.student.isEmpty())
            s << "  student " << terminalText(file.student) << "\n";
        for (const SessionSummary &ses : file.sessions) {
            if (ses.assignment.isEmpty())
                s << "  records without an opening block"
                  << (ses.date.isEmpty() ? QString()
                                         : QStringLiteral(", from ") + terminalText(ses.date))
                  << "\n";
            else
                s << "  session "
                  << (ses.date.isEmpty() ? QStringLiteral("(no date)") : terminalText(ses.date))
                  << "  assignment " << terminalText(ses.assignment) << "  "
                  << terminalText(ses.header) << "\n";
            s << "    responses " << ses.responses << ", notes " << ses.notes << ", rescued drafts "
              << ses.drafts << "\n";
            s << "    confidence     " << ratingCountsText(ses.confidence) << "\n";
            s << "    self critique  " << ratingCountsText(ses.selfCritique) << "\n";
            // Notes and kept drafts without an opening block span days: no
            // session's time.
            if (ses.firstSecond >= 0 && !ses.assignment.isEmpty())
                s << "    time " << clock(ses.firstSecond) << " to " << clock(ses.lastSecond)
                  << " (" << duration(ses.lastSecond - ses.firstSecond)
                  << "), median between responses " << duration(medianGap(ses.responseSeconds))
                  << "\n";
        }
        for (const QString &flaw : file.flaws())
            s << "  " << terminalText(flaw) << "\n";
        s << "\n";
    }
    s << "Totals per assignment\n";
    const auto totals = totalsOf(files);
    for (auto it = totals.begin(); it != totals.end(); ++it) {
        const RecordCounts &t = it.value();
        s << "  " << terminalText(it.key()) << ": sessions " << t.sessions << ", responses "
          << t.responses << ", notes " << t.notes << ", drafts " << t.drafts << ", confidence "
          << ratingCountsText(t.confidence) << ", self critique "
          << ratingCountsText(t.selfCritique) << "\n";
    }
}

// A text on one line of the terminal, cut short when long.
QString oneLine(const QString &text)
{
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" / "));
    line = terminalText(line.simplified());
    if (line.size() > briefLength)
        line = line.left(briefLength - 3) + QStringLiteral("...");
    return line;
}

void writeGrid(QTextStream &s, const ClassReport &report)
{
    const ProgressGrid grid = progressGrid(report);
    const QList<qsizetype> students = studentOrder(report);
    qsizetype width = 7;
    for (qsizetype student : students)
        width = std::max(width, terminalText(report.students[student]).size());
    s << "Progress: responses recorded and the last date, by student and assignment\n";
    s << "  " << QStringLiteral("student").leftJustified(width);
    for (const QString &assignment : grid.assignments)
        s << "  " << terminalText(assignment).leftJustified(14);
    s << "\n";
    for (qsizetype student : students) {
        s << "  " << terminalText(report.students[student]).leftJustified(width);
        for (const QString &assignment : grid.assignments) {
            const GridCell cell = grid.cells.value(gridKey(student, assignment));
            const QString shown =
                cell.responses == 0
                    ? QStringLiteral("-")
                    : QStringLiteral("%1 %2").arg(cell.responses).arg(terminalText(cell.lastDate));
            s << "  " << shown.leftJustified(14);
        }
        s << "\n";
    }
    s << "\n";
}

void writeItems(QTextStream &s, const ClassReport &report)
{
    s << "Items: students who responded, ratings 0 to 3 and other (confidence after a "
         "question, self critique after a worked answer); LOW where most were 0 or 1\n";
    for (const AssignmentItems &assignment : itemSpreads(report)) {
        for (const ItemSpread &spread : assignment.items) {
            const CourseItem &item = report.items[spread.item];
            const Entry &first = report.entries[spread.responses.constFirst()];
            s << "  " << placeOf(report, first).leftJustified(8) << " " << spread.students
              << (spread.students == 1 ? " student   " : " students  ")
              << (spread.selfCritique ? "critique " : "confidence ")
              << ratingCountsText(spread.ratings) << (spread.low ? "  LOW" : "") << "  "
              << oneLine(item.text).left(40) << "\n";
        }
    }
    s << "\n";
}

void writeStudents(QTextStream &s, const ClassReport &report)
{
    s << "Questions for the instructor, the items rated 0 or 1 (their texts are in the HTML), "
         "notes and kept drafts\n";
    for (const StudentQuestions &student : studentQuestions(report)) {
        s << "  " << terminalText(report.students[student.student]) << "\n";
        for (const Asked &asked : student.asked)
            s << "    asks  " << placeOf(report, report.entries[asked.entry]) << ": "
              << oneLine(asked.sentence) << "\n";
        if (!student.lowRated.isEmpty()) {
            QStringList places;
            for (qsizetype entry : student.lowRated)
                places << placeOf(report, report.entries[entry]);
            s << "    rated 0 or 1  " << places.join(QStringLiteral(", ")) << "\n";
        }
        if (!student.notes.isEmpty() || !student.drafts.isEmpty())
            s << "    notes " << student.notes.size() << ", kept drafts " << student.drafts.size()
              << "\n";
    }
}

} // namespace

QString briefReport(const Review &review)
{
    QString out;
    QTextStream s(&out);
    writeFiles(s, review.files);
    for (const QString &path : review.withoutRecords)
        s << "\n" << terminalText(path) << "\n  holds no records of the tutor's\n";
    s << "\n";
    if (review.classReport.entries.isEmpty())
        return out;
    writeGrid(s, review.classReport);
    writeItems(s, review.classReport);
    writeStudents(s, review.classReport);
    return out;
}

QString terminalText(const QString &text)
{
    QString out;
    for (QChar c : text) {
        if (!isControl(c))
            out += c;
        else if (c == u'\n')
            out += QLatin1String("\\n");
        else if (c == u'\r')
            out += QLatin1String("\\r");
        else if (c == u'\t')
            out += QLatin1String("\\t");
        else if (c.unicode() < 0x100)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return out;
}

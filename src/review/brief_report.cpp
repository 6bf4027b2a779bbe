#include "brief_report.h"

#include "class_views.h"
#include "terminal_text.h"

#include <QTextStream>

namespace {

constexpr qsizetype briefLength = 100;

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
    QString out = plainSummary(review.files);
    QTextStream s(&out);
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

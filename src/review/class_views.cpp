#include "class_views.h"

#include <QMap>

#include <algorithm>

namespace {

QString assignmentShown(const QString &assignment)
{
    return assignment.isEmpty() ? QStringLiteral("(no assignment)") : assignment;
}

// A reply that is not 0 to 3 after the digits, no reply at all last.
int ratingOrder(const Entry &entry)
{
    return entry.rating < 0 ? 5 : entry.rating;
}

bool isCloser(QChar c)
{
    return c == u')' || c == u']' || c == u'"' || c == u'\'' || c == u'\x201D' || c == u'\x2019';
}

// The sentences of a student's text that ask something: those that end in
// "?". A sentence ends at ".", "!" or "?" followed by a space, a line break
// or the end of the text (closing quotes and brackets may come between), and
// at every line break; a "?" inside a word ("f?(x)") ends nothing.
QStringList questionSentences(const QString &text)
{
    QStringList asked;
    qsizetype start = 0;
    const auto sentence = [&](qsizetype end, bool question) {
        if (question) {
            const QString s = text.mid(start, end - start).simplified();
            if (s.size() > 1)
                asked.append(s);
        }
        start = end;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\n' || c == u'\r') {
            sentence(i + 1, false);
            continue;
        }
        if (c != u'.' && c != u'!' && c != u'?')
            continue;
        qsizetype end = i + 1;
        while (end < text.size() && isCloser(text[end]))
            ++end;
        if (end < text.size() && !text[end].isSpace())
            continue;
        sentence(end, c == u'?');
        i = end - 1;
    }
    return asked;
}

} // namespace

QList<qsizetype> studentOrder(const ClassReport &report)
{
    QList<qsizetype> order(report.students.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int byName = report.students[a].compare(report.students[b], Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : report.students[a] < report.students[b];
    });
    return order;
}

QString placeOf(const ClassReport &report, const Entry &entry)
{
    if (entry.item < 0)
        return QStringLiteral("before any item");
    const CourseItem &item = report.items[entry.item];
    if (item.place.isEmpty())
        return assignmentShown(item.assignment) + QStringLiteral(", not in the course");
    return item.place;
}

QString gridKey(qsizetype student, const QString &assignment)
{
    return QString::number(student) + u' ' + assignment;
}

ProgressGrid progressGrid(const ClassReport &report)
{
    ProgressGrid grid;
    QMap<QString, bool> assignments;
    for (const Entry &entry : report.entries) {
        if (entry.kind != RecordKind::Response)
            continue;
        const QString assignment = assignmentShown(entry.assignment);
        assignments.insert(assignment, true);
        GridCell &cell = grid.cells[gridKey(entry.student, assignment)];
        ++cell.responses;
        cell.lastDate = std::max(cell.lastDate, entry.date);
    }
    grid.assignments = assignments.keys();
    return grid;
}

QList<AssignmentItems> itemSpreads(const ClassReport &report)
{
    QHash<qsizetype, ItemSpread> byItem;
    QHash<qsizetype, QSet<qsizetype>> students;
    for (qsizetype i = 0; i < report.entries.size(); ++i) {
        const Entry &entry = report.entries[i];
        if (entry.kind != RecordKind::Response || entry.item < 0)
            continue;
        ItemSpread &spread = byItem[entry.item];
        spread.item = entry.item;
        spread.responses.append(i);
        students[entry.item].insert(entry.student);
        if (entry.rating >= 0)
            ++spread.ratings[size_t(entry.rating)];
        spread.selfCritique = spread.selfCritique || entry.ratingKind == RatingKind::SelfCritique;
    }
    QList<qsizetype> items = byItem.keys();
    // Course order is the order of the course's items; texts it does not
    // hold were added after them.
    std::sort(items.begin(), items.end());
    QMap<QString, AssignmentItems> byAssignment;
    for (qsizetype item : std::as_const(items)) {
        ItemSpread &spread = byItem[item];
        spread.students = students[item].size();
        for (qint64 count : spread.ratings)
            spread.rated += count;
        spread.low = spread.rated > 0 && 2 * (spread.ratings[0] + spread.ratings[1]) > spread.rated;
        std::stable_sort(spread.responses.begin(), spread.responses.end(),
                         [&](qsizetype a, qsizetype b) {
                             return ratingOrder(report.entries[a]) < ratingOrder(report.entries[b]);
                         });
        const QString assignment = assignmentShown(report.items[item].assignment);
        byAssignment[assignment].assignment = assignment;
        byAssignment[assignment].items.append(spread);
    }
    return byAssignment.values();
}

QList<StudentQuestions> studentQuestions(const ClassReport &report)
{
    QList<StudentQuestions> all(report.students.size());
    for (qsizetype i = 0; i < report.entries.size(); ++i) {
        const Entry &entry = report.entries[i];
        StudentQuestions &student = all[entry.student];
        if (entry.kind == RecordKind::Rescue) {
            student.drafts.append(i);
            continue;
        }
        if (entry.kind == RecordKind::Notes)
            student.notes.append(i);
        if (entry.kind == RecordKind::Response && (entry.rating == 0 || entry.rating == 1))
            student.lowRated.append(i);
        for (const QString &sentence : questionSentences(entry.text))
            student.asked.append({i, sentence});
    }
    QList<StudentQuestions> shown;
    for (qsizetype student : studentOrder(report)) {
        StudentQuestions &s = all[student];
        s.student = student;
        if (!s.asked.isEmpty() || !s.lowRated.isEmpty() || !s.notes.isEmpty() ||
            !s.drafts.isEmpty())
            shown.append(s);
    }
    return shown;
}

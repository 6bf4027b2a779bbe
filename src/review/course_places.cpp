#include "course_places.h"

#include "bank/course_content.h"
#include "bank/line_kind.h"

#include <QHash>

namespace {

bool isHeader(const QString &line)
{
    return line.size() >= 4 && line[0].isDigit() && line[1].isDigit() && line[2].isDigit() &&
           line[3] == u'.';
}

struct CoursePlaces
{
    CoursePlaces();

    QList<CourseItem> items;
    QHash<QByteArray, QList<qsizetype>> byText;
};

CoursePlaces::CoursePlaces()
{
    QString assignment;
    int questions = 0;
    int commentary = 0;
    for (const QString &line : courseContentLines()) {
        if (isHeader(line)) {
            assignment = line.left(3);
            questions = 0;
            commentary = 0;
            continue;
        }
        if (line.isEmpty() || assignment.isEmpty() || isRoutineLine(line) || isEndOfBank(line))
            continue;
        CourseItem item;
        item.assignment = assignment;
        if (isQuestionLine(line)) {
            item.place = assignment + QStringLiteral(" Q%1").arg(++questions);
            item.text = line.mid(questionMarker.size());
        } else if (isAnswerLine(line)) {
            item.place = assignment + QStringLiteral(" A%1").arg(questions);
            item.text = line.mid(answerMarker.size());
        } else {
            item.place = assignment + QStringLiteral(" C%1").arg(++commentary);
            item.text = line;
        }
        byText[itemKey(item.text.toLatin1())].append(items.size());
        items.append(item);
    }
}

const CoursePlaces &course()
{
    static const CoursePlaces places;
    return places;
}

} // namespace

QByteArray itemKey(QByteArrayView text)
{
    QByteArray key;
    key.reserve(text.size());
    qsizetype lineStart = 0;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            while (key.size() > lineStart && key.back() == ' ')
                key.chop(1);
            lineStart = key.size() + 1;
        }
        key += c;
    }
    while (key.size() > lineStart && key.back() == ' ')
        key.chop(1);
    return key;
}

const QList<CourseItem> &courseItems()
{
    return course().items;
}

qsizetype findCourseItem(QByteArrayView assignment, QByteArrayView itemText)
{
    const auto &byText = course().byText;
    const auto found = byText.constFind(itemKey(itemText));
    if (found == byText.cend())
        return -1;
    for (qsizetype index : *found) {
        if (courseItems()[index].assignment == QLatin1String(assignment))
            return index;
    }
    return found->constFirst();
}

#include "class_report.h"

#include "summary.h"

ClassReport::ClassReport() : items(CoursePlaces::course().items()) {}

qsizetype ClassReport::studentIndex(const QString &name)
{
    const auto found = m_studentIndex.constFind(name);
    if (found != m_studentIndex.cend())
        return *found;
    students.append(name);
    return m_studentIndex[name] = students.size() - 1;
}

qsizetype ClassReport::itemIndex(QByteArrayView assignment, QByteArrayView text, bool utf8)
{
    if (text.isEmpty())
        return -1;
    const qsizetype inCourse = CoursePlaces::course().find(assignment, text);
    if (inCourse >= 0)
        return inCourse;
    // A text the course does not hold is listed as it stands, under the
    // assignment whose session recorded it.
    const QByteArray key = assignment.toByteArray() + '\n' + itemKey(text);
    const auto found = m_extraItems.constFind(key);
    if (found != m_extraItems.cend())
        return *found;
    CourseItem item;
    item.assignment = QString::fromLatin1(assignment);
    item.kind = ItemKind::Commentary;
    item.text = fileText(text, utf8);
    items.append(item);
    return m_extraItems[key] = items.size() - 1;
}

bool ClassReport::firstTime(const Entry &entry, QByteArrayView item)
{
    size_t seed = qHashMulti(0, entry.student, int(entry.kind), entry.date, entry.rating,
                             entry.text, entry.reason);
    seed = qHash(itemKey(item), seed);
    if (m_seen.contains(seed))
        return false;
    m_seen.insert(seed);
    return true;
}

ClassSink::ClassSink(ClassReport &report, const QString &student, bool utf8)
    : m_report(report), m_student(report.studentIndex(student)), m_utf8(utf8)
{
}

void ClassSink::record(const Record &record)
{
    Entry entry;
    entry.date = m_session.follow(record);
    if (record.kind == RecordKind::Opening)
        return;
    entry.kind = record.kind;
    entry.student = m_student;
    entry.time = QString::fromLatin1(record.time);
    entry.ratingKind = record.ratingKind;
    if (record.ratingKind != RatingKind::None)
        entry.rating = ratingIndex(record.rating);
    entry.text = fileText(record.text, m_utf8);
    entry.reason = fileText(record.reason, m_utf8);
    if (!m_report.firstTime(entry, record.item))
        return;
    const QByteArray &assignment = m_session.assignment;
    entry.item = m_report.itemIndex(assignment, record.item, m_utf8);
    entry.assignment = assignment.isEmpty() && entry.item >= 0
                           ? m_report.items[entry.item].assignment
                           : QString::fromLatin1(assignment);
    m_report.entries.append(entry);
}

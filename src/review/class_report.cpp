#include "class_report.h"

#include "format/windows1252.h"
#include "iso_date.h"
#include "summary.h"

ClassReport::ClassReport() : items(CoursePlaces::course().items()), courseItems(items.size()) {}

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
    item.text = utf8 ? QString::fromUtf8(text) : fromWindows1252(text);
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

QString ClassSink::text(QByteArrayView bytes) const
{
    return m_utf8 ? QString::fromUtf8(bytes) : fromWindows1252(bytes);
}

void ClassSink::record(const Record &record)
{
    if (record.kind == RecordKind::Opening) {
        m_assignment = record.assignment.toByteArray();
        m_date = isoDate(record.date);
        return;
    }
    Entry entry;
    entry.kind = record.kind;
    entry.student = m_student;
    entry.date = record.date.isEmpty() ? m_date : isoDate(record.date);
    entry.time = QString::fromLatin1(record.time);
    entry.ratingKind = record.ratingKind;
    if (record.ratingKind != RatingKind::None)
        entry.rating = ratingIndex(record.rating);
    entry.text = text(record.text);
    entry.reason = text(record.reason);
    if (!m_report.firstTime(entry, record.item))
        return;
    entry.item = m_report.itemIndex(m_assignment, record.item, m_utf8);
    entry.assignment = m_assignment.isEmpty() && entry.item >= 0
                           ? m_report.items[entry.item].assignment
                           : QString::fromLatin1(m_assignment);
    m_report.entries.append(entry);
}

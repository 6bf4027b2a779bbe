#include "class_report.h"

#include "summary.h"

ClassReport::ClassReport() : items(courseItems()) {}

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
    const qsizetype inCourse = findCourseItem(assignment, text);
    if (inCourse >= 0)
        return inCourse;
    // A text the course does not hold is listed as it stands, under the
    // assignment whose session recorded it.
    const QByteArray key = assignment.toByteArray() + '\n' + itemKey(text);
    const auto found = m_extraItems.constFind(key);
    if (found != m_extraItems.cend())
        return *found;
    items.append({QString::fromLatin1(assignment), QString(), fileText(text, utf8)});
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

void ClassReport::add(qsizetype student, const RecordFile &file, const Record &record)
{
    if (record.kind == RecordKind::Opening)
        return;
    Entry entry;
    entry.date = file.dateOf(record);
    entry.kind = record.kind;
    entry.student = student;
    entry.time = QString::fromLatin1(record.time);
    entry.ratingKind = record.ratingKind;
    if (record.ratingKind != RatingKind::None)
        entry.rating = ratingIndex(record.rating);
    entry.text = fileText(record.text, file.utf8);
    entry.reason = fileText(record.reason, file.utf8);
    if (!firstTime(entry, record.item))
        return;
    entry.item = itemIndex(file.assignment, record.item, file.utf8);
    entry.assignment = file.assignment.isEmpty() && entry.item >= 0
                           ? items[entry.item].assignment
                           : QString::fromLatin1(file.assignment);
    entries.append(entry);
}

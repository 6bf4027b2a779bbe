#pragma once

#include "course_places.h"
#include "record.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

// One record of one student, kept for the views of the whole class.
struct Entry
{
    RecordKind kind = RecordKind::Response;
    qsizetype student = 0;
    qsizetype item = -1; // into ClassReport::items; -1 when the record names no item
    QString assignment;  // as the session opened it, or as the course places the item
    QString date;        // yyyy-mm-dd
    QString time;
    RatingKind ratingKind = RatingKind::None;
    int rating = -1; // 0 to 3, 4 for any other reply, -1 when none was asked
    QString text;
    QString reason; // why a draft was kept
};

// Everything the class views are made from: the course's items, then the
// texts the course does not hold, and every student's records. A record that
// both the master file and a SEND file hold is kept once.
struct ClassReport
{
    ClassReport();

    QList<CourseItem> items;
    QStringList students;
    QList<Entry> entries;

    qsizetype studentIndex(const QString &name);
    // Adds a record of the file, for the student the file belongs to.
    void add(qsizetype student, const RecordFile &file, const Record &record);

private:
    qsizetype itemIndex(QByteArrayView assignment, QByteArrayView text, bool utf8);
    // False when the student's files already gave this record.
    bool firstTime(const Entry &entry, QByteArrayView item);

    QHash<QString, qsizetype> m_studentIndex;
    QHash<QByteArray, qsizetype> m_extraItems;
    QSet<size_t> m_seen;
};

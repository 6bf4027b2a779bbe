#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

// An item a student can respond to, as the course places it: "005 Q2" is
// the second question of assignment 005, "005 A2" the worked answer to it,
// "005 C1" its first commentary line.
struct CourseItem
{
    QString assignment;
    QString place; // empty for a text the course does not hold
    QString text;
};

// Every item of the course in course order.
const QList<CourseItem> &courseItems();

// The item whose text the record carries, preferring the assignment the
// session opened; -1 when the course holds no such text.
qsizetype findCourseItem(QByteArrayView assignment, QByteArrayView itemText);

// The form in which item texts are compared: a mailer may have changed the
// line ends or stripped the spaces at the ends of lines.
QByteArray itemKey(QByteArrayView text);

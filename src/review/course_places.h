#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

enum class ItemKind
{
    Question,
    Answer,
    Commentary
};

// An item a student can respond to, as the course places it: "005 Q2" is
// the second question of assignment 005, "005 A2" the worked answer to it,
// "005 C1" its first commentary line.
struct CourseItem
{
    QString assignment;
    QString place;
    ItemKind kind = ItemKind::Question;
    QString text;
};

// Every item of the course in course order, found by the text a record
// carries for it.
class CoursePlaces
{
public:
    CoursePlaces();
    static const CoursePlaces &course();

    const QList<CourseItem> &items() const { return m_items; }
    // The item whose text the record carries, preferring the assignment the
    // session opened; -1 when the course holds no such text.
    qsizetype find(QByteArrayView assignment, QByteArrayView itemText) const;

private:
    QList<CourseItem> m_items;
    QHash<QByteArray, QList<qsizetype>> m_byText;
};

// The form in which item texts are compared: a mailer may have changed the
// line ends or stripped the spaces at the ends of lines.
QByteArray itemKey(QByteArrayView text);

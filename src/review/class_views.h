#pragma once

#include "class_report.h"
#include "summary.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// What the instructor reads the files for, computed from the class's records.

// The students in the order of their names.
QList<qsizetype> studentOrder(const ClassReport &report);
// Where a record's item stands: "005 Q2", or what it is when the course does
// not place it.
QString placeOf(const ClassReport &report, const Entry &entry);

struct GridCell
{
    qint64 responses = 0;
    QString lastDate;
};

// Students by assignments: the responses each recorded, and when last.
struct ProgressGrid
{
    QStringList assignments;
    QHash<QString, GridCell> cells; // by gridKey()
};
QString gridKey(qsizetype student, const QString &assignment);
ProgressGrid progressGrid(const ClassReport &report);

// One item of the course: who responded and how they rated themselves.
struct ItemSpread
{
    qsizetype item = 0;
    qint64 students = 0;
    RatingCounts ratings{};
    qint64 rated = 0;           // the responses that were rated
    bool selfCritique = false;  // the ratings are self-critiques, not confidence
    bool low = false;           // most ratings were 0 or 1
    QList<qsizetype> responses; // lowest rating first
};

struct AssignmentItems
{
    QString assignment;
    QList<ItemSpread> items; // in course order; texts the course does not hold last
};
QList<AssignmentItems> itemSpreads(const ClassReport &report);

// The list an instructor answers by mail.
struct Asked
{
    qsizetype entry = 0;
    QString sentence;
};

struct StudentQuestions
{
    qsizetype student = 0;
    QList<Asked> asked;        // from responses and notes, in the order recorded
    QList<qsizetype> lowRated; // responses rated 0 or 1
    QList<qsizetype> notes;
    QList<qsizetype> drafts;
};
// Every student with anything to show, in the order of their names.
QList<StudentQuestions> studentQuestions(const ClassReport &report);

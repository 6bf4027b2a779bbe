#pragma once

#include "record.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>

// Ratings 0 to 3, and replies that are not one of those digits.
using RatingCounts = std::array<qint64, 5>;

// What a session holds, and what the sessions of a file or an assignment
// hold together.
struct RecordCounts
{
    qint64 sessions = 0; // opened by an opening block that names an assignment
    qint64 responses = 0;
    qint64 notes = 0;
    qint64 drafts = 0;
    RatingCounts confidence{};
    RatingCounts selfCritique{};

    void add(const RecordCounts &other);
};

struct SessionSummary : RecordCounts
{
    QString date;
    QString assignment;
    QString header;
    qint64 firstSecond = -1;
    qint64 lastSecond = -1;
    qint64 dayOffset = 0;
    QList<qint64> responseSeconds;
};

struct FileSummary
{
    QString path;
    QString student;
    QString problem; // a file that could not be read at all
    QList<SessionSummary> sessions;
    QList<Damage> damages;
    QStringList doubts;
    qint64 records = 0;

    // Adds a record as the reader hands it over.
    void add(const Record &record, bool utf8);
    // Its damage and doubts as the reports list them: "damaged: ...",
    // "unclear: ...".
    QStringList flaws() const;
};

int ratingIndex(QByteArrayView reply);
// "0:n 1:n 2:n 3:n other:n", as the summaries show the ratings.
QString ratingCountsText(const RatingCounts &counts);
qint64 medianGap(const QList<qint64> &seconds);
QMap<QString, RecordCounts> totalsOf(const QList<FileSummary> &files);

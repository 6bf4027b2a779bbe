#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The records that the child program appends, made from the writer's number,
// the record's index and a seed alone, so that the test that reads the files
// afterwards can tell every whole record. Their texts run from empty to
// several megabytes and hold CR LF, the record rules themselves and every
// byte from 128 to 255.
struct SampleRecord
{
    QByteArray master;
    QByteArray send;
};

enum class SampleSizes
{
    Small,
    UpToMegabytes
};

SampleRecord sampleRecord(int writer, int index, quint32 seed, SampleSizes sizes);

inline QString masterFileIn(const QString &folder)
{
    return folder + QStringLiteral("/masterFile.txt");
}
inline QString sendFileIn(const QString &folder)
{
    return folder + QStringLiteral("/send_1207.txt");
}

// One record a file is expected to hold: the writer's, in that writer's
// order. An optional one may be missing (its command failed in a way that
// may have left it).
struct ExpectedRecord
{
    int writer = 0;
    int index = 0;
    bool optional = false;
};

struct RecordMatch
{
    QList<ExpectedRecord> found; // in the order of the file
    qsizetype end = 0;           // where the last whole record ends
};

// Reads bytes from start on as whole records of the given writers, each
// writer's taken in its own order, until no expected record fits.
RecordMatch matchRecords(const QByteArray &bytes, qsizetype start,
                         const QList<QList<ExpectedRecord>> &writers, quint32 seed,
                         SampleSizes sizes, bool master);

// What the child program said about each record it tried.
struct ChildLine
{
    int index = 0;
    bool ok = false;
    QString reason; // the file and the reason, for a failed one
};

QList<ChildLine> parseChildOutput(const QByteArray &output);

// The records a child run refused, by what their reasons name.
struct Refusals
{
    int count = 0;
    QSet<QString> causes;    // the expected causes that some reason names
    QStringList unexplained; // reasons that name none of them
    int mayRemain = 0;       // refusals that say part of the record may remain
};

Refusals refusalsIn(const QList<ChildLine> &lines, const QStringList &causes);

// The records the files should hold after a child run: the whole ones, and
// as optional those whose failure says part of them may remain.
QList<ExpectedRecord> expectedFrom(int writer, const QList<ChildLine> &lines);

// A child program run to its end: how it ended and what it said.
struct ChildRun
{
    bool finished = false; // ended by itself within the time limit
    int exitCode = -1;
    QByteArray errors;
    QList<ChildLine> lines;
};

ChildRun runChild(const QString &program, const QStringList &arguments);

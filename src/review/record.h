#pragma once

#include <QByteArrayView>
#include <QString>

// What the reader finds in a record file. Texts stay in the file's bytes
// (Windows-1252) until a report shows them: the views point into the
// reader's buffer and hold only while the sink is called.
enum class RecordKind
{
    Opening,
    Response,
    Notes,
    Rescue
};

enum class RatingKind
{
    None,
    Confidence,
    SelfCritique
};

struct Record
{
    RecordKind kind = RecordKind::Response;
    qint64 firstLine = 0;
    qint64 lastLine = 0;
    QByteArrayView time; // hh:mm:ss
    QByteArrayView date; // mm-dd-yyyy: opening blocks, notes and rescue records
    QByteArrayView assignment;
    QByteArrayView header;
    bool fromMaster = false; // carries the master file's own question-number line
    QByteArrayView item;
    QByteArrayView text; // response, note (label dropped) or kept text
    RatingKind ratingKind = RatingKind::None;
    QByteArrayView rating;
    QByteArrayView reason; // why a draft was kept
    QString doubt;         // set when the record can be read in more than one way
};

struct Damage
{
    qint64 firstLine = 0; // 0: the whole file
    qint64 lastLine = 0;
    QString what;
};

class RecordSink
{
public:
    virtual ~RecordSink() = default;
    virtual void record(const Record &record) = 0;
    virtual void damage(const Damage &) {}
};

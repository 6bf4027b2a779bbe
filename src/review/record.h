#pragma once

#include <QByteArray>
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

// The tutor's mm-dd-yyyy as yyyy-mm-dd; any other text as it stands.
QString isoDate(QByteArrayView date);

// A text of a file in Windows-1252, as the tutor writes it, or in UTF-8 when
// it was re-encoded after.
QString fileText(QByteArrayView bytes, bool utf8);

// A file of records being read: whose records they are, how its texts are
// encoded, and the session they belong to, its last opening block's.
struct RecordFile
{
    QString path;
    QString student;
    bool utf8 = false;
    QByteArray assignment;
    QString date; // yyyy-mm-dd

    // Opens the session of an opening block.
    void follow(const Record &record);
    // The record's own date, or else the session's.
    QString dateOf(const Record &record) const;
};

#pragma once

#include "record.h"
#include "record_reader.h"
#include "support/expected_record.h"

#include <QIODevice>
#include <QList>

#include <algorithm>
#include <cstring>

// A record as the reader handed it over, kept beyond the call.
struct KeptRecord
{
    explicit KeptRecord(const Record &r)
        : kind(r.kind), firstLine(r.firstLine), lastLine(r.lastLine), time(r.time.toByteArray()),
          date(r.date.toByteArray()), assignment(r.assignment.toByteArray()),
          header(r.header.toByteArray()), fromMaster(r.fromMaster), item(r.item.toByteArray()),
          text(r.text.toByteArray()), ratingKind(r.ratingKind), rating(r.rating.toByteArray()),
          reason(r.reason.toByteArray()), doubt(r.doubt)
    {
    }

    RecordKind kind;
    qint64 firstLine;
    qint64 lastLine;
    QByteArray time;
    QByteArray date;
    QByteArray assignment;
    QByteArray header;
    bool fromMaster;
    QByteArray item;
    QByteArray text;
    RatingKind ratingKind;
    QByteArray rating;
    QByteArray reason;
    QString doubt;
};

// Everything the reader hands over for one file.
struct Reading : RecordSink
{
    void record(const Record &r) override { records.append(KeptRecord(r)); }
    void damage(const Damage &d) override { damages.append(d); }

    QList<KeptRecord> records;
    QList<Damage> damages;
};

// A device of unknown size that hands its bytes out at most a piece at a
// time, as a pipe or a network share may, and then ends or fails.
class PieceDevice : public QIODevice
{
public:
    enum class End
    {
        Clean,
        ReadError,
    };

    PieceDevice(QByteArray bytes, qint64 piece, End end = End::Clean)
        : m_bytes(std::move(bytes)), m_piece(piece), m_end(end)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        if (m_at == m_bytes.size() && m_end == End::ReadError) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        const qint64 n = std::min({size, m_piece, m_bytes.size() - m_at});
        std::memcpy(data, m_bytes.constData() + m_at, size_t(n));
        m_at += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_piece;
    End m_end;
    qint64 m_at = 0;
};

inline Reading readBytes(const QByteArray &bytes, qint64 piece = 1 << 20)
{
    PieceDevice device(bytes, piece);
    Reading reading;
    readRecords(device,
                checkStart(QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), 65536))),
                reading);
    return reading;
}

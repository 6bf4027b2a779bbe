#pragma once

#include "record.h"
#include "record_reader.h"
#include "support/crlf_lines.h"

#include <QBuffer>
#include <QList>

// Everything the reader hands over for one file, texts included.
struct Reading : RecordSink
{
    bool wantsTexts() const override { return true; }
    void record(const Record &r) override { records.append(r); }
    void damage(const Damage &d) override { damages.append(d); }

    QList<Record> records;
    QList<Damage> damages;
};

inline Reading readBytes(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Reading reading;
    readRecords(buffer,
                checkStart(QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), 65536))),
                reading);
    return reading;
}

inline const QByteArray sectionRule = "......!!!!!!!!...................................";
inline const QByteArray closingRule(49, '.');
inline const QByteArray timeIndent(36, ' ');

// A rescue record as the tutor keeps a draft: the kept text carries its
// length in characters.
inline QByteArray rescueRecord(const QByteArray &time, const QByteArray &date,
                               const QByteArray &item, const QByteArray &reason,
                               const QByteArray &kept)
{
    return crlfLines(
        {sectionRule, timeIndent + time, timeIndent + date + time, item, sectionRule,
         "KEPT --------> " + reason + ", " + QByteArray::number(kept.size()) + " characters", kept,
         closingRule});
}

inline QByteArray sendResponse(const QByteArray &time, const QByteArray &item,
                               const QByteArray &response, const QByteArray &ratingLine)
{
    QByteArray bytes =
        crlfLines({sectionRule, timeIndent + time, item, sectionRule, "RESPONSE -->  ", response});
    if (!ratingLine.isNull())
        bytes += ratingLine + "\r\n";
    return bytes + closingRule + "\r\n";
}

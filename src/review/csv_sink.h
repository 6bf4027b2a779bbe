#pragma once

#include "record.h"

#include <QIODevice>
#include <QString>

// One row a record, RFC 4180 quoting, UTF-8 with a byte-order mark so that
// spreadsheets take the accents as they are.
void writeCsvHeader(QIODevice &out);
QByteArray csvField(const QString &text);

class CsvSink : public RecordSink
{
public:
    CsvSink(QIODevice &out, const QString &file, bool utf8, RecordSink &next);
    void record(const Record &record) override;
    void damage(const Damage &damage) override { m_next.damage(damage); }
    // Writes the rows still held back; a failed write stays on the device.
    void finish();

private:
    QString text(QByteArrayView bytes) const;

    QIODevice &m_out;
    QString m_file;
    bool m_utf8;
    RecordSink &m_next;
    QString m_date;
    QString m_assignment;
    QByteArray m_rows; // written a megabyte at a time
};

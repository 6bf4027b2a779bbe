#pragma once

#include "record.h"
#include "record_fields.h"

#include <QIODevice>
#include <QString>

// One row a record, RFC 4180 quoting, UTF-8 with a byte-order mark so that
// spreadsheets take the accents as they are. Dates are yyyy-mm-dd; the place
// is the item's as the course numbers it ("005 Q2"), empty for a text the
// course does not hold.
void writeCsvHeader(QIODevice &out);
void appendCsvField(QByteArray &row, const QString &text);

class CsvSink : public RecordSink
{
public:
    // Rows gather in rows, shared by the files, and go out a megabyte at a
    // time; the caller writes what is left at the end.
    CsvSink(QIODevice &out, QByteArray &rows, const QString &file, const QString &student,
            bool utf8);
    void record(const Record &record) override;

private:
    QIODevice &m_out;
    QByteArray &m_rows;
    QString m_file;
    QString m_student;
    bool m_utf8;
    OpenedSession m_session;
};

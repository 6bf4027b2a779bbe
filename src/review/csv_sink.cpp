#include "csv_sink.h"

#include "course_places.h"
#include "format/windows1252.h"
#include "iso_date.h"
#include "report_output.h"

#include <cstring>

namespace {

QString kindName(RecordKind kind)
{
    switch (kind) {
    case RecordKind::Opening:
        return QStringLiteral("opening");
    case RecordKind::Response:
        return QStringLiteral("response");
    case RecordKind::Notes:
        return QStringLiteral("notes");
    case RecordKind::Rescue:
        return QStringLiteral("draft");
    }
    return {};
}

} // namespace

void writeCsvHeader(QIODevice &out)
{
    writeAll(out, "\xEF\xBB\xBF"
                  "file,student,session date,assignment,place,record,time,item kind,rating,"
                  "item,response\r\n");
}

void appendCsvField(QByteArray &row, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    bool quoted = false;
    for (char c : bytes)
        quoted = quoted || c == ',' || c == '"' || c == '\r' || c == '\n';
    if (quoted)
        row += '"';
    // A spreadsheet takes a cell that begins so for a formula; a leading
    // apostrophe keeps it text.
    if (!bytes.isEmpty() && bytes.front() != '\0' && std::strchr("=+-@\t\r", bytes.front()))
        row += '\'';
    if (!quoted) {
        row += bytes;
        return;
    }
    qsizetype from = 0;
    for (qsizetype quote = bytes.indexOf('"'); quote >= 0; quote = bytes.indexOf('"', from)) {
        row.append(bytes.constData() + from, quote + 1 - from);
        row += '"';
        from = quote + 1;
    }
    row.append(bytes.constData() + from, bytes.size() - from);
    row += '"';
}

CsvSink::CsvSink(QIODevice &out, QByteArray &rows, const QString &file, const QString &student,
                 bool utf8, RecordSink &next)
    : m_out(out), m_rows(rows), m_file(file), m_student(student), m_utf8(utf8), m_next(next)
{
}

QString CsvSink::text(QByteArrayView bytes) const
{
    return m_utf8 ? QString::fromUtf8(bytes) : fromWindows1252(bytes);
}

void CsvSink::record(const Record &record)
{
    m_next.record(record);
    if (record.kind == RecordKind::Opening) {
        m_date = isoDate(record.date);
        m_assignment = record.assignment.toByteArray();
    }
    QString itemKind;
    if (record.ratingKind == RatingKind::Confidence)
        itemKind = QStringLiteral("question");
    else if (record.ratingKind == RatingKind::SelfCritique)
        itemKind = QStringLiteral("answer");
    else if (record.kind == RecordKind::Rescue)
        itemKind = text(record.reason);
    const qsizetype place = record.kind == RecordKind::Opening || record.item.isEmpty()
                                ? -1
                                : CoursePlaces::course().find(m_assignment, record.item);
    const QString fields[] = {
        m_file,
        m_student,
        record.date.isEmpty() ? m_date : isoDate(record.date),
        QString::fromLatin1(m_assignment),
        place < 0 ? QString() : CoursePlaces::course().items()[place].place,
        kindName(record.kind),
        text(record.time),
        itemKind,
        text(record.rating),
        record.kind == RecordKind::Opening ? text(record.header) : text(record.item),
        text(record.text),
    };
    for (const QString &field : fields) {
        if (&field != fields)
            m_rows += ',';
        appendCsvField(m_rows, field);
    }
    m_rows += "\r\n";
    // A failed write stays on the device, to be found when it is committed.
    if (m_rows.size() >= 1 << 20) {
        writeAll(m_out, m_rows);
        m_rows.resize(0);
    }
}

#include "csv_sink.h"

#include "platform/windows1252.h"
#include "report_output.h"

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
                  "file,session date,assignment,record,time,item kind,rating,item,response\r\n");
}

QByteArray csvField(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    // A spreadsheet takes a cell that begins so for a formula; a leading
    // apostrophe keeps it text.
    if (!bytes.isEmpty() && QByteArrayView("=+-@\t\r").contains(bytes.front()))
        bytes.prepend('\'');
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\r') &&
        !bytes.contains('\n'))
        return bytes;
    bytes.replace("\"", "\"\"");
    return '"' + bytes + '"';
}

CsvSink::CsvSink(QIODevice &out, const QString &file, bool utf8, RecordSink &next)
    : m_out(out), m_file(file), m_utf8(utf8), m_next(next)
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
        m_date = text(record.date);
        m_assignment = text(record.assignment);
    }
    QString itemKind;
    if (record.ratingKind == RatingKind::Confidence)
        itemKind = QStringLiteral("question");
    else if (record.ratingKind == RatingKind::SelfCritique)
        itemKind = QStringLiteral("answer");
    else if (record.kind == RecordKind::Rescue)
        itemKind = text(record.reason);
    const QString date = record.date.isEmpty() ? m_date : text(record.date);
    const QList<QString> fields = {
        m_file,
        date,
        m_assignment,
        kindName(record.kind),
        text(record.time),
        itemKind,
        text(record.rating),
        record.kind == RecordKind::Opening ? text(record.header) : text(record.item),
        text(record.text),
    };
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            m_rows += ',';
        m_rows += csvField(fields[i]);
    }
    m_rows += "\r\n";
    if (m_rows.size() >= 1 << 20)
        finish();
}

void CsvSink::finish()
{
    writeAll(m_out, m_rows);
    m_rows.clear();
}

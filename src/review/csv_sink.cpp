#include "csv_sink.h"

#include "course_places.h"
#include "report_output.h"

#include <cstring>

namespace {

// In the order of RecordKind.
const char *const kindNames[] = {"opening", "response", "notes", "draft"};

} // namespace

void writeCsvHeader(QIODevice &out)
{
    writeAll(out, "\xEF\xBB\xBF"
                  "file,student,session date,assignment,place,record,time,item kind,rating,"
                  "item,response\r\n");
}

void appendCsvField(QByteArray &row, const QString &text)
{
    QByteArray bytes = text.toUtf8();
    const bool quoted =
        bytes.contains(',') || bytes.contains('"') || bytes.contains('\r') || bytes.contains('\n');
    // A spreadsheet takes a cell that begins so for a formula; a leading
    // apostrophe keeps it text.
    if (!bytes.isEmpty() && bytes.front() != '\0' && std::strchr("=+-@\t\r", bytes.front()))
        bytes.prepend('\'');
    if (quoted)
        bytes = '"' + bytes.replace('"', "\"\"") + '"';
    row += bytes;
}

CsvSink::CsvSink(QIODevice &out, QByteArray &rows, const QString &file, const QString &student,
                 bool utf8)
    : m_out(out), m_rows(rows), m_file(file), m_student(student), m_utf8(utf8)
{
}

void CsvSink::record(const Record &record)
{
    const QString date = m_session.follow(record);
    const QByteArray &assignment = m_session.assignment;
    QString itemKind;
    if (record.ratingKind == RatingKind::Confidence)
        itemKind = QStringLiteral("question");
    else if (record.ratingKind == RatingKind::SelfCritique)
        itemKind = QStringLiteral("answer");
    else if (record.kind == RecordKind::Rescue)
        itemKind = fileText(record.reason, m_utf8);
    const qsizetype place = record.kind == RecordKind::Opening || record.item.isEmpty()
                                ? -1
                                : CoursePlaces::course().find(assignment, record.item);
    const QString fields[] = {
        m_file,
        m_student,
        date,
        QString::fromLatin1(assignment),
        place < 0 ? QString() : CoursePlaces::course().items()[place].place,
        QString::fromLatin1(kindNames[int(record.kind)]),
        fileText(record.time, m_utf8),
        itemKind,
        fileText(record.rating, m_utf8),
        fileText(record.kind == RecordKind::Opening ? record.header : record.item, m_utf8),
        fileText(record.text, m_utf8),
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

#include "csv_rows.h"

#include "course_places.h"
#include "report_output.h"

#include <cstring>

namespace {

// In the order of RecordKind.
const char *const kindNames[] = {"opening", "response", "notes", "draft"};

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

} // namespace

void writeCsvHeader(QIODevice &out)
{
    writeAll(out, "\xEF\xBB\xBF"
                  "file,student,session date,assignment,place,record,time,item kind,rating,"
                  "item,response\r\n");
}

void appendCsvRow(QByteArray &rows, const RecordFile &file, const Record &record)
{
    QString itemKind;
    if (record.ratingKind == RatingKind::Confidence)
        itemKind = QStringLiteral("question");
    else if (record.ratingKind == RatingKind::SelfCritique)
        itemKind = QStringLiteral("answer");
    else if (record.kind == RecordKind::Rescue)
        itemKind = fileText(record.reason, file.utf8);
    const qsizetype place = record.kind == RecordKind::Opening || record.item.isEmpty()
                                ? -1
                                : findCourseItem(file.assignment, record.item);
    const QString fields[] = {
        file.path,
        file.student,
        file.dateOf(record),
        QString::fromLatin1(file.assignment),
        place < 0 ? QString() : courseItems()[place].place,
        QString::fromLatin1(kindNames[int(record.kind)]),
        fileText(record.time, file.utf8),
        itemKind,
        fileText(record.rating, file.utf8),
        fileText(record.kind == RecordKind::Opening ? record.header : record.item, file.utf8),
        fileText(record.text, file.utf8),
    };
    for (const QString &field : fields) {
        if (&field != fields)
            rows += ',';
        appendCsvField(rows, field);
    }
    rows += "\r\n";
}

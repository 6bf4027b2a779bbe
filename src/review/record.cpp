#include "record.h"

#include "format/windows1252.h"

QString isoDate(QByteArrayView date)
{
    if (date.size() != 10 || date[2] != '-' || date[5] != '-')
        return QString::fromLatin1(date);
    return QString::fromLatin1(date.sliced(6, 4)) + u'-' + QString::fromLatin1(date.first(2)) +
           u'-' + QString::fromLatin1(date.sliced(3, 2));
}

QString fileText(QByteArrayView bytes, bool utf8)
{
    return utf8 ? QString::fromUtf8(bytes) : fromWindows1252(bytes);
}

void RecordFile::follow(const Record &record)
{
    if (record.kind == RecordKind::Opening) {
        assignment = record.assignment.toByteArray();
        date = isoDate(record.date);
    }
}

QString RecordFile::dateOf(const Record &record) const
{
    return record.date.isEmpty() ? date : isoDate(record.date);
}

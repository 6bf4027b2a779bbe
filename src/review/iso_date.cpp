#include "iso_date.h"

QString isoDate(QByteArrayView date)
{
    if (date.size() != 10 || date[2] != '-' || date[5] != '-')
        return QString::fromLatin1(date);
    return QString::fromLatin1(date.sliced(6, 4)) + u'-' + QString::fromLatin1(date.first(2)) +
           u'-' + QString::fromLatin1(date.sliced(3, 2));
}

#include "clock_texts.h"

QString dateText(const QDateTime &when)
{
    const QDate d = when.date();
    return QString::asprintf("%02d-%02d-%04d", d.month(), d.day(), d.year());
}

QString timeText(const QDateTime &when)
{
    const QTime t = when.time();
    return QString::asprintf("%02d:%02d:%02d", t.hour(), t.minute(), t.second());
}

float secondsSinceMidnight(const QDateTime &when)
{
    return float(when.time().msecsSinceStartOfDay() / 1000.0);
}

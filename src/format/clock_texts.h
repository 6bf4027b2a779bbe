#pragma once

#include <QDateTime>
#include <QString>

// The forms in which the records show the clock, whatever the locale.
QString dateText(const QDateTime &when); // mm-dd-yyyy
QString timeText(const QDateTime &when); // hh:mm:ss, 24-hour clock
float secondsSinceMidnight(const QDateTime &when);

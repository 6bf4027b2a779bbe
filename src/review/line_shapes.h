#pragma once

#include <QByteArrayView>
#include <QString>

// What the lines of the tutor's records look like: the clock lines, the code
// line, the labels that a mailer may have changed; and how a note names lines.
bool isDate(QByteArrayView t);
bool isTimeLine(QByteArrayView line);
bool isDateTimeLine(QByteArrayView line);
bool isCodeLine(QByteArrayView line);
bool isNumberLine(QByteArrayView line);
bool isStrippedResponseLabel(QByteArrayView line);
bool isRatingLine(QByteArrayView line);
qsizetype keptLength(QByteArrayView label, qint64 &count);
// "line 4", or "lines 4-9".
QString lineRange(qint64 first, qint64 last);

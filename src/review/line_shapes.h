#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstring>

// Comparisons with a fixed text of the records (RecordTexts) of known
// length, which the compiler turns into a few word compares instead of a call.
inline bool startsWith(QByteArrayView line, QByteArrayView text)
{
    return line.size() >= text.size() &&
           std::memcmp(line.data(), text.data(), size_t(text.size())) == 0;
}

inline bool endsWith(QByteArrayView line, QByteArrayView text)
{
    return line.size() >= text.size() && startsWith(line.last(text.size()), text);
}

inline bool equals(QByteArrayView line, QByteArrayView text)
{
    return line.size() == text.size() && startsWith(line, text);
}

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

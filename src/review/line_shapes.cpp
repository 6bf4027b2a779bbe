#include "line_shapes.h"

#include "format/record_texts.h"

#include <initializer_list>

using namespace RecordTexts;

namespace {

constexpr qsizetype indent = timeIndent.size();

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool digitsAt(QByteArrayView text, std::initializer_list<qsizetype> positions)
{
    for (qsizetype p : positions) {
        if (!isDigit(text[p]))
            return false;
    }
    return true;
}

bool isClock(QByteArrayView t)
{
    return t.size() == 8 && t[2] == ':' && t[5] == ':' && digitsAt(t, {0, 1, 3, 4, 6, 7});
}

bool isIndented(QByteArrayView line, qsizetype size)
{
    return line.size() == indent + size && line.startsWith(timeIndent);
}

} // namespace

bool isDate(QByteArrayView t)
{
    return t.size() == 10 && t[2] == '-' && t[5] == '-' && digitsAt(t, {0, 1, 3, 4, 6, 7, 8, 9});
}

bool isTimeLine(QByteArrayView line)
{
    return isIndented(line, 8) && isClock(line.sliced(indent));
}

bool isDateTimeLine(QByteArrayView line)
{
    return isIndented(line, 18) && isDate(line.sliced(indent, 10)) &&
           isClock(line.sliced(indent + 10));
}

// The code line: one to two characters a unit, low ones from B to t, high
// ones from v upwards.
bool isCodeLine(QByteArrayView line)
{
    if (line.size() < 19 || line.size() > 56)
        return false;
    for (char c : line) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 66 || b == 117)
            return false;
    }
    return true;
}

// The master file's number line: the marker, a space, the number.
bool isNumberLine(QByteArrayView line)
{
    return line.startsWith(numberMarker) && line.size() > numberMarker.size() &&
           line[numberMarker.size()] == ' ';
}

// A mailer that strips the spaces at the ends of lines takes the response
// label's own.
bool isStrippedResponseLabel(QByteArrayView line)
{
    const QByteArrayView bare = QByteArrayView(responseLabel).trimmed();
    return line.size() >= bare.size() && line.size() < responseLabel.size() &&
           QByteArrayView(responseLabel).startsWith(line);
}

bool isRatingLine(QByteArrayView line)
{
    return line.startsWith(confidenceLabel) || line.startsWith(selfCritiqueLabel);
}

// "reason, N characters": the length N, and where the reason ends; -1 when
// the label gives no length.
qsizetype keptLength(QByteArrayView label, qint64 &count)
{
    const qsizetype comma = label.lastIndexOf(QByteArrayView(", "));
    const QByteArrayView suffix = " characters";
    if (comma < 0 || comma + 2 + suffix.size() > label.size() || !label.endsWith(suffix))
        return -1;
    const QByteArrayView digits = label.sliced(comma + 2, label.size() - comma - 2 - suffix.size());
    if (digits.isEmpty() || digits.size() > 12)
        return -1;
    for (char c : digits) {
        if (!isDigit(c))
            return -1;
    }
    count = digits.toLongLong();
    return comma;
}

QString lineRange(qint64 first, qint64 last)
{
    return first == last ? QStringLiteral("line %1").arg(first)
                         : QStringLiteral("lines %1-%2").arg(first).arg(last);
}

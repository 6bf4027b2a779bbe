#include "text_value.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

double numericValue(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    const qsizetype start = i;
    qsizetype digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            end = j;
        }
    }
    // from_chars reads the C form whatever the locale; strtod would follow
    // the locale that Qt switches the C library to, and stop at "." under a
    // decimal comma.
    const QByteArray number = text.mid(start, end - start).toLatin1();
    double value = 0.0;
    const std::from_chars_result read =
        std::from_chars(number.constData(), number.constData() + number.size(), value);
    if (read.ec == std::errc::result_out_of_range)
        value = number.contains("e-") || number.contains("E-")
                    ? 0.0
                    : std::numeric_limits<double>::infinity();
    return negative ? -value : value;
}

QString generalNumber(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(value, 'f', 0);
    QString text = QString::number(value, 'g', 15).toUpper();
    // General format writes no zero before the decimal point.
    if (text.startsWith(QStringLiteral("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QStringLiteral("-0.")))
        text.remove(1, 1);
    return text;
}

QString padAssignmentNumber(const QString &number)
{
    if (number.size() == 1)
        return QStringLiteral("00") + number;
    if (number.size() == 2)
        return QStringLiteral("0") + number;
    return number;
}

#include "course_format.h"

namespace {

// Decodes the escapes of one file line; false names an unknown one.
bool decodeLine(QByteArrayView raw, QString *line)
{
    line->clear();
    line->reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c != '\\') {
            line->append(QLatin1Char(c));
            continue;
        }
        if (++i == raw.size())
            return false;
        switch (raw[i]) {
        case 'n':
            line->append(QStringLiteral("\r\n"));
            break;
        case 's':
            line->append(u' ');
            break;
        case '\\':
            line->append(u'\\');
            break;
        case '#':
            line->append(u'#');
            break;
        default:
            return false;
        }
    }
    return true;
}

} // namespace

CourseData parseCourseData(QByteArrayView data)
{
    CourseData result;
    qsizetype start = 0;
    int fileLine = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        QByteArrayView raw = data.sliced(start, end - start);
        start = end + 1;
        ++fileLine;
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (raw.startsWith('#'))
            continue;
        QString line;
        if (!decodeLine(raw, &line)) {
            result.error =
                QStringLiteral("line %1: a backslash that starts no known escape").arg(fileLine);
            return result;
        }
        result.lines.append(line);
    }
    return result;
}

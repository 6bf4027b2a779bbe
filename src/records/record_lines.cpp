#include "record_lines.h"

#include "format/clock_texts.h"
#include "format/record_texts.h"
#include "platform/platform.h"
#include "record_code.h"

using namespace RecordTexts;

RecordLines::RecordLines(Platform &platform, qsizetype fileCount)
    : m_platform(platform), m_files(fileCount)
{
}

RecordLines &RecordLines::line(const QString &item)
{
    for (RecordText &file : m_files)
        file.line(item);
    return *this;
}

RecordLines &RecordLines::codedLine(const QString &item, int codeNbr)
{
    for (RecordText &file : m_files)
        file.line(code(item, codeNbr));
    return *this;
}

RecordLines &RecordLines::timeLine()
{
    for (RecordText &file : m_files)
        file.text(timeIndent).line(timeText(m_platform.now()));
    return *this;
}

RecordLines &RecordLines::dateTimeLine()
{
    for (RecordText &file : m_files) {
        const QDateTime now = m_platform.now();
        file.text(timeIndent).text(dateText(now)).line(timeText(now));
    }
    return *this;
}

RecordLines &RecordLines::dateLine()
{
    for (RecordText &file : m_files)
        file.line(dateText(m_platform.now()));
    return *this;
}

QList<FileRecord> RecordLines::parts(const QStringList &pathTexts) const
{
    Q_ASSERT(pathTexts.size() == m_files.size());
    QList<FileRecord> parts;
    for (qsizetype i = 0; i < pathTexts.size(); ++i)
        parts.append({pathTexts.at(i), m_files.at(i).bytes()});
    return parts;
}

#pragma once

#include "format/record_text.h"
#include "storage/record_writer.h"

#include <QList>
#include <QStringList>

class Platform;

// One record as each of its files receives it: every line goes to every
// file, and a line that shows the time or the date reads the clock anew for
// each file's copy, as the course's records always have.
class RecordLines
{
public:
    RecordLines(Platform &platform, qsizetype fileCount);

    RecordLines &line(const QString &item);
    // A text from the course or the student: through code once per file.
    RecordLines &codedLine(const QString &item, int codeNbr);
    // The time indent and the time.
    RecordLines &timeLine();
    // The time indent, then the date and the time with nothing between.
    RecordLines &dateTimeLine();
    RecordLines &dateLine();

    // One file's own lines, such as the master file's question number.
    RecordText &file(qsizetype index) { return m_files[index]; }

    QByteArray bytes(qsizetype index) const { return m_files.at(index).bytes(); }
    // The files' shares, in the order of the paths.
    QList<FileRecord> parts(const QStringList &pathTexts) const;

private:
    Platform &m_platform;
    QList<RecordText> m_files;
};

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <vector>

// Splits a device into lines at CR LF, or at LF for files whose line ends
// were converted (a lone LF in a CR LF file stays in its line). Lines are
// numbered from 0. The device is read a block at a time; the lines from the
// first one not yet released on are kept, so a record stays in one piece
// however many blocks it spans.
class LineReader
{
public:
    LineReader(QIODevice &device, bool crlf);

    // Reads on until the line is there; false when the device ends first.
    bool has(qint64 index)
    {
        while (index >= m_first + lineCount()) {
            if (!readMore())
                return false;
        }
        return true;
    }
    // A line's view holds until the next has(), which may move the lines kept.
    QByteArrayView line(qint64 index) const
    {
        const qsizetype from = m_starts[index - m_first] - m_offset;
        return QByteArrayView(m_bytes.constData() + from,
                              m_starts[index - m_first + 1] - m_offset - m_sep - from);
    }
    // The lines from .. to-1 with their line ends between them.
    QByteArrayView lines(qint64 from, qint64 to) const;
    // Lines before the index are not asked for again.
    void release(qint64 before) { m_keep = before; }
    // Why the device could not be read to its end, once has() gave false.
    QString readError() const { return m_error; }
    // The device's last line has no line end, once has() gave false.
    bool lastLineCut() const { return m_lastLineCut; }

private:
    qint64 lineCount() const { return qint64(m_starts.size()) - 1; }
    bool readMore();
    void dropReleased();
    void findLineEnds(qsizetype from);
    bool endLastLine();

    QIODevice &m_device;
    const qsizetype m_sep; // the length of a line end
    QByteArray m_bytes;    // the device's bytes from m_offset on
    qint64 m_offset = 0;
    // Where in the device lines m_first, m_first + 1, ... begin; the last
    // entry is where the line that has no line end yet begins.
    std::vector<qint64> m_starts{0};
    qint64 m_first = 0;
    qint64 m_keep = 0;
    bool m_atEnd = false;
    bool m_lastLineCut = false;
    QString m_error;
};

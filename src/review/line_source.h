#pragma once

#include "chunk_reader.h"
#include "line_ends.h"

#include <QByteArrayView>
#include <QIODevice>

#include <memory>

// Splits a device into lines at CR LF (or at LF, for files whose line ends
// were converted). Lines are numbered from 0 and read as views into the
// chunk being read; the lines not yet released are kept, put in front of the
// next chunk when it is taken over, so a record that spans two chunks stays
// in one piece.
class LineSource
{
public:
    LineSource(QIODevice &device, bool crlf, qsizetype chunkSize,
               ChunkReader::Reading reading = ChunkReader::Reading::Ahead);

    bool has(qint64 index) { return index < m_first + m_count || fill(index); }
    // Views stay valid until the next call of has().
    QByteArrayView line(qint64 index) const
    {
        const qsizetype i = index - m_first;
        return QByteArrayView(m_bytes + m_starts[i], m_starts[i + 1] - m_starts[i] - m_sep);
    }
    qsizetype size(qint64 index) const
    {
        const qsizetype i = index - m_first;
        return m_starts[i + 1] - m_starts[i] - m_sep;
    }
    quint8 look(qint64 index) const { return m_looks[index - m_first]; }
    // The first line from the index on that is not plain text, or the end of
    // the lines read so far.
    qint64 skipPlain(qint64 index) const
    {
        qsizetype i = index - m_first;
        while (i < m_count && m_looks[i] == LineLook::Plain)
            ++i;
        return m_first + i;
    }
    // The lines from .. to-1 with their line ends between them.
    QByteArrayView lines(qint64 from, qint64 to) const;
    // Lines before the index are not asked for again.
    void release(qint64 before) { m_keep = before; }
    // Why the device could not be read to its end, once has() gave false.
    QString readError() const { return m_reader.error(); }
    // The device's last line has no line end, once has() gave false.
    bool lastLineCut() const { return m_lastLineCut; }

private:
    bool fill(qint64 index);
    bool readMore();
    void takeOver(std::unique_ptr<Chunk> next, qsizetype drop);
    void append(const Chunk &next, qsizetype drop);
    bool endLastLine();

    const qsizetype m_sep; // the length of a line end
    ChunkReader m_reader;
    std::unique_ptr<Chunk> m_chunk; // the one the lines are in
    const char *m_bytes = nullptr;
    qsizetype m_size = 0; // where the bytes of the chunk end
    // m_starts[i] is where line m_first + i begins; m_starts[m_count] is
    // where the line that has no line end yet begins. Both point into the
    // chunk's arrays.
    qsizetype m_noLines[1] = {0};
    qsizetype *m_starts = m_noLines;
    quint8 *m_looks = nullptr;
    qsizetype m_count = 0;
    qint64 m_first = 0;
    qint64 m_keep = 0;
    bool m_atEnd = false;
    bool m_lastLineCut = false;
};

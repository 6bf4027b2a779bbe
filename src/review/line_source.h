#pragma once

#include <QByteArrayView>
#include <QIODevice>

#include <memory>
#include <vector>

// What the bytes around its line end allow a line to be. A line with none of
// these is text for certain, and most lines are.
namespace LineLook {
enum : quint8
{
    Plain = 0,
    MayRule = 1, // ends with a period: a section or closing rule may end it
    MayCode = 2, // the next line may begin "assignment #": an opening's code line
};
}

// Splits a device into lines at CR LF (or at LF, for files whose line ends
// were converted). Lines are numbered from 0 and read as views into one
// buffer that holds the chunk being read; the lines not yet released are
// kept, moved to the front of the buffer when the next chunk comes in, so a
// record that spans two chunks stays in one piece.
class LineSource
{
public:
    LineSource(QIODevice &device, bool crlf, qsizetype chunkSize);

    bool has(qint64 index) { return index < m_first + m_count || fill(index); }
    // Views stay valid until the next call of has().
    QByteArrayView line(qint64 index) const
    {
        const qsizetype i = index - m_first;
        return QByteArrayView(m_buffer.data() + m_starts[i], m_starts[i + 1] - m_starts[i] - m_sep);
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

private:
    bool fill(qint64 index);
    bool readMore();
    void reserveLines(qsizetype more);
    void split(qsizetype from);

    QIODevice &m_device;
    const qsizetype m_sep; // the length of a line end
    const qsizetype m_chunk;
    std::vector<char> m_buffer;
    qsizetype m_size = 0; // bytes of the buffer in use
    // m_starts[i] is where line m_first + i begins; m_starts[m_count] is
    // where the line that has no line end yet begins.
    std::unique_ptr<qsizetype[]> m_starts;
    std::unique_ptr<quint8[]> m_looks;
    qsizetype m_capacity = 0;
    qsizetype m_count = 0;
    qint64 m_first = 0;
    qint64 m_keep = 0;
    bool m_atEnd = false;
};

#include "line_source.h"

namespace {
constexpr qint64 chunkSize = 1 << 20;
}

LineSource::LineSource(QIODevice &device, QByteArrayView separator)
    : m_device(device), m_separator(separator.toByteArray())
{
}

bool LineSource::has(qsizetype ahead)
{
    while (qsizetype(m_lines.size()) <= ahead) {
        if (!readMore())
            return false;
    }
    return true;
}

Line LineSource::take()
{
    Line line = std::move(m_lines.front());
    m_lines.pop_front();
    return line;
}

void LineSource::pushBack(std::deque<Line> &lines)
{
    m_lines.insert(m_lines.begin(), std::make_move_iterator(lines.begin()),
                   std::make_move_iterator(lines.end()));
    lines.clear();
}

bool LineSource::readMore()
{
    if (m_atEnd)
        return false;
    QByteArray chunk = m_device.read(chunkSize);
    if (chunk.isEmpty()) {
        m_atEnd = true;
        // The last line of a file that does not end with a line end.
        if (!m_rest.isEmpty()) {
            m_lines.push_back({m_rest, 0, m_rest.size(), m_nextNumber++});
            m_rest.clear();
            return true;
        }
        return false;
    }
    const qsizetype before = qsizetype(m_lines.size());
    QByteArray data = m_rest.isEmpty() ? std::move(chunk) : m_rest + chunk;
    m_rest.clear();
    qsizetype start = 0;
    const qsizetype sep = m_separator.size();
    for (;;) {
        const qsizetype end = data.indexOf(m_separator, start);
        if (end < 0)
            break;
        m_lines.push_back({data, start, end - start, m_nextNumber++});
        start = end + sep;
    }
    // A CR at the end of the chunk may be the first half of a line end.
    m_rest = data.sliced(start);
    return qsizetype(m_lines.size()) > before || readMore();
}

#include "line_source.h"

#include <cstring>

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
    const bool crlf = m_separator.size() == 2;
    const char *begin = data.constData();
    const char *const stop = begin + data.size();
    for (const char *from = begin; from < stop;) {
        const auto *lf = static_cast<const char *>(std::memchr(from, '\n', size_t(stop - from)));
        if (!lf)
            break;
        from = lf + 1;
        const qsizetype end = lf - begin;
        if (crlf && (end == start || begin[end - 1] != '\r'))
            continue; // a lone LF stays in the line
        const qsizetype size = end - start - (crlf ? 1 : 0);
        m_lines.push_back({data, start, size, m_nextNumber++});
        start = end + 1;
    }
    // A CR at the end of the chunk may be the first half of a line end.
    m_rest = data.sliced(start);
    return qsizetype(m_lines.size()) > before || readMore();
}

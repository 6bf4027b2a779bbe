#include "line_reader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype blockSize = 64 * 1024;

} // namespace

LineReader::LineReader(QIODevice &device, bool crlf) : m_device(device), m_sep(crlf ? 2 : 1) {}

QByteArrayView LineReader::lines(qint64 from, qint64 to) const
{
    if (from >= to)
        return {};
    const qsizetype start = m_starts[from - m_first] - m_offset;
    return QByteArrayView(m_bytes.constData() + start,
                          m_starts[to - m_first] - m_offset - m_sep - start);
}

bool LineReader::readMore()
{
    if (m_atEnd)
        return false;
    dropReleased();
    const qsizetype kept = m_bytes.size();
    m_bytes.resize(kept + blockSize);
    const qint64 read = m_device.read(m_bytes.data() + kept, blockSize);
    m_bytes.resize(kept + std::max<qint64>(read, 0));
    if (read > 0) {
        findLineEnds(kept);
        return true;
    }
    // An error is told, not taken for the end: what was read stays read.
    if (read < 0)
        m_error = m_device.errorString();
    m_atEnd = true;
    return endLastLine();
}

// The bytes of released lines go; the rest moves to the front of the
// buffer, which keeps its size for the next block.
void LineReader::dropReleased()
{
    const qint64 lines = std::clamp<qint64>(m_keep - m_first, 0, lineCount());
    if (lines == 0)
        return;
    m_starts.erase(m_starts.begin(), m_starts.begin() + lines);
    m_first += lines;
    const qsizetype drop = m_starts.front() - m_offset;
    std::memmove(m_bytes.data(), m_bytes.constData() + drop, size_t(m_bytes.size() - drop));
    m_bytes.resize(m_bytes.size() - drop);
    m_offset += drop;
}

void LineReader::findLineEnds(qsizetype from)
{
    const char *const bytes = m_bytes.constData();
    const qsizetype end = m_bytes.size();
    qsizetype lineStart = m_starts.back() - m_offset;
    for (qsizetype at = from; at < end;) {
        const void *found = std::memchr(bytes + at, '\n', size_t(end - at));
        if (!found)
            break;
        const qsizetype lf = static_cast<const char *>(found) - bytes;
        at = lf + 1;
        if (m_sep == 2 && (lf == lineStart || bytes[lf - 1] != '\r'))
            continue;
        m_starts.push_back(m_offset + at);
        lineStart = at;
    }
}

// The last line of a device that does not end with a line end. A CR at its
// end is the half of one that was kept.
bool LineReader::endLastLine()
{
    if (m_starts.back() - m_offset >= m_bytes.size())
        return false;
    const bool cr = m_sep == 2 && m_bytes.endsWith('\r');
    m_starts.push_back(m_offset + m_bytes.size() + m_sep - (cr ? 1 : 0));
    m_lastLineCut = true;
    return true;
}

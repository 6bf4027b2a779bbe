#include "line_source.h"

#include <algorithm>
#include <cstring>

LineSource::LineSource(QIODevice &device, bool crlf, qsizetype chunkSize,
                       ChunkReader::Reading reading)
    : m_sep(crlf ? 2 : 1), m_reader(device, crlf, chunkSize, reading)
{
}

QByteArrayView LineSource::lines(qint64 from, qint64 to) const
{
    if (from >= to)
        return {};
    const qsizetype start = m_starts[from - m_first];
    return QByteArrayView(m_bytes + start, m_starts[to - m_first] - m_sep - start);
}

bool LineSource::fill(qint64 index)
{
    while (index >= m_first + m_count) {
        if (!readMore())
            return false;
    }
    return true;
}

bool LineSource::readMore()
{
    if (m_atEnd)
        return false;
    std::unique_ptr<Chunk> next = m_reader.next();
    if (next->size == 0) {
        m_reader.recycle(std::move(next));
        m_atEnd = true;
        return endLastLine();
    }
    // Only the lines still wanted, and the line without an end, go on;
    // everything before them is done with.
    const qsizetype drop = std::clamp<qint64>(m_keep - m_first, 0, m_count);
    if (m_size - m_starts[drop] <= Chunk::byteRoom && m_count - drop <= Chunk::lineRoom) {
        takeOver(std::move(next), drop);
    } else {
        append(*next, drop);
        m_reader.recycle(std::move(next));
    }
    return true;
}

// The kept lines go into the room in front of the next chunk, which the
// lines are read from from now on.
void LineSource::takeOver(std::unique_ptr<Chunk> next, qsizetype drop)
{
    const qsizetype from = m_starts[drop];
    const qsizetype kept = m_size - from;
    const qsizetype lines = m_count - drop;
    const qsizetype to = Chunk::byteRoom - kept;
    if (kept > 0)
        std::memcpy(next->bytes.get() + to, m_bytes + from, size_t(kept));
    qsizetype *const starts = next->starts.get() + Chunk::lineRoom - lines;
    quint8 *const looks = next->looks.get() + Chunk::lineRoom - lines;
    for (qsizetype i = 0; i <= lines; ++i)
        starts[i] = m_starts[drop + i] - from + to;
    if (lines > 0)
        std::memcpy(looks, m_looks + drop, size_t(lines));
    if (m_chunk)
        m_reader.recycle(std::move(m_chunk));
    m_chunk = std::move(next);
    m_bytes = m_chunk->bytes.get();
    m_size = Chunk::byteRoom + m_chunk->size;
    m_starts = starts;
    m_looks = looks;
    m_first += drop;
    m_count = lines + m_chunk->lines;
}

// A record too long for the room in front of a chunk: the chunk it is in
// grows and takes the next chunk's bytes and lines after it.
void LineSource::append(const Chunk &next, qsizetype drop)
{
    Chunk &chunk = *m_chunk;
    const qsizetype from = m_starts[drop];
    const qsizetype kept = m_size - from;
    const qsizetype lines = m_count - drop;
    const qsizetype to = Chunk::byteRoom;

    const qsizetype bytesNeeded = to + kept + next.size + 1;
    if (chunk.byteCapacity < bytesNeeded) {
        const qsizetype capacity = std::max(2 * chunk.byteCapacity, bytesNeeded);
        auto bytes = std::make_unique_for_overwrite<char[]>(size_t(capacity));
        std::memcpy(bytes.get() + to, m_bytes + from, size_t(kept));
        chunk.bytes = std::move(bytes);
        chunk.byteCapacity = capacity;
    } else if (from != to) {
        std::memmove(chunk.bytes.get() + to, m_bytes + from, size_t(kept));
    }
    std::memcpy(chunk.bytes.get() + to + kept, next.bytes.get() + Chunk::byteRoom,
                size_t(next.size + 1));

    // The kept lines move to the front of the arrays; moving down, each
    // entry is read before it is written over. A record that grows over
    // many chunks is already there, and is not moved again for each one.
    const auto moveKept = [&](qsizetype *starts, quint8 *looks) {
        if (starts == m_starts + drop && from == to)
            return;
        for (qsizetype i = 0; i <= lines; ++i)
            starts[i] = m_starts[drop + i] - from + to;
        std::memmove(looks, m_looks + drop, size_t(lines));
    };
    const qsizetype linesNeeded = lines + next.lines + 2;
    if (chunk.lineCapacity < linesNeeded) {
        const qsizetype capacity = std::max(2 * chunk.lineCapacity, linesNeeded);
        auto starts = std::make_unique_for_overwrite<qsizetype[]>(size_t(capacity));
        auto looks = std::make_unique_for_overwrite<quint8[]>(size_t(capacity));
        moveKept(starts.get(), looks.get());
        chunk.starts = std::move(starts);
        chunk.looks = std::move(looks);
        chunk.lineCapacity = capacity;
    } else {
        moveKept(chunk.starts.get(), chunk.looks.get());
    }
    qsizetype *const starts = chunk.starts.get() + lines + 1;
    quint8 *const looks = chunk.looks.get() + lines;
    const qsizetype shift = to + kept - Chunk::byteRoom;
    for (qsizetype i = 0; i < next.lines; ++i)
        starts[i] = next.starts[Chunk::lineRoom + 1 + i] + shift;
    std::memcpy(looks, next.looks.get() + Chunk::lineRoom, size_t(next.lines));

    m_bytes = chunk.bytes.get();
    m_size = to + kept + next.size;
    m_starts = chunk.starts.get();
    m_looks = chunk.looks.get();
    m_first += drop;
    m_count = lines + next.lines;
}

// The last line of a file that does not end with a line end. A CR at its end
// is the half of one that was kept.
bool LineSource::endLastLine()
{
    if (m_starts[m_count] >= m_size)
        return false;
    const bool cr = m_sep == 2 && m_bytes[m_size - 1] == '\r';
    m_looks[m_count] = LineLook::MayRule | LineLook::MayCode;
    m_starts[++m_count] = m_size + m_sep - (cr ? 1 : 0);
    m_lastLineCut = true;
    return true;
}

#include "line_source.h"

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr qsizetype chunkSize = 1 << 20;
} // namespace

LineSource::LineSource(QIODevice &device, bool crlf, qsizetype chunkSize)
    : m_device(device), m_sep(crlf ? 2 : 1), m_chunk(chunkSize),
      m_buffer(size_t(chunkSize + 64 * 1024))
{
    reserveLines(1024);
    m_starts[0] = 0;
}

QByteArrayView LineSource::lines(qint64 from, qint64 to) const
{
    if (from >= to)
        return {};
    const qsizetype start = m_starts[from - m_first];
    return QByteArrayView(m_buffer.data() + start, m_starts[to - m_first] - m_sep - start);
}

bool LineSource::fill(qint64 index)
{
    while (index >= m_first + m_count) {
        if (!readMore())
            return false;
    }
    return true;
}

void LineSource::reserveLines(qsizetype more)
{
    const qsizetype needed = m_count + more + 2;
    if (needed <= m_capacity)
        return;
    const qsizetype capacity = std::max(2 * m_capacity, needed);
    auto starts = std::make_unique_for_overwrite<qsizetype[]>(size_t(capacity));
    auto looks = std::make_unique_for_overwrite<quint8[]>(size_t(capacity));
    if (m_starts) {
        std::copy_n(m_starts.get(), m_count + 1, starts.get());
        std::copy_n(m_looks.get(), m_count, looks.get());
    }
    m_starts = std::move(starts);
    m_looks = std::move(looks);
    m_capacity = capacity;
}

bool LineSource::readMore()
{
    if (m_atEnd)
        return false;
    // Only the lines still wanted, and the line without an end, move to the
    // front; everything before them is done with.
    const qsizetype drop = std::clamp<qint64>(m_keep - m_first, 0, m_count);
    const qsizetype from = m_starts[drop];
    if (from > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + from, size_t(m_size - from));
        m_size -= from;
        for (qsizetype i = drop; i <= m_count; ++i)
            m_starts[i - drop] = m_starts[i] - from;
        std::memmove(m_looks.get(), m_looks.get() + drop, size_t(m_count - drop));
        m_count -= drop;
        m_first += drop;
    }
    // One byte more than is read, so that the byte after a line feed can
    // always be looked at.
    if (qsizetype(m_buffer.size()) < m_size + m_chunk + 1)
        m_buffer.resize(size_t(std::max(2 * qsizetype(m_buffer.size()), m_size + m_chunk + 1)));

    const qint64 read = m_device.read(m_buffer.data() + m_size, m_chunk);
    if (read <= 0) {
        m_atEnd = true;
        // The last line of a file that does not end with a line end.
        if (m_starts[m_count] < m_size) {
            reserveLines(1);
            m_looks[m_count] = LineLook::MayRule | LineLook::MayCode;
            m_starts[++m_count] = m_size + m_sep;
            return true;
        }
        return false;
    }
    const qsizetype searched = m_size;
    m_size += read;
    reserveLines(read);
    split(searched);
    return true;
}

void LineSource::split(qsizetype from)
{
    const char *const base = m_buffer.data();
    qsizetype *const starts = m_starts.get();
    quint8 *const looks = m_looks.get();
    qsizetype count = m_count;
    const qsizetype sep = m_sep;
    const qsizetype size = m_size;
    const auto lineFeed = [&](qsizetype lf) {
        const qsizetype start = starts[count];
        if (sep == 2 && !(lf > start && base[lf - 1] == '\r'))
            return; // a lone LF stays in the line
        // The byte before the line end, and the first of the next line (not
        // read yet at the end of the buffer: then anything may follow).
        const qsizetype last = lf - sep;
        const bool period = (last >= start) & (base[std::max<qsizetype>(last, 0)] == '.');
        const bool a = (lf + 1 >= size) | (base[lf + 1] == 'a');
        looks[count] = quint8((period ? LineLook::MayRule : 0) | (a ? LineLook::MayCode : 0));
        starts[++count] = lf + 1;
    };
    qsizetype at = from;
#ifdef __SSE2__
    // 64 bytes at a time: four compares give a mask of the line feeds.
    constexpr qsizetype block = 64;
    const __m128i lf = _mm_set1_epi8('\n');
    const auto maskAt = [&](qsizetype p) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(base + p));
        return quint64(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf))));
    };
    for (; at + block <= size; at += block) {
        quint64 mask =
            maskAt(at) | maskAt(at + 16) << 16 | maskAt(at + 32) << 32 | maskAt(at + 48) << 48;
        for (; mask; mask &= mask - 1)
            lineFeed(at + std::countr_zero(mask));
    }
#endif
    while (at < size) {
        const auto *p = static_cast<const char *>(std::memchr(base + at, '\n', size_t(size - at)));
        if (!p)
            break;
        lineFeed(p - base);
        at = p - base + 1;
    }
    m_count = count;
}

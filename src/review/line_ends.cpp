#include "line_ends.h"

#include <QtEndian>

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Whether the line feed at p ends a line, and how that line looks, from the
// two bytes before it and the one after it, read at once.
template <bool crlf> struct LineEnd
{
    explicit LineEnd(const char *bytes, qsizetype p)
        : around(qFromLittleEndian<quint32>(bytes + p - 2))
    {
    }

    bool ends() const { return !crlf || byte(1) == '\r'; }

    quint8 look() const
    {
        // The byte before the line end is the line's last, or the previous
        // line's feed when the line is empty, which is not a period either.
        const bool period = byte(crlf ? 0 : 1) == '.';
        const bool a = byte(3) == 'a';
        return quint8((period ? LineLook::MayRule : 0) | (a ? LineLook::MayCode : 0));
    }

    char byte(int i) const { return char(around >> (8 * i)); }

    const quint32 around; // bytes p - 2 to p + 1
};

template <bool crlf>
qsizetype find(const char *bytes, qsizetype from, qsizetype to, qsizetype *starts, quint8 *looks)
{
    qsizetype count = 0;
    const auto add = [&](qsizetype p, bool found) {
        const LineEnd<crlf> end(bytes, p);
        starts[count] = p + 1;
        looks[count] = end.look();
        count += found & end.ends();
    };
    qsizetype at = from;
#ifdef __SSE2__
    // 64 bytes at a time: four compares give a mask of the line feeds. The
    // first two of a block are written whether they exist or not, and the
    // count moves on only for those that do, so that the number of line
    // feeds in a block, which varies from block to block, costs a branch
    // only in the few blocks that hold more. With the top bit set the lowest
    // bit is found in one instruction, and an empty mask gives a position
    // inside the block.
    constexpr qsizetype block = 64;
    constexpr quint64 top = quint64(1) << 63;
    const __m128i lf = _mm_set1_epi8('\n');
    const auto maskAt = [&](qsizetype p) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + p));
        return quint64(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(b, lf))));
    };
    for (; at + block <= to; at += block) {
        quint64 mask =
            maskAt(at) | maskAt(at + 16) << 16 | maskAt(at + 32) << 32 | maskAt(at + 48) << 48;
        for (int i = 0; i < 2; ++i) {
            add(at + __builtin_ctzll(mask | top), mask != 0);
            mask &= mask - 1;
        }
        for (; mask; mask &= mask - 1)
            add(at + __builtin_ctzll(mask), true);
    }
#endif
    while (at < to) {
        const auto *p = static_cast<const char *>(std::memchr(bytes + at, '\n', size_t(to - at)));
        if (!p)
            break;
        add(p - bytes, true);
        at = p - bytes + 1;
    }
    return count;
}

} // namespace

qsizetype findLineEnds(const char *bytes, qsizetype from, qsizetype to, bool crlf,
                       qsizetype *starts, quint8 *looks)
{
    return crlf ? find<true>(bytes, from, to, starts, looks)
                : find<false>(bytes, from, to, starts, looks);
}

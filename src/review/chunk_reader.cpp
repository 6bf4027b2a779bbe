#include "chunk_reader.h"

#include "line_ends.h"

#include <cstring>

#include <system_error>

namespace {

// Enough for the reading thread to stay ahead while one chunk is being read
// and the next is being taken over.
constexpr int chunksInUse = 3;

} // namespace

void Chunk::reserve(qsizetype bytesAfterRoom, qsizetype linesAfterRoom)
{
    if (byteCapacity < byteRoom + bytesAfterRoom) {
        byteCapacity = byteRoom + bytesAfterRoom;
        bytes = std::make_unique_for_overwrite<char[]>(size_t(byteCapacity));
    }
    if (lineCapacity < lineRoom + linesAfterRoom) {
        lineCapacity = lineRoom + linesAfterRoom;
        starts = std::make_unique_for_overwrite<qsizetype[]>(size_t(lineCapacity));
        looks = std::make_unique_for_overwrite<quint8[]>(size_t(lineCapacity));
    }
}

ChunkReader::ChunkReader(QIODevice &device, bool crlf, qsizetype chunkSize, Reading reading)
    : m_device(device), m_crlf(crlf), m_chunkSize(chunkSize)
{
    for (int i = 0; i < chunksInUse; ++i)
        m_free.push_back(std::make_unique<Chunk>());
    if (reading == Reading::WhenAsked)
        return;
    try {
        m_thread = std::thread(&ChunkReader::run, this);
    } catch (const std::system_error &) {
        // Out of threads: next() reads each chunk when it is asked for.
    }
}

ChunkReader::~ChunkReader()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

std::unique_ptr<Chunk> ChunkReader::next()
{
    if (!m_thread.joinable()) {
        std::unique_ptr<Chunk> chunk = std::move(m_free.back());
        m_free.pop_back();
        fill(*chunk, false);
        return chunk;
    }
    std::unique_ptr<Chunk> chunk;
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_ready.empty(); });
        chunk = std::move(m_ready.front());
        m_ready.pop_front();
    }
    findFirstHalf(*chunk);
    return chunk;
}

void ChunkReader::recycle(std::unique_ptr<Chunk> chunk)
{
    {
        const std::lock_guard lock(m_mutex);
        m_free.push_back(std::move(chunk));
    }
    m_changed.notify_all();
}

void ChunkReader::run()
{
    for (;;) {
        std::unique_ptr<Chunk> chunk;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stopping || !m_free.empty(); });
            if (m_stopping)
                return;
            chunk = std::move(m_free.back());
            m_free.pop_back();
        }
        const bool more = fill(*chunk, true);
        {
            const std::lock_guard lock(m_mutex);
            m_ready.push_back(std::move(chunk));
        }
        m_changed.notify_all();
        if (!more)
            return;
    }
}

namespace {

constexpr qsizetype firstLine = Chunk::lineRoom + 1;
// The line-end finder writes a few entries ahead of the ones it found.
constexpr qsizetype linesAhead = 8;

qsizetype middleOf(const Chunk &chunk)
{
    return Chunk::byteRoom + chunk.size / 2;
}

// Where the second half's line ends wait: after as many as the first half
// can hold.
qsizetype laterLineAt(const Chunk &chunk)
{
    return firstLine + chunk.size / 2 + linesAhead;
}

} // namespace

bool ChunkReader::fill(Chunk &chunk, bool secondHalf)
{
    // One byte more than is read, and room for the line ends of both halves.
    chunk.reserve(m_chunkSize + 1, m_chunkSize + 2 * linesAhead + 2);
    char *const bytes = chunk.bytes.get();
    constexpr qsizetype from = Chunk::byteRoom;
    bytes[from - 2] = m_before[0];
    bytes[from - 1] = m_before[1];
    const qint64 read = m_device.read(bytes + from, m_chunkSize);
    chunk.size = std::max<qint64>(read, 0);
    chunk.lines = chunk.laterLines = 0;
    if (read <= 0) {
        if (read < 0)
            m_error = m_device.errorString();
        return false;
    }
    bytes[from + read] = 'a';
    if (secondHalf) {
        const qsizetype at = laterLineAt(chunk);
        chunk.laterLines = findLineEnds(bytes, middleOf(chunk), from + read, m_crlf,
                                        chunk.starts.get() + at, chunk.looks.get() + at - 1);
    } else {
        chunk.lines = findLineEnds(bytes, from, from + read, m_crlf, chunk.starts.get() + firstLine,
                                   chunk.looks.get() + firstLine - 1);
    }
    m_before[0] = read >= 2 ? bytes[from + read - 2] : m_before[1];
    m_before[1] = bytes[from + read - 1];
    return true;
}

void ChunkReader::findFirstHalf(Chunk &chunk) const
{
    if (chunk.size == 0)
        return;
    qsizetype *const starts = chunk.starts.get();
    quint8 *const looks = chunk.looks.get();
    chunk.lines = findLineEnds(chunk.bytes.get(), Chunk::byteRoom, middleOf(chunk), m_crlf,
                               starts + firstLine, looks + firstLine - 1);
    const qsizetype at = laterLineAt(chunk);
    std::memmove(starts + firstLine + chunk.lines, starts + at,
                 size_t(chunk.laterLines) * sizeof(qsizetype));
    std::memmove(looks + firstLine - 1 + chunk.lines, looks + at - 1, size_t(chunk.laterLines));
    chunk.lines += chunk.laterLines;
}

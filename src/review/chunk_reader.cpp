#include "chunk_reader.h"

#include "line_ends.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace {

// Enough for the reading thread to stay ahead while one chunk is being read
// and the next is being taken over.
constexpr int chunksInUse = 3;

constexpr qsizetype firstLine = Chunk::lineRoom + 1;
// The line-end finder writes a few entries ahead of the ones it found.
constexpr qsizetype linesAhead = 8;

qsizetype pieceSize(const Chunk &chunk)
{
    return (chunk.size + chunk.pieces - 1) / chunk.pieces;
}

// Where a back piece's line ends wait: after as many as the pieces before it
// can hold.
qsizetype pieceLineAt(const Chunk &chunk, int piece)
{
    return firstLine + piece * (pieceSize(chunk) + linesAhead);
}

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
    std::unique_ptr<Chunk> chunk;
    std::unique_lock lock(m_mutex);
    if (m_thread.joinable()) {
        m_changed.wait(lock, [this] { return !m_ready.empty(); });
        chunk = std::move(m_ready.front());
        m_ready.pop_front();
    } else {
        chunk = std::move(m_free.back());
        m_free.pop_back();
        fill(*chunk);
    }
    findPieces(*chunk, false, lock);
    m_changed.wait(lock, [&] { return chunk->found == chunk->pieces; });
    lock.unlock();
    join(*chunk);
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
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_stopping || !m_free.empty(); });
        if (m_stopping)
            return;
        std::unique_ptr<Chunk> chunk = std::move(m_free.back());
        m_free.pop_back();
        lock.unlock();
        const bool more = fill(*chunk);
        // The last piece is found before the chunk is handed over, and the
        // others after, so that a thread waiting for the chunk finds some of
        // them; a chunk of one piece is handed over whole.
        if (more) {
            const int last = --chunk->back;
            chunk->pieceLines[size_t(last)] = findPiece(*chunk, last, pieceLineAt(*chunk, last));
            ++chunk->found;
        }
        lock.lock();
        Chunk &handed = *chunk;
        m_ready.push_back(std::move(chunk));
        m_changed.notify_all();
        if (!more)
            return;
        findPieces(handed, true, lock);
    }
}

bool ChunkReader::fill(Chunk &chunk)
{
    // One byte more than is read, and room for the line ends of every piece.
    chunk.reserve(m_chunkSize + 1, m_chunkSize + Chunk::maxPieces * (linesAhead + 1) + 2);
    char *const bytes = chunk.bytes.get();
    constexpr qsizetype from = Chunk::byteRoom;
    bytes[from - 2] = m_before[0];
    bytes[from - 1] = m_before[1];
    const qint64 read = m_device.read(bytes + from, m_chunkSize);
    chunk.size = std::max<qint64>(read, 0);
    chunk.pieces = int(std::clamp<qsizetype>(chunk.size / Chunk::pieceBytes, 1, Chunk::maxPieces));
    chunk.lines = 0;
    chunk.front = 0;
    chunk.back = chunk.pieces;
    chunk.found = 0;
    if (read <= 0) {
        if (read < 0)
            m_error = m_device.errorString();
        return false;
    }
    bytes[from + read] = 'a';
    m_before[0] = read >= 2 ? bytes[from + read - 2] : m_before[1];
    m_before[1] = bytes[from + read - 1];
    return true;
}

void ChunkReader::findPieces(Chunk &chunk, bool fromBack, std::unique_lock<std::mutex> &lock)
{
    // The chunk is looked at only with the lock held: once the last piece is
    // found, the other thread may let it go.
    bool foundAny = false;
    while (chunk.front < chunk.back && !(fromBack && !m_free.empty())) {
        // The front pieces are taken in order by one thread, and their line
        // ends go one after another; a back piece's wait in a place of its
        // own until join().
        const int piece = fromBack ? --chunk.back : chunk.front++;
        const qsizetype at = fromBack ? pieceLineAt(chunk, piece) : firstLine + chunk.lines;
        lock.unlock();
        const qsizetype lines = findPiece(chunk, piece, at);
        lock.lock();
        if (fromBack)
            chunk.pieceLines[size_t(piece)] = lines;
        else
            chunk.lines += lines;
        ++chunk.found;
        foundAny = true;
    }
    if (foundAny)
        m_changed.notify_all();
}

qsizetype ChunkReader::findPiece(Chunk &chunk, int piece, qsizetype at) const
{
    const qsizetype end = Chunk::byteRoom + chunk.size;
    const qsizetype from = std::min(Chunk::byteRoom + piece * pieceSize(chunk), end);
    const qsizetype to = std::min(from + pieceSize(chunk), end);
    return findLineEnds(chunk.bytes.get(), from, to, m_crlf, chunk.starts.get() + at,
                        chunk.looks.get() + at - 1);
}

void ChunkReader::join(Chunk &chunk)
{
    qsizetype *const starts = chunk.starts.get();
    quint8 *const looks = chunk.looks.get();
    for (int piece = chunk.back; piece < chunk.pieces; ++piece) {
        const qsizetype at = pieceLineAt(chunk, piece);
        const qsizetype lines = chunk.pieceLines[size_t(piece)];
        std::memmove(starts + firstLine + chunk.lines, starts + at,
                     size_t(lines) * sizeof(qsizetype));
        std::memmove(looks + firstLine - 1 + chunk.lines, looks + at - 1, size_t(lines));
        chunk.lines += lines;
    }
}

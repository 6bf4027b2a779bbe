#pragma once

#include <QIODevice>
#include <QString>

#include <array>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A chunk of a file with its line ends found. Room is left in front of the
// bytes and of the line arrays, so that the lines that the reader of the
// chunk before still needs can be put there and stay in one piece with the
// new ones.
struct Chunk
{
    static constexpr qsizetype byteRoom = 64 * 1024;
    static constexpr qsizetype lineRoom = 4096;
    // The line ends are found piece by piece, by whichever thread is free:
    // up to this many pieces, of at least pieceBytes but for the last.
    static constexpr int maxPieces = 16;
    static constexpr qsizetype pieceBytes = 16 * 1024;

    // Room for this many bytes and line ends after the room in front; what
    // the chunk held is not kept.
    void reserve(qsizetype bytesAfterRoom, qsizetype linesAfterRoom);

    std::unique_ptr<char[]> bytes; // the room, the bytes read, then 'a' (see findLineEnds)
    qsizetype byteCapacity = 0;
    // starts[lineRoom + 1 + i] is where the line after the i-th line end
    // begins, and looks[lineRoom + i] is the look of the line that it ends.
    std::unique_ptr<qsizetype[]> starts;
    std::unique_ptr<quint8[]> looks;
    qsizetype lineCapacity = 0;
    qsizetype size = 0;  // bytes read, from bytes[byteRoom] on; 0 at the end
    qsizetype lines = 0; // line ends found in them; while finding, those of the front pieces

    // Pieces are taken from the front by the thread that reads the records
    // and from the back by the reading thread, under the reader's lock.
    int pieces = 0;
    int front = 0;
    int back = 0;
    int found = 0;
    std::array<qsizetype, maxPieces> pieceLines{}; // of the back pieces
};

// Reads a device in chunks on a thread of its own, a few chunks ahead of the
// one whose records are being read, and finds their line ends. Copying the
// bytes in takes about as long as reading the records, and finding the line
// ends longer than either, so that work is shared: both threads find the
// line ends of a chunk, a piece at a time, until none is left, the reading
// thread only while it has no chunk to fill.
class ChunkReader
{
public:
    enum class Reading
    {
        Ahead,     // on a thread of its own, or as asked when the system gives none
        WhenAsked, // all of it on the thread that asks for the next chunk
    };

    ChunkReader(QIODevice &device, bool crlf, qsizetype chunkSize, Reading reading);
    ~ChunkReader();
    ChunkReader(const ChunkReader &) = delete;
    ChunkReader &operator=(const ChunkReader &) = delete;

    // The next chunk of the device, in order, with all its line ends found;
    // one of size 0 after the last.
    std::unique_ptr<Chunk> next();
    // A chunk that is done with, to be filled again.
    void recycle(std::unique_ptr<Chunk> chunk);
    // Why the device could not be read to its end, once next() gave the
    // chunk of size 0; empty when it was read to the end.
    QString error() const { return m_error; }

private:
    void run();
    // Reads into the chunk; false at the end of the device or on an error.
    bool fill(Chunk &chunk);
    // Finds the line ends of pieces not yet taken, from the front or the
    // back, with the lock held between pieces. From the back, the reading
    // thread stops as soon as a chunk is free to be filled: copying the bytes
    // in is the one job that only it can do.
    void findPieces(Chunk &chunk, bool fromBack, std::unique_lock<std::mutex> &lock);
    // Finds the line ends of a piece, puts them at the line index and
    // returns how many there are.
    qsizetype findPiece(Chunk &chunk, int piece, qsizetype at) const;
    // Puts the back pieces' line ends after the front ones'.
    static void join(Chunk &chunk);

    QIODevice &m_device;
    const bool m_crlf;
    const qsizetype m_chunkSize;
    char m_before[2] = {'\n', '\n'}; // the last two bytes read, for the looks
    QString m_error;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::unique_ptr<Chunk>> m_free;
    std::deque<std::unique_ptr<Chunk>> m_ready;
    bool m_stopping = false;
    std::thread m_thread; // none when reading as asked
};

#pragma once

#include <QIODevice>
#include <QString>

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
    qsizetype lines = 0; // line ends found in them
    // The line ends of the second half, found on the reading thread, wait
    // at laterLines until those of the first half are found.
    qsizetype laterLines = 0;
};

// Reads a device in chunks on a thread of its own, a few chunks ahead of the
// one whose records are being read, and finds their line ends. Copying the
// bytes in takes as long as reading the records, and finding the line ends
// longer than either, so that work is shared: the reading thread finds those
// of a chunk's second half, the thread that takes the chunk those of its
// first half.
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
    // Reads into the chunk and finds the line ends of its second half, or of
    // all of it; false at the end of the device or on an error.
    bool fill(Chunk &chunk, bool secondHalf);
    void findFirstHalf(Chunk &chunk) const;

    QIODevice &m_device;
    const bool m_crlf;
    const qsizetype m_chunkSize;
    char m_before[2] = {'\n', '\n'}; // the last two bytes read, for the looks
    QString m_error;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::unique_ptr<Chunk>> m_free;
    std::deque<std::unique_ptr<Chunk>> m_ready;
    bool m_ended = false; // the chunk of size 0 is in m_ready
    bool m_stopping = false;
    std::thread m_thread; // none when reading as asked
};

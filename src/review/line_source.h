#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>

#include <deque>

// A line of a record file: a view into the chunk it was read with, so that
// reading does not copy the file line by line.
struct Line
{
    QByteArray storage;
    qsizetype offset = 0;
    qsizetype size = 0;
    qint64 number = 0;

    QByteArrayView view() const { return QByteArrayView(storage).sliced(offset, size); }
};

// Splits a device into lines at CR LF (or at LF, for files whose line ends
// were converted), with any number of lines of look-ahead.
class LineSource
{
public:
    LineSource(QIODevice &device, QByteArrayView separator);

    bool has(qsizetype ahead);
    const Line &peek(qsizetype ahead) { return m_lines[size_t(ahead)]; }
    Line take();
    void pushBack(std::deque<Line> &lines);

private:
    bool readMore();

    QIODevice &m_device;
    QByteArray m_separator;
    QByteArray m_rest;
    std::deque<Line> m_lines;
    qint64 m_nextNumber = 1;
    bool m_atEnd = false;
};

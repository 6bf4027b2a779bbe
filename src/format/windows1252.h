#pragma once

#include <QByteArray>
#include <QString>

// The course files are written one byte a character in Windows-1252. A
// character the code page cannot hold is written in the course's own
// notation ("`theta", "<="), or as "?" when it has none. The five bytes the
// code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// control characters of the same value both ways, so that every byte read
// from a file is written back unchanged.
QByteArray toWindows1252(QStringView text);
QString fromWindows1252(QByteArrayView bytes);

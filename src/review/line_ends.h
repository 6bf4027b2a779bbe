#pragma once

#include <QtGlobal>

// What the bytes around its line end allow a line to be. A line with none of
// these is text for certain, and most lines are.
namespace LineLook {
enum : quint8
{
    Plain = 0,
    MayRule = 1, // ends with a period: a section or closing rule may end it
    MayCode = 2, // the next line may begin "assignment #": an opening's code line
};
}

// Finds the line ends in bytes[from, to): CR LF, or LF alone when crlf is
// false (a lone LF in a CR LF file stays in its line). For each it writes
// where the next line begins to starts[] and the look of the line it ends to
// looks[]; both need room for to - from + 8 entries. Returns how many it
// found.
//
// The looks are taken from the two bytes before each line feed and the one
// after it, so bytes[from - 2] and bytes[from - 1] must hold the end of the
// bytes before (or line feeds at the start), and bytes[to] the byte after;
// where that is not known yet it must be 'a', since an opening block may
// follow.
qsizetype findLineEnds(const char *bytes, qsizetype from, qsizetype to, bool crlf,
                       qsizetype *starts, quint8 *looks);

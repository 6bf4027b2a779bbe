#pragma once

#include "support/crlf_lines.h"

#include <QByteArray>

// The records as the files must hold them, spelled out here rather than taken
// from the program's own texts, so that a changed rule, label or indent fails
// every test that compares with them. Times are given as the clock texts
// ("14:03:27"), the dated line's as the date and time run together
// ("12-07-202614:03:27"); a null rating line stands for none.
inline const QByteArray sectionRule = "......!!!!!!!!...................................";
inline const QByteArray closingRule(49, '.');
inline const QByteArray timeIndent(36, ' ');

// What opening an assignment writes to the master and SEND files.
inline QByteArray openingBlock(const QByteArray &codeLine, const QByteArray &assignment,
                               const QByteArray &header, const QByteArray &date)
{
    return crlfLines({codeLine, "assignment #" + assignment, header, "Dravonic II", date});
}

// The master file's copy carries the question number after two empty lines.
inline QByteArray masterResponse(const QByteArray &time, const QByteArray &number,
                                 const QByteArray &item, const QByteArray &response,
                                 const QByteArray &ratingLine)
{
    QByteArray bytes =
        crlfLines({sectionRule, timeIndent + time, "", "", "`questionNumber" + number, item,
                   sectionRule, "RESPONSE -->  ", response});
    if (!ratingLine.isNull())
        bytes += ratingLine + "\r\n";
    return bytes + closingRule + "\r\n";
}

inline QByteArray sendResponse(const QByteArray &time, const QByteArray &item,
                               const QByteArray &response, const QByteArray &ratingLine)
{
    QByteArray bytes =
        crlfLines({sectionRule, timeIndent + time, item, sectionRule, "RESPONSE -->  ", response});
    if (!ratingLine.isNull())
        bytes += ratingLine + "\r\n";
    return bytes + closingRule + "\r\n";
}

inline QByteArray notesRecord(const QByteArray &time, const QByteArray &dateTime,
                              const QByteArray &item, const QByteArray &note)
{
    return crlfLines({sectionRule, timeIndent + time, timeIndent + dateTime, item, sectionRule,
                      "NOTES -------> " + note, closingRule});
}

// A draft the tutor kept: the kept text carries its length in characters.
inline QByteArray keptRecord(const QByteArray &time, const QByteArray &dateTime,
                             const QByteArray &item, const QByteArray &reason,
                             const QByteArray &kept)
{
    return crlfLines(
        {sectionRule, timeIndent + time, timeIndent + dateTime, item, sectionRule,
         "KEPT --------> " + reason + ", " + QByteArray::number(kept.size()) + " characters", kept,
         closingRule});
}

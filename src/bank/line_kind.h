#pragma once

#include <QString>

// The markup of the bank: a few fixed prefixes at the very start of a line.
// Every comparison is exact and case-sensitive, except the routine marker,
// whose prefix is lower-cased first.

inline const QString questionMarker = QStringLiteral("`q");
inline const QString answerMarker = QStringLiteral("`a");
inline const QString routineMarker = QStringLiteral("`routine");
inline const QString endOfBankMarker = QStringLiteral("####.#");

// The first four characters are the assignment number and a full stop.
bool isHeaderOf(const QString &line, const QString &assignmentNbr);
// The first three characters are the number of the following assignment.
bool startsNextAssignment(const QString &line, const QString &nextAssignmentNbr);
bool isQuestionLine(const QString &line);
bool isAnswerLine(const QString &line);
bool isRoutineLine(const QString &line);
bool isEndOfBank(const QString &line);

// A routine line names its routine from the tenth character on: the ninth is
// skipped whatever it is, spaces and hyphens are dropped, the rest lower-cased.
QString routineName(const QString &routineLine);
QString remSpaces(const QString &text);

#include "line_kind.h"

bool isHeaderOf(const QString &line, const QString &assignmentNbr)
{
    return line.left(4) == assignmentNbr + u'.';
}

bool startsNextAssignment(const QString &line, const QString &nextAssignmentNbr)
{
    return line.left(3) == nextAssignmentNbr;
}

bool isQuestionLine(const QString &line)
{
    return line.startsWith(questionMarker);
}

bool isAnswerLine(const QString &line)
{
    return line.startsWith(answerMarker);
}

bool isRoutineLine(const QString &line)
{
    return line.left(8).toLower() == routineMarker;
}

bool isEndOfBank(const QString &line)
{
    return line.startsWith(endOfBankMarker);
}

QString remSpaces(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c != u' ' && c != u'-')
            result.append(c);
    }
    return result;
}

QString routineName(const QString &routineLine)
{
    return remSpaces(routineLine.mid(9)).toLower();
}

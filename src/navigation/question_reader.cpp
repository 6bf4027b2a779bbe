#include "question_reader.h"

#include "bank/line_kind.h"
#include "platform/platform.h"
#include "session/panes.h"
#include "session/session_state.h"

bool readNextQuestion(SessionState &session, Panes &panes, Platform &platform)
{
    if (session.promptDue)
        panes.setAnswerText(session.responsePrompt);
    session.promptDue = false;

    QString line;
    while (line.isEmpty()) {
        if (!QuestionBank::contains(session.bankIndex + 1)) {
            platform.endProgram();
            return false;
        }
        ++session.bankIndex;
        line = session.questionBank.at(session.bankIndex);
        if (isQuestionLine(line)) {
            line.remove(0, questionMarker.size());
            session.itemKind = QStringLiteral("question");
        } else if (isAnswerLine(line)) {
            line.remove(0, answerMarker.size());
            session.itemKind = QStringLiteral("answer");
        }
        if (!line.isEmpty())
            session.currentLine = line;
    }

    if (!isRoutineLine(line))
        session.promptDue = true;
    session.currentText = line;

    if (startsNextAssignment(line, session.nextAssignmentNbr) || isEndOfBank(line)) {
        platform.endProgram();
        return false;
    }
    return true;
}

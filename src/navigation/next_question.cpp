#include "next_question.h"

#include "bank/line_kind.h"
#include "question_reader.h"
#include "session/panes.h"
#include "session/session_state.h"

QString bracesToNewlines(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'{' && i + 1 < text.size() && text[i + 1] == u'}') {
            result += QStringLiteral("\r\n");
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

void cmdNextQuestion_Click(SessionState &session, Panes &panes, Platform &platform,
                           const RoutineRunner &runRoutine)
{
    if (!readNextQuestion(session, panes, platform))
        return;

    // At most one routine line is run per click: whatever the second read
    // brings is shown, even another routine line.
    if (session.currentText.size() > 8 && isRoutineLine(session.currentText)) {
        if (!runRoutine(routineName(session.currentText)))
            return;
        session.currentText.clear();
        if (!readNextQuestion(session, panes, platform))
            return;
    }

    session.textBuffer = panes.questionText();
    session.currentText = bracesToNewlines(session.currentText);
    session.textBuffer += QStringLiteral("\r\n\r\n") + session.currentText;
    session.currentText.clear();
    panes.setQuestionText(session.textBuffer);
}

#include "response_entry.h"

#include "platform/clock_texts.h"
#include "platform/platform.h"
#include "record_code.h"
#include "record_text.h"
#include "record_texts.h"
#include "record_writer.h"
#include "rescue.h"
#include "session/panes.h"
#include "session/session_state.h"
#include "session/text_value.h"
#include "write_problem.h"

using namespace RecordTexts;

void askSelfCritiqueRating(SessionState &session, Platform &platform, RecordText &master,
                           RecordText &send)
{
    session.selfCritiqueRating = platform.prompt(selfCritiquePrompt);
    master.text(selfCritiqueLabel).line(session.selfCritiqueRating);
    send.text(selfCritiqueLabel).line(session.selfCritiqueRating);
}

bool cmd_enter_response_Click(SessionState &session, Panes &panes, Platform &platform)
{
    const QString answer = panes.answerText();
    if (answer != session.responsePrompt) {
        session.promptDue = false;
        session.textBuffer = answer;

        RecordText master;
        RecordText send;
        master.line(sectionRule);
        send.line(sectionRule);
        master.text(timeIndent).line(timeText(platform.now()));
        send.text(timeIndent).line(timeText(platform.now()));

        // Two empty lines and the question number: the master file's own.
        const double questionNumber = numericValue(session.assignmentNbr) * 10000.0;
        master.text(QStringLiteral("\r\n\r\n") + numberMarker).number(questionNumber).endLine();

        master.line(code(session.currentLine, session.sessionCodeNbr));
        send.line(code(session.currentLine, session.sessionCodeNbr));
        master.line(sectionRule).line(responseLabel);
        send.line(sectionRule).line(responseLabel);
        master.line(code(session.textBuffer, session.sessionCodeNbr));
        send.line(code(session.textBuffer, session.sessionCodeNbr));

        // The rating is asked before anything is written, so that a record
        // is never left open while the student thinks.
        if (session.itemKind == QLatin1String("question")) {
            const QString reply = platform.prompt(confidencePrompt);
            master.text(confidenceLabel).line(reply);
            send.text(confidenceLabel).line(reply);
        } else if (session.itemKind == QLatin1String("answer")) {
            askSelfCritiqueRating(session, platform, master, send);
        }
        master.line(closingRule);
        send.line(closingRule);

        const WriteFailure failure = appendRecord(
            platform.files(),
            {{session.masterFilePath, master.bytes()}, {session.sendFilePath, send.bytes()}},
            recordLockTimeoutMs, cutOffsToDrafts(session, platform));
        if (failure.failed()) {
            platform.showProblem(recordNotSavedMessage(failure));
            return false;
        }
    }
    panes.setQuestionText(QString());
    panes.setAnswerText(QString());
    return true;
}

#include "notes.h"

#include "platform/platform.h"
#include "record_lines.h"
#include "record_texts.h"
#include "record_writer.h"
#include "rescue.h"
#include "session/panes.h"
#include "session/session_state.h"
#include "write_problem.h"

using namespace RecordTexts;

bool cmd_save_as_notes_Click(SessionState &session, Panes &panes, Platform &platform)
{
    const QString answer = panes.answerText();
    if (answer != session.responsePrompt) {
        session.promptDue = false;
        session.textBuffer = notesLabel + answer;

        RecordLines record(platform, 3);
        record.line(sectionRule)
            .timeLine()
            .dateTimeLine()
            .codedLine(session.currentLine, session.sessionCodeNbr)
            .line(sectionRule)
            .codedLine(session.textBuffer, session.sessionCodeNbr)
            .line(closingRule);

        const WriteFailure failure = appendRecord(
            platform.files(),
            record.parts({session.masterFilePath, session.sendFilePath, session.notesFilePath}),
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

#include "notes.h"

#include "format/record_texts.h"
#include "record_lines.h"
#include "save_record.h"
#include "session/panes.h"
#include "session/session_state.h"

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

        if (!saveRecord(session, platform, record,
                        {session.masterFilePath, session.sendFilePath, session.notesFilePath}))
            return false;
    }
    panes.setQuestionText(QString());
    panes.setAnswerText(QString());
    return true;
}

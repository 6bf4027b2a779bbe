#include "notes.h"

#include "platform/clock_texts.h"
#include "platform/platform.h"
#include "record_code.h"
#include "record_text.h"
#include "record_texts.h"
#include "record_writer.h"
#include "rescue.h"
#include "session/panes.h"
#include "session/session_state.h"
#include "write_problem.h"

#include <array>

using namespace RecordTexts;

bool cmd_save_as_notes_Click(SessionState &session, Panes &panes, Platform &platform)
{
    const QString answer = panes.answerText();
    if (answer != session.responsePrompt) {
        session.promptDue = false;
        session.textBuffer = notesLabel + answer;

        // Master, SEND and notes file get the same seven lines; each file's
        // time lines read the clock anew.
        std::array<RecordText, 3> records;
        for (RecordText &record : records)
            record.line(sectionRule);
        for (RecordText &record : records)
            record.text(timeIndent).line(timeText(platform.now()));
        for (RecordText &record : records) {
            const QDateTime now = platform.now();
            record.text(timeIndent).text(dateText(now)).line(timeText(now));
        }
        for (RecordText &record : records)
            record.line(code(session.currentLine, session.sessionCodeNbr));
        for (RecordText &record : records)
            record.line(sectionRule);
        for (RecordText &record : records)
            record.line(code(session.textBuffer, session.sessionCodeNbr));
        for (RecordText &record : records)
            record.line(closingRule);

        const WriteFailure failure =
            appendRecord(platform.files(),
                         {{session.masterFilePath, records[0].bytes()},
                          {session.sendFilePath, records[1].bytes()},
                          {session.notesFilePath, records[2].bytes()}},
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

#include "response_entry.h"

#include "format/record_texts.h"
#include "format/text_value.h"
#include "platform/platform.h"
#include "record_lines.h"
#include "save_record.h"
#include "session/panes.h"
#include "session/session_state.h"

using namespace RecordTexts;

void askSelfCritiqueRating(SessionState &session, Platform &platform, RecordLines &record)
{
    session.selfCritiqueRating = platform.prompt(selfCritiquePrompt);
    record.line(selfCritiqueLabel + session.selfCritiqueRating);
}

bool cmd_enter_response_Click(SessionState &session, Panes &panes, Platform &platform)
{
    const QString answer = panes.answerText();
    if (answer != session.responsePrompt) {
        session.promptDue = false;
        session.textBuffer = answer;

        RecordLines record(platform, 2);
        record.line(sectionRule).timeLine();
        // Two empty lines and the question number: the master file's own.
        const double questionNumber = numericValue(session.assignmentNbr) * 10000.0;
        record.file(0)
            .text(QStringLiteral("\r\n\r\n") + numberMarker)
            .number(questionNumber)
            .endLine();
        record.codedLine(session.currentLine, session.sessionCodeNbr)
            .line(sectionRule)
            .line(responseLabel)
            .codedLine(session.textBuffer, session.sessionCodeNbr);

        // The rating is asked before anything is written, so that a record
        // is never left open while the student thinks.
        if (session.itemKind == QLatin1String("question"))
            record.line(confidenceLabel + platform.prompt(confidencePrompt));
        else if (session.itemKind == QLatin1String("answer"))
            askSelfCritiqueRating(session, platform, record);
        record.line(closingRule);

        if (!saveRecord(session, platform, record, {session.masterFilePath, session.sendFilePath}))
            return false;
    }
    panes.setQuestionText(QString());
    panes.setAnswerText(QString());
    return true;
}

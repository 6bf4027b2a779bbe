#include "file_viewers.h"

#include "file_lines.h"
#include "platform/platform.h"
#include "session/panes.h"
#include "session/session_state.h"

namespace {

// The pane keeps what it shows; the student learns why nothing was added.
void reportUnreadable(Platform &platform, const FileLines &file, const QString &missingText)
{
    if (file.missing)
        platform.showProblem(missingText.arg(file.path));
    else
        platform.showProblem(
            QStringLiteral("The file %1 could not be read (%2).").arg(file.path, file.error));
}

} // namespace

void cmd_display_note_file_Click(SessionState &session, Panes &panes, Platform &platform)
{
    const FileLines file = readFileLines(platform.files(), session.notesFilePath);
    if (!file.error.isEmpty()) {
        reportUnreadable(platform, file,
                         QStringLiteral("There are no notes to show yet: %1 does not exist. "
                                        "\"Save as Notes\" starts it."));
        return;
    }
    session.textBuffer = file.lines.join(QString());
    panes.setQuestionText(panes.questionText() + QStringLiteral("\r\n\r\n") + session.textBuffer);
}

void cmd_displayCumulativeText_Click(SessionState &session, Panes &panes, Platform &platform)
{
    const FileLines file = readFileLines(platform.files(), session.sendFilePath);
    if (!file.error.isEmpty()) {
        reportUnreadable(platform, file,
                         QStringLiteral("The SEND file %1 does not exist any more, so there is "
                                        "nothing to show."));
        return;
    }
    // Built in one text and set once, so that a long SEND file shows in time
    // proportional to its size.
    QString text = panes.questionText();
    qsizetype size = text.size();
    for (const QString &line : file.lines)
        size += 2 + line.size();
    text.reserve(size);
    for (const QString &line : file.lines) {
        text += QStringLiteral("\r\n");
        text += line;
    }
    panes.setQuestionText(text);
}

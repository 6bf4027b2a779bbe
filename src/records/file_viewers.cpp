#include "file_viewers.h"

#include "file_lines.h"
#include "platform/platform.h"
#include "session/panes.h"
#include "session/session_state.h"

#include <optional>

namespace {

const QString noNotesYet = QStringLiteral(
    "There are no notes to show yet: %1 does not exist. \"Save as Notes\" starts it.");
const QString sendFileGone =
    QStringLiteral("The SEND file %1 does not exist any more, so there is nothing to show.");

// The file's lines; when it cannot be read, the pane keeps what it shows and
// the student learns why nothing was added.
std::optional<QStringList> linesToShow(Platform &platform, const QString &pathText,
                                       const QString &missingText)
{
    QStringList lines;
    const FileStatus file = readFileLines(platform.files(), pathText, &lines);
    if (file.ok())
        return lines;
    if (file.missing)
        platform.showProblem(missingText.arg(file.path));
    else
        platform.showProblem(
            QStringLiteral("The file %1 could not be read (%2).").arg(file.path, file.reason));
    return std::nullopt;
}

} // namespace

void cmd_display_note_file_Click(SessionState &session, Panes &panes, Platform &platform)
{
    const std::optional<QStringList> lines =
        linesToShow(platform, session.notesFilePath, noNotesYet);
    if (!lines)
        return;
    session.textBuffer = lines->join(QString());
    panes.setQuestionText(panes.questionText() + QStringLiteral("\r\n\r\n") + session.textBuffer);
}

void cmd_displayCumulativeText_Click(SessionState &session, Panes &panes, Platform &platform)
{
    const std::optional<QStringList> lines =
        linesToShow(platform, session.sendFilePath, sendFileGone);
    if (!lines)
        return;
    // Built in one text and set once, so that a long SEND file shows in time
    // proportional to its size.
    QString text = panes.questionText();
    qsizetype size = text.size();
    for (const QString &line : *lines)
        size += 2 + line.size();
    text.reserve(size);
    for (const QString &line : *lines) {
        text += QStringLiteral("\r\n");
        text += line;
    }
    panes.setQuestionText(text);
}

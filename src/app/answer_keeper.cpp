#include "answer_keeper.h"

#include "answer_autosave.h"
#include "platform/platform.h"
#include "records/rescue.h"
#include "session/panes.h"
#include "session/session_state.h"
#include "storage/native_path.h"

AnswerKeeper::AnswerKeeper(const SessionState &session, const Panes &panes, Platform &platform,
                           AnswerAutosave &autosave)
    : m_session(session), m_panes(panes), m_platform(platform), m_autosave(autosave)
{
}

void AnswerKeeper::rescueLastRun()
{
    const int records =
        recoverCutOffRecords(m_session.workFolder, m_session.masterFilePath, m_platform);
    const int answers = rescueLeftAutosaves(m_session.workFolder, m_platform);
    tellWhatWasRescued(answers, records);
}

void AnswerKeeper::startAutosave()
{
    const FileStatus folder = toNativePath(m_session.workFolder);
    if (folder.ok())
        m_autosave.start(m_platform.files(), folder.path, m_platform.copyName());
}

AutosaveContent AnswerKeeper::autosaveContent() const
{
    const QString answer = m_panes.answerText();
    const QList<TypedText> refused = waiting();
    const bool held =
        holdsStudentText(answer) && !refused.contains(TypedText{m_session.currentLine, answer});
    return {m_session.currentLine, held ? answer : QString(), refused};
}

bool AnswerKeeper::holdsStudentText(const QString &answer) const
{
    return answer != m_session.responsePrompt && answer != QLatin1String(" ") && !answer.isEmpty();
}

std::optional<AnswerKeeper::Text> AnswerKeeper::studentText(const QString &reason) const
{
    const QString answer = m_panes.answerText();
    if (!holdsStudentText(answer))
        return std::nullopt;
    return Text{m_session.currentLine, answer,
                answer == m_notRecorded ? m_notRecordedReason : reason};
}

FileStatus AnswerKeeper::handOver(const std::optional<Text> &text)
{
    if (text)
        m_waiting.append(*text);
    FileStatus failure;
    while (!m_waiting.isEmpty()) {
        const Text &next = m_waiting.first();
        failure = keepText(m_session.workFolder, m_platform, next.item, next.reason, next.text);
        if (!failure.ok())
            break;
        m_waiting.removeFirst();
    }
    return failure;
}

void AnswerKeeper::keep(const QString &reason)
{
    const std::optional<Text> text = studentText(reason);
    if (!text && m_waiting.isEmpty())
        return;
    const FileStatus failure = handOver(text);
    if (failure.ok()) {
        m_told = false;
        m_autosave.dropPaneText();
        return;
    }
    const bool held = m_autosave.saveNow();
    if (!m_told) {
        m_told = true;
        m_platform.showProblem(
            held ? QStringLiteral("Your answer could not be kept in the file %1 (%2). It is kept "
                                  "in %3 until %1 can take it, at the latest the next time the "
                                  "program starts.")
                       .arg(failure.path, failure.reason, autosaveName())
                 : notSaved(failure));
    }
}

void AnswerKeeper::record(const std::function<bool()> &command, const QString &reasonIfNotRecorded)
{
    const QString answer = m_panes.answerText();
    const bool recorded = command();
    if (answer == m_session.responsePrompt)
        return;
    if (!recorded) {
        m_notRecorded = answer;
        m_notRecordedReason = reasonIfNotRecorded;
        return;
    }
    m_notRecorded.clear();
    if (!m_waiting.isEmpty() && handOver(std::nullopt).ok())
        m_told = false;
    m_autosave.dropPaneText();
}

bool AnswerKeeper::end(const QString &reason, bool mayStay)
{
    const std::optional<Text> text = studentText(reason);
    const FileStatus failure = handOver(text);
    if (failure.ok()) {
        m_autosave.remove();
        return true;
    }
    // Left for the start-up rescue of the next run, the last keystrokes too.
    if (m_autosave.saveNow())
        return true;
    const QString message =
        notSaved(failure) + QStringLiteral(" If the program ends now, the answer is lost.");
    if (!mayStay) {
        m_platform.showProblem(message);
        return true;
    }
    if (m_platform.quitAnyway(message))
        return true;
    // The pane keeps its text, and the next keep takes it from there.
    if (text)
        m_waiting.removeLast();
    return false;
}

EndingPlatform AnswerKeeper::endingFor(const QString &reason)
{
    return EndingPlatform(m_platform, [this, reason] { end(reason, false); });
}

QList<TypedText> AnswerKeeper::waiting() const
{
    QList<TypedText> texts;
    for (const Text &text : m_waiting)
        texts.append({text.item, text.text});
    return texts;
}

void AnswerKeeper::tellWhatWasRescued(int answers, int records)
{
    if (answers == 0 && records == 0)
        return;
    QStringList kept;
    if (answers > 0)
        kept.append(answers == 1
                        ? QStringLiteral("one answer you had typed and not recorded")
                        : QStringLiteral("%1 answers you had typed and not recorded").arg(answers));
    if (records > 0)
        kept.append(records == 1
                        ? QStringLiteral("one record that was not finished")
                        : QStringLiteral("%1 records that were not finished").arg(records));
    m_platform.showProblem(
        QStringLiteral("From the last time the program ran, %1 %2 kept in "
                       "the file %3.")
            .arg(kept.join(QStringLiteral(" and ")),
                 answers + records == 1 ? QStringLiteral("was") : QStringLiteral("were"),
                 toNativePath(draftsFilePath(m_session.workFolder)).path));
}

QString AnswerKeeper::autosaveName() const
{
    const Autosave *file = m_autosave.file();
    return file ? QStringLiteral("the file ") + file->path() : QStringLiteral("an autosave file");
}

QString AnswerKeeper::notSaved(const FileStatus &failure) const
{
    return QStringLiteral("Your answer could not be saved: the file %1 could not be written (%2), "
                          "nor %3.")
        .arg(failure.path, failure.reason, autosaveName());
}

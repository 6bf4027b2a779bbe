#include "answer_keeper.h"

#include "answer_autosave.h"
#include "platform/platform.h"
#include "records/rescue.h"

AnswerKeeper::AnswerKeeper(const SessionState &session, Platform &platform,
                           AnswerAutosave &autosave)
    : m_session(session), m_platform(platform), m_autosave(autosave)
{
}

WriteFailure AnswerKeeper::handOver(const std::optional<Text> &text)
{
    if (text)
        m_waiting.append(*text);
    WriteFailure failure;
    while (!m_waiting.isEmpty()) {
        const Text &next = m_waiting.first();
        if (!keepText(m_session, m_platform, next.item, next.reason, next.text, &failure))
            break;
        m_waiting.removeFirst();
    }
    return failure;
}

void AnswerKeeper::keep(const std::optional<Text> &text)
{
    if (!text && m_waiting.isEmpty())
        return;
    const WriteFailure failure = handOver(text);
    if (!failure.failed()) {
        m_told = false;
        m_autosave.kept();
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
                 : QStringLiteral("Your answer could not be saved: the file %1 could not be "
                                  "written (%2), nor %3.")
                       .arg(failure.path, failure.reason, autosaveName()));
    }
}

void AnswerKeeper::recorded()
{
    if (!m_waiting.isEmpty() && !handOver(std::nullopt).failed())
        m_told = false;
    m_autosave.kept();
}

bool AnswerKeeper::end(const std::optional<Text> &text, bool mayStay)
{
    const WriteFailure failure = handOver(text);
    if (!failure.failed()) {
        m_autosave.remove();
        return true;
    }
    // Left for the start-up rescue of the next run, the last keystrokes too.
    if (m_autosave.saveNow())
        return true;
    const QString message =
        QStringLiteral("Your answer could not be saved: the file %1 could not be written (%2), "
                       "nor %3. If the program ends now, the answer is lost.")
            .arg(failure.path, failure.reason, autosaveName());
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

QList<TypedText> AnswerKeeper::waiting() const
{
    QList<TypedText> texts;
    for (const Text &text : m_waiting)
        texts.append({text.item, text.text});
    return texts;
}

bool AnswerKeeper::isWaiting(const QString &item, const QString &text) const
{
    return waiting().contains(TypedText{item, text});
}

QString AnswerKeeper::autosaveName() const
{
    const Autosave *file = m_autosave.file();
    return file ? QStringLiteral("the file ") + file->path() : QStringLiteral("an autosave file");
}

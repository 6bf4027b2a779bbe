#include "answer_autosave.h"

AnswerAutosave::AnswerAutosave(Snapshot snapshot, QObject *parent)
    : QObject(parent), m_snapshot(std::move(snapshot))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(delayMs);
    connect(&m_timer, &QTimer::timeout, this, &AnswerAutosave::saveNow);
}

void AnswerAutosave::start(FileSystem &files, const QString &folder, const QString &copyId)
{
    m_file = std::make_unique<Autosave>(files, folder, copyId);
}

void AnswerAutosave::paneChanged()
{
    if (m_file && !m_timer.isActive())
        m_timer.start();
}

bool AnswerAutosave::saveNow()
{
    m_timer.stop();
    const AutosaveContent content = m_snapshot();
    const bool nothingTyped = content.text.isEmpty() && content.refused.isEmpty();
    if (!m_file)
        return nothingTyped;
    // Nothing of the student's and no file yet: nothing to write.
    if (nothingTyped && !m_file->exists())
        return true;
    if (m_file->exists() && content == m_saved)
        return true;
    if (!m_file->save(content))
        return false;
    m_saved = content;
    return true;
}

void AnswerAutosave::dropPaneText()
{
    if (!m_file)
        return;
    if (!m_snapshot().refused.isEmpty()) {
        saveNow();
        return;
    }
    m_file->forget();
    m_saved = {};
}

void AnswerAutosave::remove()
{
    if (m_file)
        m_file->remove();
}

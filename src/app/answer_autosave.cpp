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

void AnswerAutosave::saveNow()
{
    m_timer.stop();
    if (!m_file)
        return;
    const AutosaveContent content = m_snapshot();
    // Nothing of the student's and no file yet: nothing to write.
    if (content.text.isEmpty() && !m_file->exists())
        return;
    if (m_file->exists() && content == m_saved)
        return;
    if (m_file->save(content))
        m_saved = content;
}

void AnswerAutosave::kept()
{
    if (!m_file)
        return;
    m_file->forget();
    m_saved = {};
}

void AnswerAutosave::finish(bool kept)
{
    if (!m_file)
        return;
    if (kept)
        m_file->remove();
    else
        saveNow();
}

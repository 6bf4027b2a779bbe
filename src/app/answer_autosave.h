#pragma once

#include "storage/autosave_file.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

// Keeps the autosave of this copy at most a second behind the answer pane.
// A change starts the timer unless it runs already, so that steady typing
// is saved every second too, and no keystroke waits for a write.
class AnswerAutosave : public QObject
{
    Q_OBJECT

public:
    using Snapshot = std::function<AutosaveContent()>;
    static constexpr int delayMs = 1000;

    explicit AnswerAutosave(Snapshot snapshot, QObject *parent = nullptr);

    void start(FileSystem &files, const QString &folder, const QString &copyId);
    void paneChanged();
    // Writes what the snapshot gives now, when it differs from the file.
    // True when the file holds it (or there is nothing to hold).
    bool saveNow();
    // The pane's text is safe elsewhere: the file is emptied at once, or,
    // while the rescue file refuses texts, holds only those.
    void dropPaneText();
    // The copy ends with everything kept elsewhere.
    void remove();

    const QTimer &timer() const { return m_timer; }
    const Autosave *file() const { return m_file.get(); }

private:
    Snapshot m_snapshot;
    QTimer m_timer;
    std::unique_ptr<Autosave> m_file;
    AutosaveContent m_saved;
};

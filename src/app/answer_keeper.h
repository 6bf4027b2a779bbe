#pragma once

#include "records/autosave.h"
#include "storage/record_writer.h"

#include <QList>
#include <QString>

#include <optional>

class AnswerAutosave;
class Platform;
struct SessionState;

// Hands what the student typed to the rescue file before the pane drops it.
// A text that the rescue file refuses waits in the autosave, whatever the
// pane holds later, until the rescue file takes it: every later keep and
// every record tries the waiting texts first, and the start-up rescue of the
// next run takes what is left.
class AnswerKeeper
{
public:
    struct Text
    {
        QString item;
        QString text;
        QString reason;
    };

    AnswerKeeper(const SessionState &session, Platform &platform, AnswerAutosave &autosave);

    // The waiting texts, then text. What the rescue file refuses waits in the
    // autosave, and the student hears of it once until the rescue file takes
    // everything again.
    void keep(const std::optional<Text> &text);
    // A response or note was recorded: what the autosave held of the pane
    // goes at once.
    void recorded();
    // The program is about to end. When the rescue file took everything,
    // the autosave goes; else it holds what is left for the next start. When
    // neither could take it, the student is told; with mayStay the student
    // chooses, and false means stay.
    bool end(const std::optional<Text> &text, bool mayStay);

    QList<TypedText> waiting() const;
    bool isWaiting(const QString &item, const QString &text) const;

private:
    WriteFailure handOver(const std::optional<Text> &text);
    QString autosaveName() const;

    const SessionState &m_session;
    Platform &m_platform;
    AnswerAutosave &m_autosave;
    QList<Text> m_waiting;
    bool m_told = false;
};

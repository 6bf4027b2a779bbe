#pragma once

#include "ending_platform.h"
#include "storage/autosave_file.h"
#include "storage/record_writer.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class AnswerAutosave;
class Panes;
class Platform;
struct SessionState;

// Owns the question of what in the answer pane is the student's text, and
// keeps it: hands it to the rescue file, with the reason, before the pane
// drops it. A text that the rescue file refuses waits in the autosave,
// whatever the pane holds later, until the rescue file takes it: every later
// keep and every record tries the waiting texts first, and the start-up
// rescue of the next run takes what is left.
class AnswerKeeper
{
public:
    AnswerKeeper(const SessionState &session, const Panes &panes, Platform &platform,
                 AnswerAutosave &autosave);

    // Hands what the last run left to the rescue file and tells the student.
    void rescueLastRun();
    // The autosave of this copy, from now on.
    void startAutosave();
    // What the autosave holds now.
    AutosaveContent autosaveContent() const;

    // Keeps the pane's text before the pane replaces or drops it. A failure
    // does not stop the command: the autosave holds the text, and the
    // student hears of it once until the rescue file takes everything again.
    void keep(const QString &reason);
    // Runs a command that records the pane's text; false from it means the
    // text stays in the pane unrecorded, and is kept later for that reason.
    void record(const std::function<bool()> &command, const QString &reasonIfNotRecorded);
    // The program is about to end. When the rescue file took everything,
    // the autosave goes; else it holds what is left for the next start. When
    // neither could take it, the student is told; with mayStay the student
    // chooses, and false means stay.
    bool end(const QString &reason, bool mayStay);
    // The platform for a command that may end the program for this reason.
    EndingPlatform endingFor(const QString &reason);

private:
    // Whether the pane's text is the student's: not the instructions, not
    // the pane's blank start and not what the last record took.
    bool holdsStudentText(const QString &answer) const;

    struct Text
    {
        QString item;
        QString text;
        QString reason;
    };

    std::optional<Text> studentText(const QString &reason) const;
    QList<TypedText> waiting() const;
    FileStatus handOver(const std::optional<Text> &text);
    void tellWhatWasRescued(int answers, int records);
    QString autosaveName() const;
    // Neither the rescue file nor the autosave took the text.
    QString notSaved(const FileStatus &failure) const;

    const SessionState &m_session;
    const Panes &m_panes;
    Platform &m_platform;
    AnswerAutosave &m_autosave;
    QList<Text> m_waiting;
    bool m_told = false;
    // What a failed response or note left in the pane, and why.
    QString m_notRecorded;
    QString m_notRecordedReason;
};

#pragma once

#include "storage/record_writer.h"

#include <QString>

class Platform;

// The rescue file drafts_.txt: what the student typed and the program was
// about to replace or drop without a record, and the start of any record
// that a crash cut off. Appended through the record writer like the other
// files; a failure is never shown and never stops the command.
namespace RescueReasons {
inline const QString nextQuestion = QStringLiteral("next question");
inline const QString clearAnswer = QStringLiteral("clear answer");
inline const QString quitProgram = QStringLiteral("quit program");
inline const QString windowClosed = QStringLiteral("window closed");
inline const QString endOfAssignment = QStringLiteral("end of assignment");
inline const QString unknownRoutine = QStringLiteral("unknown routine");
inline const QString responseNotRecorded = QStringLiteral("response not recorded");
inline const QString noteNotSaved = QStringLiteral("note not saved");
inline const QString autosave = QStringLiteral("autosave");
inline const QString cutOffRecord = QStringLiteral("cut-off record");
} // namespace RescueReasons

// A rescue waits only briefly for another copy, so that it never holds up
// the command it belongs to.
inline constexpr int rescueLockTimeoutMs = 250;

// The rescue file in the working folder, both named as the student names
// them ("c:\\kestrafo").
QString draftsFilePath(const QString &workFolder);

// The eight lines of one rescue record, in Windows-1252.
QByteArray rescueRecord(const QString &item, const QString &reason, const QString &text,
                        Platform &platform);

// Appends one rescue record; a failure when it could not be written.
FileStatus keepText(const QString &workFolder, Platform &platform, const QString &item,
                    const QString &reason, const QString &text);

// Hands each cut-off record to the rescue file, counting in *kept those that
// it took; fails at the first one that it refused.
CutOffKeeper cutOffsToDrafts(const QString &workFolder, Platform &platform, int *kept = nullptr);

// Takes back records that a crash cut off in the master and the rescue
// file's journals, keeping the bytes; the number of records kept.
int recoverCutOffRecords(const QString &workFolder, const QString &masterFilePath,
                         Platform &platform);

// Hands the autosaves of copies that no longer run to the rescue file and
// removes them; the number of answers kept.
int rescueLeftAutosaves(const QString &workFolder, Platform &platform);

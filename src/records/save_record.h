#pragma once

#include <QStringList>

class Platform;
class RecordLines;
struct SessionState;

// Appends a command's record to its files, in the order of the paths. A
// failure is shown to the student and the session goes on; false then.
bool saveRecord(const SessionState &session, Platform &platform, const RecordLines &record,
                const QStringList &pathTexts);

#include "save_record.h"

#include "platform/platform.h"
#include "record_lines.h"
#include "rescue.h"
#include "session/session_state.h"
#include "storage/record_writer.h"
#include "write_problem.h"

bool saveRecord(const SessionState &session, Platform &platform, const RecordLines &record,
                const QStringList &pathTexts)
{
    const FileStatus failure =
        appendRecord(platform.files(), record.parts(pathTexts), recordLockTimeoutMs,
                     cutOffsToDrafts(session.workFolder, platform));
    if (!failure.ok())
        platform.showProblem(recordNotSavedMessage(failure));
    return failure.ok();
}

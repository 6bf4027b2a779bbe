#include "start_up.h"

#include "bank/course_content.h"
#include "bank/line_kind.h"
#include "format/clock_texts.h"
#include "format/record_texts.h"
#include "format/text_value.h"
#include "format/windows1252.h"
#include "platform/platform.h"
#include "records/record_lines.h"
#include "records/rescue.h"
#include "session/session_state.h"
#include "start_up_texts.h"
#include "storage/file_system.h"
#include "storage/native_path.h"
#include "storage/record_writer.h"

#include <algorithm>
#include <cmath>

using namespace StartUpTexts;

namespace {

// Rounded as the course always has: halves to the even neighbour. The code
// goes through int, since codes above 127 do not fit a signed char.
char codeByte(float code)
{
    return char(uchar(int(std::nearbyint(code))));
}

} // namespace

int codeNumberFor(float r)
{
    // In single precision 10 r + 19 rounds up to 29 for r just below 1, so
    // the sum is taken in double precision and kept within 19 to 28.
    const int n = int(std::floor(10.0 * double(r) + 19.0));
    return std::clamp(n, 19, 28);
}

void startSession(SessionState &session, Platform &platform)
{
    platform.seedRandom(secondsSinceMidnight(platform.now()));
    session.sessionCodeNbr = codeNumberFor(platform.nextRandom());

    session.workFolder = defaultFolder;
    // The default folder is made at every start; that it may exist already,
    // or cannot be made, is not the student's concern here.
    const FileStatus folder = toNativePath(defaultFolder);
    if (folder.ok())
        platform.files().makeFolder(folder.path);

    platform.prompt(namePrompt);
    if (platform.prompt(folderQuestion) == QLatin1String("1")) {
        const QString chosen = platform.prompt(folderPrompt);
        if (!chosen.isEmpty())
            session.workFolder = chosen;
    }

    session.masterFilePath =
        session.workFolder + QStringLiteral("\\masterFile") + QStringLiteral(".txt");
    const QString date = dateText(platform.now());
    session.sendFilePath = session.workFolder + QStringLiteral("\\send_") + date.mid(0, 2) +
                           date.mid(3, 2) + QStringLiteral(".txt");
    session.notesFilePath = session.workFolder + QStringLiteral("\\notes_.txt");

    session.assignmentNbr = platform.prompt(assignmentPrompt);
    session.responsePrompt = responsePrompt;
    session.assignmentNbr = padAssignmentNumber(session.assignmentNbr);
    session.nextAssignmentNbr =
        padAssignmentNumber(generalNumber(numericValue(session.assignmentNbr) + 1));

    session.bankIndex = 0;
    loadQuestionBank(session.questionBank, session.bankIndex, courseContentLines());
}

QString makeCodeLine(int codeNbr, Platform &platform)
{
    QByteArray codes;
    for (int i = 1; i <= codeNbr; ++i) {
        if (platform.nextRandom() < 0.1f)
            codes.append(codeByte(platform.nextRandom() * 50.0f + 66.0f));
        codes.append(codeByte(platform.nextRandom() * 137.0f + 118.0f));
    }
    return fromWindows1252(codes);
}

bool openAssignment(SessionState &session, Platform &platform)
{
    session.bankIndex = 0;
    QString candidate;
    while (!isHeaderOf(candidate, session.assignmentNbr)) {
        if (!QuestionBank::contains(session.bankIndex + 1)) {
            platform.reportFatalError(
                QStringLiteral("Assignment \"%1\" is not part of the course %2, so the program "
                               "cannot start. Start it again and enter an assignment number from "
                               "1 to 32.")
                    .arg(session.assignmentNbr, session.courseTitle));
            return false;
        }
        ++session.bankIndex;
        candidate = session.questionBank.at(session.bankIndex);
    }

    RecordLines block(platform, 2);
    block.line(makeCodeLine(session.sessionCodeNbr, platform))
        .codedLine(RecordTexts::assignmentLabel + session.assignmentNbr, session.sessionCodeNbr)
        .codedLine(candidate, session.sessionCodeNbr)
        .line(session.courseTitle)
        .dateLine();
    const FileStatus failure =
        appendRecord(platform.files(), block.parts({session.masterFilePath, session.sendFilePath}),
                     recordLockTimeoutMs, cutOffsToDrafts(session.workFolder, platform));
    if (!failure.ok()) {
        platform.reportFatalError(
            QStringLiteral("The working folder \"%1\" cannot be used, so the program cannot "
                           "start: %2 could not be written (%3). Start the program again and "
                           "choose a folder that exists.")
                .arg(session.workFolder, failure.path, failure.reason));
        return false;
    }
    return true;
}

#include "sample_class.h"

#include "app/start_up.h"
#include "format/record_texts.h"
#include "navigation/next_question.h"
#include "records/notes.h"
#include "records/response_entry.h"
#include "session/session_state.h"
#include "storage/native_file_system.h"
#include "support/fake_panes.h"
#include "support/fake_platform.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>

namespace {

// The real file layer without its syncs: a semester of records written to
// disk one sync at a time would take hours, and the bytes are the same.
class UnsyncedFiles : public NativeFileSystem
{
public:
    FileStatus sync(Handle) override { return FileStatus::success(); }
    FileStatus syncFolderOf(const QString &) override { return FileStatus::success(); }
};

bool runSession(const SampleSession &planned, UnsyncedFiles &files)
{
    FakePlatform platform;
    platform.fileSystem = &files;
    platform.clock = QDateTime(planned.date, QTime(14, 3, 27));
    platform.clockStepSeconds = 23;
    platform.replies = {QStringLiteral("Ann"), QString(), planned.assignment};
    platform.randoms = {0.0f};
    SessionState session;
    startSession(session, platform);
    session.courseTitle = RecordTexts::courseTitle;
    if (!openAssignment(session, platform))
        return false;
    FakePanes panes;
    qsizetype next = 0;
    for (int step = 1; next < planned.responses.size(); ++step) {
        cmdNextQuestion_Click(session, panes, platform, [](const QString &) { return true; });
        // The reader met the next assignment's header: the tutor has ended.
        if (platform.ended)
            return true;
        const SampleResponse &response = planned.responses[next];
        if (response.step != step)
            continue;
        ++next;
        panes.answer = response.text;
        platform.replies = {response.rating};
        if (!cmd_enter_response_Click(session, panes, platform))
            return false;
        if (!response.note.isEmpty()) {
            panes.answer = response.note;
            if (!cmd_save_as_notes_Click(session, panes, platform))
                return false;
        }
    }
    return true;
}

} // namespace

QString writeSampleClass(const QString &folder, const QList<SampleStudent> &students)
{
    UnsyncedFiles files;
    for (const SampleStudent &student : students) {
        TempHome home;
        for (const SampleSession &session : student.sessions) {
            if (!runSession(session, files))
                return student.name + QStringLiteral(": a record could not be written");
        }
        const QDir from(home.kestrafoFolder());
        const QString to = folder + u'/' + student.name;
        if (!QDir().mkpath(to))
            return to + QStringLiteral(": cannot make the folder");
        // Copied by hand: QFile::copy() syncs every copy to disk.
        for (const QString &name : from.entryList(QDir::Files)) {
            QFile source(from.filePath(name));
            QFile target(to + u'/' + name);
            if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly) ||
                target.write(source.readAll()) != source.size())
                return target.fileName() + QStringLiteral(": cannot copy");
        }
    }
    return {};
}

QList<SampleStudent> sampleSemester(int students, int responseLength)
{
    const QString sentence =
        QStringLiteral("I set up the integral, substituted and simplified, checking each step by "
                       "differentiating the result. ");
    QList<SampleStudent> semester;
    for (int s = 0; s < students; ++s) {
        SampleStudent student;
        student.name = QStringLiteral("student%1").arg(s + 1, 3, 10, QLatin1Char('0'));
        QDate date(2026, 8, 24);
        for (int a = 1; a <= 32; ++a) {
            // Half of the items one day, the rest the next: each run starts
            // at the assignment's beginning and ends at its end.
            for (int day = 0; day < 2; ++day) {
                SampleSession session{QString::number(a), date.addDays(day), {}};
                for (int step = 1 + day * 6; step <= 6 + day * 34; ++step) {
                    SampleResponse response;
                    response.step = step;
                    const int turn = s * 7 + a * 3 + step;
                    while (response.text.size() < responseLength)
                        response.text += sentence;
                    if (turn % 5 == 0)
                        response.text += QStringLiteral("Why does the constant drop out here?");
                    response.rating =
                        turn % 11 == 0 ? QStringLiteral("ok") : QString::number(turn * 5 % 4);
                    if (turn % 13 == 0)
                        response.note = QStringLiteral("Review the substitution step.");
                    session.responses.append(response);
                }
                student.sessions.append(session);
            }
            date = date.addDays(3);
        }
        semester.append(student);
    }
    return semester;
}

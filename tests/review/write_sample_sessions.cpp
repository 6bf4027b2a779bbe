// Writes the SEND files of a few sessions through the tutor's own commands,
// for the picture of a report in the README: write_sample_sessions FOLDER
#include "app/start_up.h"
#include "navigation/next_question.h"
#include "records/notes.h"
#include "records/response_entry.h"
#include "support/record_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    const QStringList students = {QStringLiteral("ann"), QStringLiteral("ben"),
                                  QStringLiteral("cleo"), QStringLiteral("dev")};
    int turn = 0;
    for (const QString &student : students) {
        for (const QString &assignment : {QStringLiteral("5"), QStringLiteral("12")}) {
            RecordSession s(assignment);
            s.platform.clockStepSeconds = 20 + 7 * (turn % 5);
            if (!openAssignment(s.session, s.platform))
                return 1;
            for (int i = 0; i < 12; ++i) {
                cmdNextQuestion_Click(s.session, s.panes, s.platform,
                                      [](const QString &) { return true; });
                s.panes.answer = QStringLiteral("My work on this step, try %1.").arg(i);
                const int r = (turn * 7 + i * 3 + (assignment.size() == 2 ? 1 : 2)) % 9;
                s.platform.replies = {r < 4   ? QString::number(r)
                                      : r < 8 ? QString::number(3 - r % 2)
                                              : QStringLiteral("ok")};
                cmd_enter_response_Click(s.session, s.panes, s.platform);
                if (i % 5 == 4) {
                    s.panes.answer = QStringLiteral("Check the sign of the derivative.");
                    cmd_save_as_notes_Click(s.session, s.panes, s.platform);
                }
                ++turn;
            }
            QFile out(folder + u'/' + student + QStringLiteral("_send_1207_") + assignment +
                      QStringLiteral(".txt"));
            // The last one is cut short, as a mailer may cut a file.
            const QByteArray send = student == students.constLast() && assignment.size() == 2
                                        ? s.send().chopped(150)
                                        : s.send();
            if (!out.open(QIODevice::WriteOnly) || out.write(send) < 0) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(out.fileName()),
                             qPrintable(out.errorString()));
                return 1;
            }
        }
    }
    return 0;
}

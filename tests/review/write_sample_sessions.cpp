// Writes the record files of a class through the tutor's own commands:
//   write_sample_sessions FOLDER                     a few students, for the README's picture
//   write_sample_sessions --semester STUDENTS FOLDER the whole course, for the benchmark
#include "support/sample_class.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

// Six students over three assignments; the last SEND file is cut short, as
// a mailer may cut a file.
QList<SampleStudent> pictureClass()
{
    const QStringList names = {QStringLiteral("ann"), QStringLiteral("ben"), QStringLiteral("cleo"),
                               QStringLiteral("dev"), QStringLiteral("eli"), QStringLiteral("fay")};
    const QStringList asks = {
        QStringLiteral("Why does the substitution x = 2 sin(t) work here?"),
        QStringLiteral("Is the answer the same if I use x = 2 cos(t)?"),
        QStringLiteral("I am not sure where the 3/2 power went. Could we go over it?"),
    };
    QList<SampleStudent> students;
    for (qsizetype s = 0; s < names.size(); ++s) {
        SampleStudent student{names[s], {}};
        const QList<QPair<QString, int>> assignments = {
            {QStringLiteral("5"), 6}, {QStringLiteral("12"), 5}, {QStringLiteral("18"), 6}};
        for (qsizetype a = 0; a < assignments.size() - (s >= 4 ? 1 : 0); ++a) {
            SampleSession session{assignments[a].first, QDate(2026, 12, 7).addDays(int(a * 2)), {}};
            for (int step = 1; step <= assignments[a].second; ++step) {
                const int turn = int(s) * 5 + int(a) * 3 + step;
                SampleResponse response;
                response.step = step;
                response.text = QStringLiteral("I set it up as in the example, then checked "
                                               "by differentiating. Step %1 of my work.")
                                    .arg(step);
                if (turn % 4 == 0)
                    response.text += u' ' + asks[turn % asks.size()];
                response.rating =
                    turn % 9 == 0 ? QStringLiteral("ok") : QString::number(turn * 37 % 11 % 4);
                if (turn % 6 == 0)
                    response.note = QStringLiteral("Check the sign of the derivative.");
                session.responses.append(response);
            }
            student.sessions.append(session);
        }
        students.append(student);
    }
    return students;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    const bool semester = arguments.value(0) == QStringLiteral("--semester");
    if (arguments.size() != (semester ? 3 : 1)) {
        std::fprintf(stderr, "usage: write_sample_sessions [--semester STUDENTS] FOLDER\n");
        return 2;
    }
    const QString folder = arguments.constLast();
    const QString error = writeSampleClass(
        folder, semester ? sampleSemester(arguments[1].toInt(), 380) : pictureClass());
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    if (semester)
        return 0;
    QFile cut(folder + QStringLiteral("/dev/send_1211.txt"));
    if (!cut.open(QIODevice::ReadWrite) || !cut.resize(cut.size() - 150)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(cut.fileName()), qPrintable(cut.errorString()));
        return 1;
    }
    return 0;
}

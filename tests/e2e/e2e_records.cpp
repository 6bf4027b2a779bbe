// What the end-to-end test expects of the panes and the files: the course as
// the tutor's own reader hands it out, and the records as the test support
// spells them.
//
//   e2e_records items NBR
//       the items of assignment NBR as the question pane shows them, each
//       one followed by a NUL
//   e2e_records shown FILE
//       FILE as a viewer shows it below a line break, as the clipboard gives
//       it: LF line breaks, a non-breaking space as a space
//   e2e_records RECORD ; RECORD ; ...
//       the lines of a file that holds these records, each one followed by a
//       NUL: "=" and the line, or "@code", "@date", "@time" or "@datetime"
//       where the line is the code's or the clock's. RECORD is one of
//         opening NBR
//         master|send NUMBER ITEM LINE... -- RATING_LINE   a response
//         note ITEM LINE...
//       where ITEM is as "items" gives it.

#include "app/start_up.h"
#include "bank/course_content.h"
#include "bank/line_kind.h"
#include "format/record_texts.h"
#include "format/windows1252.h"
#include "navigation/next_question.h"
#include "session/session_state.h"
#include "support/expected_record.h"
#include "support/fake_panes.h"
#include "support/fake_platform.h"
#include "support/temp_home.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

// The stand-ins for what the clock and the random code give; a line that
// holds one of them stands for a line of its kind.
const QByteArray someTime = "14:03:27";
const QByteArray someDate = "12-07-2026";
const QByteArray someCode = "<the code line>";

void write(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

// One text and the NUL after it.
void put(const QByteArray &text)
{
    write(text);
    std::fputc(0, stdout);
}

// Opening the assignment writes its opening block, into a home folder of
// its own.
int printItems(const QString &assignment)
{
    const TempHome home;
    FakePlatform platform;
    platform.replies = {QStringLiteral("Ann"), QString(), assignment};
    SessionState session;
    session.courseTitle = RecordTexts::courseTitle;
    startSession(session, platform);
    if (!openAssignment(session, platform))
        return 1;
    FakePanes panes;
    for (;;) {
        panes.question.clear();
        cmdNextQuestion_Click(session, panes, platform, [](const QString &) { return true; });
        if (platform.ended)
            return 0;
        QString item = panes.question;
        if (item.startsWith(QStringLiteral("\r\n\r\n")))
            item.remove(0, 4);
        put(item.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toUtf8());
    }
}

int printShown(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return 1;
    }
    QByteArray bytes = file.readAll();
    if (bytes.endsWith("\r\n"))
        bytes.chop(2);
    QString text = fromWindows1252(bytes);
    text.replace(QChar(0xA0), QLatin1Char(' '))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    write("\n" + text.toUtf8());
    return 0;
}

// A text of the course or of the student as the files hold it.
QByteArray fileText(const QStringList &lines)
{
    QString text = lines.join(QStringLiteral("\r\n"));
    return toWindows1252(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                             .replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
}

QByteArray headerOf(const QString &assignment)
{
    for (const QString &line : courseContentLines()) {
        if (isHeaderOf(line, assignment))
            return toWindows1252(line);
    }
    return {};
}

// One record's bytes; empty for a step it does not know.
QByteArray recordOf(const QString &kind, QStringList arguments)
{
    const qsizetype dashes = arguments.indexOf(QStringLiteral("--"));
    if (kind == QLatin1String("opening") && arguments.size() == 1) {
        const QByteArray header = headerOf(arguments[0]);
        return header.isEmpty() ? QByteArray()
                                : openingBlock(someCode, arguments[0].toLatin1(), header, someDate);
    }
    if ((kind == QLatin1String("master") || kind == QLatin1String("send")) && dashes >= 2 &&
        dashes == arguments.size() - 2) {
        const QByteArray number = ' ' + arguments[0].toLatin1() + ' ';
        const QByteArray item = fileText({arguments[1]});
        const QByteArray response = fileText(arguments.mid(2, dashes - 2));
        const QByteArray rating = fileText({arguments.last()});
        return kind == QLatin1String("master")
                   ? masterResponse(someTime, number, item, response, rating)
                   : sendResponse(someTime, item, response, rating);
    }
    if (kind == QLatin1String("note") && arguments.size() >= 2)
        return notesRecord(someTime, someDate + someTime, fileText({arguments[0]}),
                           fileText(arguments.mid(1)));
    return {};
}

int printExpected(const QStringList &steps)
{
    QByteArray bytes;
    QStringList step;
    for (const QString &word : steps + QStringList{QStringLiteral(";")}) {
        if (word != QLatin1String(";")) {
            step.append(word);
            continue;
        }
        if (step.isEmpty())
            continue;
        const QString kind = step.takeFirst();
        const QByteArray record = recordOf(kind, step);
        if (record.isEmpty()) {
            std::fprintf(stderr, "not a record: %s\n", qPrintable(steps.join(u' ')));
            return 2;
        }
        bytes += record;
        step.clear();
    }
    const QByteArray indent(36, ' ');
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast(); // after the last line end
    for (QByteArray line : std::as_const(lines)) {
        line.chop(1); // its CR
        if (line == someCode)
            put("@code");
        else if (line == someDate)
            put("@date");
        else if (line == indent + someTime)
            put("@time");
        else if (line == indent + someDate + someTime)
            put("@datetime");
        else
            put('=' + line);
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() == 2 && arguments[0] == QLatin1String("items"))
        return printItems(arguments[1]);
    if (arguments.size() == 2 && arguments[0] == QLatin1String("shown"))
        return printShown(arguments[1]);
    if (!arguments.isEmpty())
        return printExpected(arguments);
    std::fprintf(stderr, "usage: e2e_records items NBR | shown FILE | RECORD ; RECORD ...\n");
    return 2;
}

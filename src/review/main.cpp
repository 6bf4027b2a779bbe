#include "brief_report.h"
#include "html_report.h"
#include "report_output.h"
#include "review.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace {

void complain(const QString &what)
{
    std::fprintf(stderr, "kestrafo-review: %s\n", terminalText(what).toUtf8().constData());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrafo-review"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KESTRAFO_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Summarises the master, SEND, notes and drafts files of the Dravonic II tutor."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption csvOption(QStringLiteral("csv"),
                                       QStringLiteral("Write one row per record to <file>."),
                                       QStringLiteral("file"));
    const QCommandLineOption htmlOption(QStringLiteral("html"),
                                        QStringLiteral("Write a report page to <file>."),
                                        QStringLiteral("file"));
    const QCommandLineOption byFileOption(
        QStringLiteral("by-file"),
        QStringLiteral("Name students by their files' names, not by the folders holding them."));
    parser.addOption(csvOption);
    parser.addOption(htmlOption);
    parser.addOption(byFileOption);
    parser.addPositionalArgument(QStringLiteral("path"),
                                 QStringLiteral("Record files, or folders holding them."),
                                 QStringLiteral("PATH..."));
    if (!parser.parse(QCoreApplication::arguments())) {
        complain(parser.errorText());
        return Unreadable;
    }
    // Written here rather than by the parser, which on Windows shows a
    // message box instead when it finds no console, as under Wine.
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("kestrafo-review %s\n", KESTRAFO_VERSION);
        return 0;
    }
    const QStringList paths = parser.positionalArguments();
    if (paths.isEmpty()) {
        complain(QStringLiteral("no PATH given (see --help)"));
        return Unreadable;
    }
    for (const QCommandLineOption *option : {&csvOption, &htmlOption}) {
        if (parser.values(*option).size() > 1) {
            complain(QStringLiteral("--%1 given more than once").arg(option->names().constFirst()));
            return Unreadable;
        }
    }

    // Every report file is checked before anything is written anywhere.
    const Inputs inputs = listInputs(paths, parser.isSet(byFileOption));
    for (const QCommandLineOption *option : {&csvOption, &htmlOption}) {
        const QString output = parser.value(*option);
        const QString refusal = output.isEmpty() ? QString() : outputRefusal(output, inputs);
        if (!refusal.isEmpty()) {
            complain(
                QStringLiteral("--%1 %2 %3: nothing was written")
                    .arg(option->names().constFirst(), QDir::toNativeSeparators(output), refusal));
            return Unreadable;
        }
    }
    if (parser.isSet(csvOption) && parser.isSet(htmlOption) &&
        QFileInfo(parser.value(csvOption)).absoluteFilePath() ==
            QFileInfo(parser.value(htmlOption)).absoluteFilePath()) {
        complain(QStringLiteral("--csv and --html name the same file: nothing was written"));
        return Unreadable;
    }

    QSaveFile csv;
    if (parser.isSet(csvOption)) {
        const QString error = openReport(csv, parser.value(csvOption));
        if (!error.isEmpty()) {
            complain(error);
            return Unreadable;
        }
    }
    const Review review = reviewInputs(inputs, csv.isOpen() ? &csv : nullptr);
    int status = review.status;
    QStringList errors = review.errors;
    if (!review.files.isEmpty())
        errors.append(writeStandardOutput(briefReport(review).toUtf8()));
    if (csv.isOpen())
        errors.append(commitReport(csv));
    if (parser.isSet(htmlOption)) {
        QSaveFile html;
        QString error = openReport(html, parser.value(htmlOption));
        if (error.isEmpty()) {
            writeAll(html, htmlReport(review));
            error = commitReport(html);
        }
        errors.append(error);
    }
    for (const QString &error : std::as_const(errors)) {
        if (error.isEmpty())
            continue;
        complain(error);
        status = Unreadable;
    }
    return status;
}

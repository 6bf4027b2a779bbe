#include "html_report.h"
#include "review.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

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
    parser.addOption(csvOption);
    parser.addOption(htmlOption);
    parser.addPositionalArgument(QStringLiteral("path"),
                                 QStringLiteral("Record files, or folders holding them."),
                                 QStringLiteral("PATH..."));
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "kestrafo-review: %s\n", qPrintable(parser.errorText()));
        return Unreadable;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    const QStringList paths = parser.positionalArguments();
    if (paths.isEmpty()) {
        std::fprintf(stderr, "kestrafo-review: no PATH given (see --help)\n");
        return Unreadable;
    }
    for (const QCommandLineOption *option : {&csvOption, &htmlOption}) {
        if (parser.values(*option).size() > 1) {
            std::fprintf(stderr, "kestrafo-review: --%s given more than once\n",
                         qPrintable(option->names().constFirst()));
            return Unreadable;
        }
    }

    QFile csv;
    if (parser.isSet(csvOption)) {
        csv.setFileName(parser.value(csvOption));
        if (!csv.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "kestrafo-review: %s: %s\n", qPrintable(csv.fileName()),
                         qPrintable(csv.errorString()));
            return Unreadable;
        }
    }
    const Review review = reviewPaths(paths, csv.isOpen() ? &csv : nullptr);
    if (!review.files.isEmpty())
        std::fputs(plainSummary(review.files).toUtf8().constData(), stdout);
    for (const QString &error : review.errors)
        std::fprintf(stderr, "kestrafo-review: %s\n", qPrintable(error));

    if (csv.isOpen() && !csv.flush()) {
        std::fprintf(stderr, "kestrafo-review: %s: %s\n", qPrintable(csv.fileName()),
                     qPrintable(csv.errorString()));
        return Unreadable;
    }
    if (parser.isSet(htmlOption)) {
        QSaveFile html(parser.value(htmlOption));
        if (!html.open(QIODevice::WriteOnly) || html.write(htmlReport(review.files)) < 0 ||
            !html.commit()) {
            std::fprintf(stderr, "kestrafo-review: %s: %s\n", qPrintable(html.fileName()),
                         qPrintable(html.errorString()));
            return Unreadable;
        }
    }
    return review.status;
}

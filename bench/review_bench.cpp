// Summarising 100 MB of records against reading the same bytes, and the
// instructor's report on a semester of a 300-student course. Given a folder,
// it leaves the 100 MB file there, for measuring the program itself.
#include "review.h"
#include "support/sample_class.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <ctime>
#include <random>

namespace {

const QByteArray sectionRule = "......!!!!!!!!...................................";
const QByteArray closingRule(49, '.');

QByteArray records(qint64 size)
{
    std::mt19937 random(7);
    QByteArray bytes;
    bytes.reserve(size + 8192);
    bytes += QByteArray(19, 'x') +
             "\r\nassignment #012\r\n012.  Series\r\nDravonic II\r\n12-07-2026\r\n";
    for (int i = 0; bytes.size() < size; ++i) {
        const QByteArray time = QByteArray(36, ' ') + "14:" + QByteArray::number(10 + i / 60 % 50) +
                                ':' + QByteArray::number(10 + i % 50) + "\r\n";
        QByteArray text;
        const int lines = 1 + int(random() % 20);
        for (int l = 0; l < lines; ++l)
            text += QByteArray(int(random() % 120), char('a' + l % 26)) + "\r\n";
        bytes += sectionRule + "\r\n" + time + "Find the limit of the series.\r\n" + sectionRule +
                 "\r\nRESPONSE -->  \r\n" + text +
                 "confidence assessment:  " + QByteArray::number(i % 4) + "\r\n" + closingRule +
                 "\r\n";
    }
    return bytes;
}

// The fastest of several runs. The runs of the different figures take turns,
// so that a busy moment of the machine falls on all of them alike. The
// processor time, of all the program's threads together, is what the run
// would take on one processor of its own; on a busy machine the time that
// passes is longer, by the other programs' turns.
struct Fastest
{
    void time(const std::function<void()> &run)
    {
        QElapsedTimer timer;
        const std::clock_t processorStart = std::clock();
        timer.start();
        run();
        ms = std::min(ms, timer.nsecsElapsed() / 1e6);
        processorMs =
            std::min(processorMs, double(std::clock() - processorStart) * 1e3 / CLOCKS_PER_SEC);
    }

    void print(const char *what) const
    {
        std::printf("review: %-18s %8.1f ms, processor %8.1f ms\n", what, ms, processorMs);
    }

    double ms = 1e9;
    double processorMs = 1e9;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path());
    const QString path = dir.filePath(QStringLiteral("masterFile.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(records(100'000'000)) < 0)
            return 1;
    }
    const qint64 size = QFileInfo(path).size();
    qint64 checksum = 0;
    Fastest reading, lineReading, summarising;
    qint64 responses = 0;
    for (int round = 0; round < 9; ++round) {
        reading.time([&] {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            for (QByteArray chunk = file.read(1 << 20); !chunk.isEmpty();
                 chunk = file.read(1 << 20))
                checksum += chunk.size();
        });
        // Reading the same bytes a line at a time, as any reader of lines must.
        lineReading.time([&] {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            char line[65536];
            for (qint64 n = file.readLine(line, sizeof line); n > 0;
                 n = file.readLine(line, sizeof line))
                checksum += n;
        });
        summarising.time([&] {
            // Each file's summary alone, as the reader is measured against.
            const Review review = reviewPaths({path}, nullptr, false);
            responses = review.files.value(0).sessions.value(0).responses;
        });
    }
    // The other programs on the machine stretch every figure: say how busy it was.
    QFile load(QStringLiteral("/proc/loadavg"));
    const QByteArray loadAverage =
        load.open(QIODevice::ReadOnly) ? load.readAll().split(' ').value(0) : "unknown";
    std::printf("review: %.1f MB of records, %lld responses, %d processors, load average %s\n",
                size / 1e6, qlonglong(responses), QThread::idealThreadCount(),
                loadAverage.constData());
    reading.print("reading the bytes");
    lineReading.print("reading the lines");
    summarising.print("summarising");
    std::printf("review: summarising against reading the bytes %.2f x, processor %.2f x "
                "(goal 10 x)\n",
                summarising.ms / reading.ms, summarising.processorMs / reading.processorMs);

    // A semester: every student of the course works all 32 assignments, each
    // over two days, through the tutor's own commands; the report is made by
    // the program itself, HTML and CSV at once, as an instructor runs it.
    const QString semester = dir.filePath(QStringLiteral("semester"));
    const QString error = writeSampleClass(semester, sampleSemester(300, 380));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    qint64 files = 0, bytes = 0;
    for (QDirIterator it(semester, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        ++files;
        bytes += QFileInfo(it.next()).size();
    }
    Fastest report;
    for (int round = 0; round < 3; ++round) {
        report.time([&] {
            QProcess program;
            program.setStandardOutputFile(QProcess::nullDevice());
            program.start(QStringLiteral(REVIEW_PROGRAM),
                          {QStringLiteral("--html"), dir.filePath(QStringLiteral("semester.html")),
                           QStringLiteral("--csv"), dir.filePath(QStringLiteral("semester.csv")),
                           semester});
            if (!program.waitForFinished(600'000) || program.exitCode() > 1)
                std::fprintf(stderr, "kestrafo-review failed: %s\n",
                             program.readAllStandardError().constData());
        });
    }
    std::printf("review: semester of 300 students, %lld files, %.1f MB: HTML %.1f MB and CSV "
                "%.1f MB in %8.1f ms (goal 5000 ms)\n",
                qlonglong(files), bytes / 1e6,
                QFileInfo(dir.filePath(QStringLiteral("semester.html"))).size() / 1e6,
                QFileInfo(dir.filePath(QStringLiteral("semester.csv"))).size() / 1e6, report.ms);
    return checksum > 0 && report.ms < 1e9 ? 0 : 1;
}

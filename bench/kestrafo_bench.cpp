// Measures the tutor's commands on its real code and widgets, each against
// the floor that the platform sets for the same work, and prints the ratio.

#include "app/query_form.h"
#include "bare_window.h"
#include "bench_platform.h"
#include "platform/native_path.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

double medianMs(int repeats, const std::function<void()> &prepare,
                const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A start-up that fails leaves nothing worth timing.
void load(QueryForm &form, BenchPlatform &platform)
{
    if (form.Form_Load())
        return;
    std::fprintf(stderr, "kestrafo-bench: start-up failed: %s\n",
                 qPrintable(platform.problems.join(QStringLiteral(" | "))));
    std::exit(1);
}

void report(const char *what, double ms, double floorMs)
{
    std::printf("%-44s %10.2f ms  floor %10.2f ms  ratio %5.2f\n", what, ms, floorMs, ms / floorMs);
    std::fflush(stdout);
}

QString nativeOf(const QString &pathText)
{
    return toNativePath(pathText).path;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

// Lines as the SEND file holds them, to the given size.
QByteArray sendFileOf(qsizetype bytes)
{
    const QByteArray record = "......!!!!!!!!...................................\r\n"
                              "                                    14:03:27\r\n"
                              "What is the integral of x e^x `dx, and how did you choose u?\r\n"
                              "RESPONSE -->  \r\n"
                              "By parts with u = x, so the integral is x e^x - e^x + c.\r\n"
                              "confidence assessment:  2\r\n"
                              ".................................................\r\n";
    QByteArray content;
    content.reserve(bytes + record.size());
    while (content.size() < bytes)
        content += record;
    content.truncate(bytes);
    return content;
}

// What the pane ends up showing for a file, set in one go: the floor of a viewer.
double viewerFloorMs(QueryForm &form, const QString &path, const QString &finalText, int repeats)
{
    auto *pane = form.findChild<QPlainTextEdit *>("txt_question");
    QString widgetText = finalText;
    widgetText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return medianMs(
        repeats, [&] { pane->setPlainText(QString()); },
        [&] {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            const QString decoded = QString::fromLatin1(file.readAll());
            pane->setPlainText(decoded.isNull() ? decoded : widgetText);
        });
}

void benchViewers(QueryForm &form)
{
    const QString sendPath = nativeOf(form.session().sendFilePath);
    const QString notesPath = nativeOf(form.session().notesFilePath);
    for (const qsizetype size : {qsizetype(10'000), qsizetype(1'000'000), qsizetype(10'000'000)}) {
        const int repeats = size > 2'000'000 ? 3 : 9;
        const QByteArray content = sendFileOf(size);
        writeFile(sendPath, content);
        writeFile(notesPath, content);

        const struct
        {
            const char *name;
            void (QueryForm::*click)();
            QString path;
        } viewers[] = {
            {"display SEND file", &QueryForm::cmd_displayCumulativeText_Click, sendPath},
            {"display notes", &QueryForm::cmd_display_note_file_Click, notesPath},
        };
        for (const auto &viewer : viewers) {
            form.panes().setQuestionText(QString());
            (form.*viewer.click)();
            const QString finalText = form.panes().questionText();
            const double ms = medianMs(
                repeats, [&] { form.panes().setQuestionText(QString()); },
                [&] { (form.*viewer.click)(); });
            const QString label =
                QStringLiteral("%1, %2 KB").arg(QLatin1String(viewer.name)).arg(size / 1000);
            report(qPrintable(label), ms, viewerFloorMs(form, viewer.path, finalText, repeats));
        }
    }
}

// A student's typing: sentences, with a line break now and then.
QString responseOf(qsizetype size)
{
    const QString sentence =
        QStringLiteral("By parts with u = x and dv = e^x dx the integral is x e^x - e^x + c.\r\n");
    QString text;
    while (text.size() < size)
        text += sentence;
    text.truncate(size);
    return text;
}

// One write and one flush to stable storage of each file's share.
double appendFloorMs(const QString &folder, qsizetype masterBytes, qsizetype sendBytes, int repeats)
{
    const QByteArray master(masterBytes, 'x');
    const QByteArray send(sendBytes, 'x');
    auto append = [](const QString &path, const QByteArray &bytes) {
        const int fd =
            ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT, 0666);
        if (::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
            std::perror("write");
        ::fdatasync(fd);
        ::close(fd);
    };
    return medianMs(
        repeats, [] {},
        [&] {
            append(folder + "/floor_master.txt", master);
            append(folder + "/floor_send.txt", send);
        });
}

void benchEnterResponse(QueryForm &form, BenchPlatform &platform)
{
    const QString folder = nativeOf(form.session().workFolder);
    for (const qsizetype size : {qsizetype(1'000), qsizetype(1'000'000)}) {
        const QString response = responseOf(size);
        const int repeats = 15;
        form.session().itemKind = QStringLiteral("question");
        const double ms = medianMs(
            repeats,
            [&] {
                form.panes().setAnswerText(response);
                platform.replies = {QStringLiteral("2")};
            },
            [&] { form.cmd_enter_response_Click(); });
        // The record's bytes in each file, beside the response itself.
        const qsizetype overhead = 420 + form.session().currentLine.size();
        const QString label = QStringLiteral("Enter Response, %1 KB").arg(size / 1000);
        report(qPrintable(label), ms,
               appendFloorMs(folder, size + overhead, size + overhead, repeats));
        // Part of the command that no file write can avoid: emptying the panes.
        const double emptying = medianMs(
            repeats, [&] { form.panes().setAnswerText(response); },
            [&] {
                form.panes().setQuestionText(QString());
                form.panes().setAnswerText(QString());
            });
        std::printf("%-44s %10.2f ms\n", "  of which emptying the panes", emptying);
    }
}

void benchStepping(BenchPlatform &platform)
{
    platform.replies = {QStringLiteral("Ann"), QString(), QStringLiteral("1")};
    QueryForm form(platform);
    load(form, platform);
    form.show();
    // No following header: the reader runs through all 32 assignments into
    // the end of the bank.
    form.session().nextAssignmentNbr = QStringLiteral("zzz");
    double total = 0;
    double slowest = 0;
    int clicks = 0;
    while (!platform.ended) {
        QElapsedTimer timer;
        timer.start();
        form.cmdNextQuestion_Click();
        const double ms = timer.nsecsElapsed() / 1e6;
        total += ms;
        slowest = std::max(slowest, ms);
        ++clicks;
    }
    platform.ended = false;
    std::printf("%-44s %10.2f ms  over %d clicks, slowest click %.2f ms, pane %lld characters\n",
                "Next Question / Answer through the course", total, clicks, slowest,
                static_cast<long long>(form.panes().questionText().size()));
}

void benchStartUp(BenchPlatform &platform)
{
    const double app = medianMs(
        15,
        [&] {
            platform.replies = {QStringLiteral("Ann"), QString(), QStringLiteral("5")};
        },
        [&] {
            QueryForm form(platform);
            load(form, platform);
            form.show();
            QApplication::processEvents();
        });
    const double bare = medianMs(
        15, [] {},
        [] {
            BareWindow window;
            window.show();
            QApplication::processEvents();
        });
    report("start-up to the window shown", app, bare);
}

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Runs in a process of its own: one idle window, then its resident memory.
int idleMemory(bool tutor)
{
    BenchPlatform platform;
    platform.replies = {QStringLiteral("Ann"), QString(), QStringLiteral("5")};
    std::unique_ptr<QWidget> window;
    if (tutor) {
        auto form = std::make_unique<QueryForm>(platform);
        load(*form, platform);
        window = std::move(form);
    } else {
        window = std::make_unique<BareWindow>();
    }
    window->show();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    std::printf("%ld\n", residentKb());
    return 0;
}

long memoryOf(const char *mode)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode)});
    child.waitForFinished(60000);
    return child.readAllStandardOutput().trimmed().toLong();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kestrafo"));
    const QStringList arguments = QApplication::arguments();
    if (arguments.contains(QStringLiteral("--idle-tutor")) ||
        arguments.contains(QStringLiteral("--idle-bare"))) {
        QTemporaryDir home;
        qputenv("HOME", QFile::encodeName(home.path()));
        return idleMemory(arguments.contains(QStringLiteral("--idle-tutor")));
    }

    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));

    BenchPlatform platform;
    benchStartUp(platform);

    platform.replies = {QStringLiteral("Ann"), QString(), QStringLiteral("5")};
    QueryForm form(platform);
    load(form, platform);
    form.show();
    form.cmdNextQuestion_Click();
    benchViewers(form);
    benchEnterResponse(form, platform);
    benchStepping(platform);

    const long tutor = memoryOf("--idle-tutor");
    const long bare = memoryOf("--idle-bare");
    std::printf("%-44s %10ld KB  floor %10ld KB  ratio %5.2f\n",
                "resident memory of the idle window", tutor, bare, double(tutor) / double(bare));
    if (!platform.problems.isEmpty())
        std::printf("problems: %s\n", qPrintable(platform.problems.join(QStringLiteral(" | "))));
    return 0;
}

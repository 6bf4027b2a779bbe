// Measures the tutor's commands on its real code and widgets, each against
// the floor that the platform sets for the same work, and prints the ratio.

#include "app/query_form.h"
#include "bare_window.h"
#include "bench_platform.h"
#include "median_time.h"
#include "storage/native_path.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace {

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

void appendSynced(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT, 0666);
    if (::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        std::perror("write");
    ::fdatasync(fd);
    ::close(fd);
}

// The writes and syncs the writer makes for a record, by hand and without
// its lock, checks or cut-back: an intent of the same size written and
// synced, each file's share written and synced, the intent cut to nothing
// and synced.
double recordFloorMs(const QString &folder, const QList<qsizetype> &shares, qsizetype intentBytes,
                     int repeats)
{
    QList<QByteArray> bytes;
    for (const qsizetype share : shares)
        bytes.append(QByteArray(share, 'x'));
    const QByteArray intent(intentBytes, 'j');
    const QString journal = folder + "/floor_journal";
    return medianMs(
        repeats, [] {},
        [&] {
            appendSynced(journal, intent);
            for (qsizetype i = 0; i < bytes.size(); ++i)
                appendSynced(folder + QStringLiteral("/floor_%1.txt").arg(i), bytes[i]);
            const int fd = ::open(QFile::encodeName(journal).constData(), O_WRONLY);
            if (::ftruncate(fd, 0) != 0)
                std::perror("ftruncate");
            ::fdatasync(fd);
            ::close(fd);
        });
}

qsizetype sizeOf(const QString &pathText)
{
    return QFileInfo(nativeOf(pathText)).size();
}

// One command that writes a record: its median time, its floor with the same
// syncs, and the syncs it made.
void benchRecord(const char *name, QueryForm &form, BenchPlatform &platform,
                 void (QueryForm::*click)(), const QStringList &files, qsizetype size)
{
    const QString folder = nativeOf(form.session().workFolder);
    const QString response = responseOf(size);
    const int repeats = 15;
    form.session().itemKind = QStringLiteral("question");
    QList<qsizetype> before;
    for (const QString &file : files)
        before.append(sizeOf(file));
    form.panes().setAnswerText(response);
    platform.replies = {QStringLiteral("2")};
    const int syncsBefore = platform.counting.syncs + platform.counting.folderSyncs;
    (form.*click)();
    const int syncs = platform.counting.syncs + platform.counting.folderSyncs - syncsBefore;
    QList<qsizetype> shares;
    for (qsizetype i = 0; i < files.size(); ++i)
        shares.append(sizeOf(files[i]) - before[i]);
    const double ms = medianMs(
        repeats,
        [&] {
            form.panes().setAnswerText(response);
            platform.replies = {QStringLiteral("2")};
        },
        [&] { (form.*click)(); });
    const QString label = QStringLiteral("%1, %2 KB").arg(QLatin1String(name)).arg(size / 1000);
    // An intent names each file by its identity, length and path.
    report(qPrintable(label), ms, recordFloorMs(folder, shares, 30 + 80 * files.size(), repeats));
    std::printf("%-44s %10d\n", "  syncs per record", syncs);
    // Part of the command that no file write can avoid: emptying the panes.
    const double emptying = medianMs(
        repeats, [&] { form.panes().setAnswerText(response); },
        [&] {
            form.panes().setQuestionText(QString());
            form.panes().setAnswerText(QString());
        });
    std::printf("%-44s %10.2f ms\n", "  of which emptying the panes", emptying);
}

void benchRecords(QueryForm &form, BenchPlatform &platform)
{
    const SessionState &session = form.session();
    for (const qsizetype size : {qsizetype(1'000), qsizetype(1'000'000)}) {
        benchRecord("Enter Response", form, platform, &QueryForm::cmd_enter_response_Click,
                    {session.masterFilePath, session.sendFilePath}, size);
        benchRecord("Save as Notes", form, platform, &QueryForm::cmd_save_as_notes_Click,
                    {session.masterFilePath, session.sendFilePath, session.notesFilePath}, size);
    }
}

// The autosave of the answer pane while the student types: the snapshot of
// the pane and the replacement of the file, against writing the same bytes
// to a new file, syncing it and renaming it over the old one by hand.
void benchAutosave(QueryForm &form)
{
    const QString folder = nativeOf(form.session().workFolder);
    const int repeats = 15;
    const QString texts[2] = {responseOf(1'000'000), responseOf(1'000'000) + QLatin1Char('!')};
    int turn = 0;
    const double ms = medianMs(
        repeats, [&] { form.panes().setAnswerText(texts[++turn % 2]); },
        [&] { form.autosave().saveNow(); });
    const QByteArray bytes = Autosave::encode({form.session().currentLine, texts[0]});
    const QString path = folder + "/floor_autosave";
    const double floorMs = medianMs(
        repeats, [] {},
        [&] {
            const QByteArray fresh = QFile::encodeName(path + ".new");
            const int fd = ::open(fresh.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
            if (::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
                std::perror("write");
            ::fdatasync(fd);
            ::close(fd);
            ::rename(fresh.constData(), QFile::encodeName(path).constData());
            const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
            ::fsync(dir);
            ::close(dir);
        });
    report("autosave of a 1 MB answer pane", ms, floorMs);
    const double snapshot = medianMs(
        repeats, [&] { form.panes().setAnswerText(texts[++turn % 2]); },
        [&] { form.panes().answerText(); });
    std::printf("%-44s %10.2f ms\n", "  of which reading the pane", snapshot);
}

void benchStepping(BenchPlatform &platform)
{
    platform.replies = {QStringLiteral("Ann"), QString(), QStringLiteral("1")};
    QueryForm form(platform, platform);
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
            QueryForm form(platform, platform);
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
        auto form = std::make_unique<QueryForm>(platform, platform);
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
    QueryForm form(platform, platform);
    load(form, platform);
    form.show();
    form.cmdNextQuestion_Click();
    benchViewers(form);
    benchRecords(form, platform);
    benchAutosave(form);
    benchStepping(platform);

    const long tutor = memoryOf("--idle-tutor");
    const long bare = memoryOf("--idle-bare");
    std::printf("%-44s %10ld KB  floor %10ld KB  ratio %5.2f\n",
                "resident memory of the idle window", tutor, bare, double(tutor) / double(bare));
    if (!platform.problems.isEmpty())
        std::printf("problems: %s\n", qPrintable(platform.problems.join(QStringLiteral(" | "))));
    return 0;
}

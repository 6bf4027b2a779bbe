// A small program that appends sample records through the program's own
// platform and record writer, for the tests that need a process of their own:
// one killed, one under libfiu, one with a file-size limit, one in a mount
// namespace, two at once.
//
//   record_child FOLDER WRITER FIRST COUNT SEED [big] [kill-at N] [fsize BYTES]
//                [read-only-after K] [recover]
//
// With recover it first takes back a record that a kill cut off, appending
// the cut bytes to drafts_.txt in FOLDER.
//
// It prints "ok INDEX" or "fail INDEX REASON" for each record, and exits 0
// when it got through all of them.

#include "platform/qt_platform.h"
#include "record_samples.h"
#include "storage/record_writer.h"
#include "support/faulty_file_system.h"

#include <QByteArray>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <sys/resource.h>
#endif

namespace {

#ifdef Q_OS_LINUX
bool limitFileSize(long long bytes)
{
    const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

bool makeReadOnly(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    if (::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) != 0)
        return false;
    return ::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) ==
           0;
}
#else
// File-size limits and mount namespaces are tested on Linux only.
bool limitFileSize(long long)
{
    return false;
}

bool makeReadOnly(const QString &)
{
    return false;
}
#endif

} // namespace

int main(int argc, char **argv)
{
    if (argc < 6) {
        std::fprintf(stderr, "usage: record_child FOLDER WRITER FIRST COUNT SEED [options]\n");
        return 2;
    }
    const QString folder = QFile::decodeName(argv[1]);
    const int writer = std::atoi(argv[2]);
    const int first = std::atoi(argv[3]);
    const int count = std::atoi(argv[4]);
    const quint32 seed = quint32(std::strtoul(argv[5], nullptr, 10));
    SampleSizes sizes = SampleSizes::Small;
    int killAt = 0;
    long long sizeLimit = 0;
    int readOnlyAfter = -1;
    bool recover = false;
    for (int i = 6; i < argc; ++i) {
        const char *option = argv[i];
        if (std::strcmp(option, "big") == 0)
            sizes = SampleSizes::UpToMegabytes;
        else if (std::strcmp(option, "kill-at") == 0 && i + 1 < argc)
            killAt = std::atoi(argv[++i]);
        else if (std::strcmp(option, "fsize") == 0 && i + 1 < argc)
            sizeLimit = std::atoll(argv[++i]);
        else if (std::strcmp(option, "recover") == 0)
            recover = true;
        else if (std::strcmp(option, "read-only-after") == 0 && i + 1 < argc)
            readOnlyAfter = std::atoi(argv[++i]);
        else {
            std::fprintf(stderr, "unknown option %s\n", option);
            return 2;
        }
    }

    // The program's own platform, so that its way with SIGXFSZ is the one
    // tested.
    QtPlatform platform;
    FaultyFileSystem killing(platform.files());
    if (killAt > 0)
        killing.inject(FaultyFileSystem::Fault::KillBefore, killAt);
    FileSystem &files = killAt > 0 ? killing : platform.files();

    if (sizeLimit > 0) {
        if (!limitFileSize(sizeLimit)) {
            std::perror("setrlimit");
            return 3;
        }
    }

    if (recover) {
        const QString drafts = folder + QStringLiteral("/drafts_.txt");
        const FileStatus failure =
            recoverRecord(files, masterFileIn(folder), [&](const QList<CutOffBytes> &cut) {
                for (const CutOffBytes &part : cut) {
                    if (const FileStatus failure = appendRecord(files, {{drafts, part.bytes}});
                        !failure.ok())
                        return failure;
                }
                return FileStatus::success();
            });
        if (!failure.ok()) {
            std::printf("recovery failed: %s\n", qPrintable(failure.reason));
            return 5;
        }
    }

    for (int index = first; index < first + count; ++index) {
        if (index - first == readOnlyAfter) {
            if (!makeReadOnly(folder)) {
                std::perror("mount");
                return 4;
            }
            std::printf("read-only\n");
        }
        const SampleRecord record = sampleRecord(writer, index, seed, sizes);
        const FileStatus failure = appendRecord(
            files, {{masterFileIn(folder), record.master}, {sendFileIn(folder), record.send}});
        if (!failure.ok())
            std::printf("fail %d %s: %s\n", index, qPrintable(failure.path),
                        qPrintable(failure.reason));
        else
            std::printf("ok %d\n", index);
        std::fflush(stdout);
    }
    return 0;
}

#include "rescue.h"

#include "format/record_texts.h"
#include "format/windows1252.h"
#include "platform/platform.h"
#include "record_lines.h"
#include "storage/autosave_file.h"
#include "storage/file_system.h"
#include "storage/native_path.h"

using namespace RecordTexts;

QString draftsFilePath(const QString &workFolder)
{
    return workFolder + QStringLiteral("\\drafts_.txt");
}

QByteArray rescueRecord(const QString &item, const QString &reason, const QString &text,
                        Platform &platform)
{
    // The count is of the characters as the file holds them, which is what
    // the instructor's program reads the text back by.
    const qsizetype written = toWindows1252(text).size();
    RecordLines record(platform, 1);
    record.line(sectionRule)
        .timeLine()
        .dateTimeLine()
        .line(item)
        .line(sectionRule)
        .line(keptLabel + reason + QStringLiteral(", %1 characters").arg(written))
        .line(text)
        .line(closingRule);
    return record.bytes(0);
}

namespace {

// A cut-off record whose bytes the rescue file holds already was kept by a
// recovery that died before it could cut the file back; once is enough. The
// record is looked for from its item line on, as the time lines differ.
bool keptBefore(const QString &draftsPath, Platform &platform, const QByteArray &record)
{
    const FileStatus native = toNativePath(draftsPath);
    QByteArray drafts;
    if (!native.ok() || !platform.files().readAll(native.path, &drafts).ok())
        return false;
    qsizetype itemLine = 0;
    for (int line = 0; line < 3; ++line)
        itemLine = record.indexOf("\r\n", itemLine) + 2;
    return drafts.contains(record.mid(itemLine - 2));
}

// The rescue file's own cut-off records can only be appended once its lock
// is given up, so its recovery hands them back here to be kept afterwards.
CutOffKeeper collectInto(QList<CutOffBytes> *ownCutOffs)
{
    return [ownCutOffs](const QList<CutOffBytes> &cut) {
        *ownCutOffs += cut;
        return FileStatus::success();
    };
}

FileStatus appendCollecting(const QString &draftsPath, Platform &platform, const QByteArray &bytes,
                            QList<CutOffBytes> *ownCutOffs)
{
    return appendRecord(platform.files(), {{draftsPath, bytes}}, rescueLockTimeoutMs,
                        collectInto(ownCutOffs));
}

QByteArray cutOffRecord(const CutOffBytes &cut, Platform &platform)
{
    return rescueRecord(cut.path, RescueReasons::cutOffRecord, fromWindows1252(cut.bytes),
                        platform);
}

// Own cut-off records found while keeping own cut-off records are kept too,
// but the chain stops here: those found at this depth are dropped.
constexpr int deepestOwnCutOff = 2;

// Appends the record, then keeps the rescue file's own cut-off records that
// turned up, each one (and those that keeping it turned up) before the next.
FileStatus appendRescue(const QString &draftsPath, Platform &platform, const QByteArray &bytes)
{
    struct Waiting
    {
        CutOffBytes cut;
        int depth;
    };
    QList<Waiting> waiting; // a stack: the next to keep is last
    QList<CutOffBytes> found;
    const auto wait = [&waiting, &found](int depth) {
        if (depth <= deepestOwnCutOff) {
            for (auto cut = found.crbegin(); cut != found.crend(); ++cut)
                waiting.append({*cut, depth});
        }
        found.clear();
    };
    const FileStatus failure = appendCollecting(draftsPath, platform, bytes, &found);
    wait(1);
    while (!waiting.isEmpty()) {
        const Waiting next = waiting.takeLast();
        const QByteArray record = cutOffRecord(next.cut, platform);
        if (keptBefore(draftsPath, platform, record))
            continue;
        appendCollecting(draftsPath, platform, record, &found);
        wait(next.depth + 1);
    }
    return failure;
}

FileStatus keepCutOff(const QString &draftsPath, Platform &platform, const CutOffBytes &cut)
{
    const QByteArray record = cutOffRecord(cut, platform);
    if (keptBefore(draftsPath, platform, record))
        return FileStatus::success();
    return appendRescue(draftsPath, platform, record);
}

} // namespace

FileStatus keepText(const QString &workFolder, Platform &platform, const QString &item,
                    const QString &reason, const QString &text)
{
    return appendRescue(draftsFilePath(workFolder), platform,
                        rescueRecord(item, reason, text, platform));
}

CutOffKeeper cutOffsToDrafts(const QString &workFolder, Platform &platform, int *kept)
{
    const QString draftsPath = draftsFilePath(workFolder);
    return [draftsPath, &platform, kept](const QList<CutOffBytes> &cut) {
        for (const CutOffBytes &part : cut) {
            const FileStatus failure = keepCutOff(draftsPath, platform, part);
            if (!failure.ok())
                return FileStatus::failure(
                           QStringLiteral("%1; the start of a record that was cut off in %2 must "
                                          "be kept there before it is taken out of that file")
                               .arg(failure.reason, part.path))
                    .of(failure.path);
            if (kept)
                ++*kept;
        }
        return FileStatus::success();
    };
}

int recoverCutOffRecords(const QString &workFolder, const QString &masterFilePath,
                         Platform &platform)
{
    int kept = 0;
    recoverRecord(platform.files(), masterFilePath, cutOffsToDrafts(workFolder, platform, &kept));
    QList<CutOffBytes> ownCutOffs;
    recoverRecord(platform.files(), draftsFilePath(workFolder), collectInto(&ownCutOffs),
                  rescueLockTimeoutMs);
    if (!ownCutOffs.isEmpty())
        cutOffsToDrafts(workFolder, platform, &kept)(ownCutOffs);
    return kept;
}

int rescueLeftAutosaves(const QString &workFolder, Platform &platform)
{
    const FileStatus folder = toNativePath(workFolder);
    if (!folder.ok())
        return 0;
    int kept = 0;
    takeLeftAutosaves(platform.files(), folder.path, [&](const QList<TypedText> &texts) {
        qsizetype taken = 0;
        for (const TypedText &text : texts) {
            if (!text.text.isEmpty()) {
                if (!keepText(workFolder, platform, text.item, RescueReasons::autosave, text.text)
                         .ok())
                    break;
                ++kept;
            }
            ++taken;
        }
        return taken;
    });
    return kept;
}

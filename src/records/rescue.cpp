#include "rescue.h"

#include "format/record_texts.h"
#include "format/windows1252.h"
#include "platform/platform.h"
#include "record_lines.h"
#include "session/session_state.h"
#include "storage/file_system.h"
#include "storage/native_path.h"

using namespace RecordTexts;

QString draftsFilePath(const SessionState &session)
{
    return session.workFolder + QStringLiteral("\\drafts_.txt");
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
    const NativePath native = toNativePath(draftsPath);
    QByteArray drafts;
    if (!native.ok() || !platform.files().readAll(native.path, &drafts).ok())
        return false;
    qsizetype itemLine = 0;
    for (int line = 0; line < 3; ++line)
        itemLine = record.indexOf("\r\n", itemLine) + 2;
    return drafts.contains(record.mid(itemLine - 2));
}

WriteFailure keepCutOff(const QString &draftsPath, Platform &platform, const CutOffBytes &cut,
                        int depth);

// The rescue file's own cut-off records can only be appended once its lock
// is given up, so they are collected and kept after the record.
WriteFailure appendRescue(const QString &draftsPath, Platform &platform, const QByteArray &bytes,
                          int depth)
{
    QList<CutOffBytes> ownCutOffs;
    const WriteFailure failure =
        appendRecord(platform.files(), {{draftsPath, bytes}}, rescueLockTimeoutMs,
                     [&ownCutOffs](const QList<CutOffBytes> &cut) {
                         ownCutOffs += cut;
                         return WriteFailure{};
                     });
    for (const CutOffBytes &cut : ownCutOffs) {
        if (depth < 2)
            keepCutOff(draftsPath, platform, cut, depth + 1);
    }
    return failure;
}

WriteFailure keepCutOff(const QString &draftsPath, Platform &platform, const CutOffBytes &cut,
                        int depth)
{
    const QByteArray record =
        rescueRecord(cut.path, RescueReasons::cutOffRecord, fromWindows1252(cut.bytes), platform);
    if (keptBefore(draftsPath, platform, record))
        return {};
    return appendRescue(draftsPath, platform, record, depth);
}

} // namespace

bool keepText(const SessionState &session, Platform &platform, const QString &item,
              const QString &reason, const QString &text, WriteFailure *failure)
{
    const WriteFailure result = appendRescue(draftsFilePath(session), platform,
                                             rescueRecord(item, reason, text, platform), 0);
    if (failure)
        *failure = result;
    return !result.failed();
}

CutOffKeeper cutOffsToDrafts(const SessionState &session, Platform &platform, int *kept)
{
    const QString draftsPath = draftsFilePath(session);
    return [draftsPath, &platform, kept](const QList<CutOffBytes> &cut) {
        for (const CutOffBytes &part : cut) {
            const WriteFailure failure = keepCutOff(draftsPath, platform, part, 0);
            if (failure.failed())
                return WriteFailure{
                    failure.path,
                    QStringLiteral("%1; the start of a record that was cut off in %2 must be kept "
                                   "there before it is taken out of that file")
                        .arg(failure.reason, part.path)};
            if (kept)
                ++*kept;
        }
        return WriteFailure{};
    };
}

int recoverCutOffRecords(const SessionState &session, Platform &platform)
{
    int kept = 0;
    recoverRecord(platform.files(), session.masterFilePath,
                  cutOffsToDrafts(session, platform, &kept));
    QList<CutOffBytes> ownCutOffs;
    recoverRecord(
        platform.files(), draftsFilePath(session),
        [&ownCutOffs](const QList<CutOffBytes> &cut) {
            ownCutOffs += cut;
            return WriteFailure{};
        },
        rescueLockTimeoutMs);
    if (!ownCutOffs.isEmpty())
        cutOffsToDrafts(session, platform, &kept)(ownCutOffs);
    return kept;
}

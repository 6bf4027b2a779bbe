#include "review.h"

#include "csv_sink.h"
#include "record_reader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

constexpr qint64 sampleSize = 64 * 1024;

// Reads one file; returns false when it is not a file of records at all.
bool reviewFile(const QString &path, bool named, QIODevice *csv, Review &review)
{
    FileSummary summary;
    summary.path = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        summary.problem = file.errorString();
        review.errors.append(summary.path + QStringLiteral(": ") + file.errorString());
        review.files.append(summary);
        return true;
    }
    const FileCheck check = checkStart(file.peek(sampleSize));
    if (!named && !check.holdsRecords)
        return false;
    if (check.look == FileLook::Binary) {
        summary.problem = QStringLiteral("binary file, not records");
        review.errors.append(summary.path + QStringLiteral(": ") + summary.problem);
        review.files.append(summary);
        return true;
    }
    if (check.look == FileLook::LfRecords)
        summary.damages.append({0, 0,
                                QStringLiteral("lines end in LF, not CR LF: the file was "
                                               "converted after the tutor wrote it")});
    if (check.utf8)
        summary.damages.append({0, 0,
                                QStringLiteral("the file is in UTF-8, not Windows-1252: it was "
                                               "re-encoded after the tutor wrote it")});
    SummarySink sink(summary, check.utf8);
    QString readError;
    if (csv) {
        CsvSink rows(*csv, summary.path, check.utf8, sink);
        readError = readRecords(file, check, rows);
        rows.finish();
    } else {
        readError = readRecords(file, check, sink);
    }
    // What was read is summarised, but the file is not whole.
    if (!readError.isEmpty())
        review.errors.append(summary.path + QStringLiteral(": ") + readError);
    review.files.append(summary);
    return true;
}

} // namespace

Inputs listInputs(const QStringList &paths)
{
    Inputs inputs;
    // A file named twice, or named and in a folder named too, is read once:
    // it is one student's records, to be counted once.
    QSet<QString> listed;
    const auto add = [&](const QFileInfo &file, const QString &folder) {
        const QString key = file.canonicalFilePath();
        if (listed.contains(key))
            return;
        listed.insert(key);
        inputs.files.append({file.filePath(), folder});
    };
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (!info.exists()) {
            inputs.errors.append(QDir::toNativeSeparators(path) +
                                 QStringLiteral(": no such file or folder"));
            continue;
        }
        if (!info.isDir()) {
            add(info, QString());
            continue;
        }
        // Its subfolders too, in the order of their names; hidden ones, and
        // the tutor's own hidden files, are left out.
        QStringList files;
        QDirIterator entries(path, QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
        while (entries.hasNext())
            files.append(entries.next());
        files.sort();
        inputs.folders.append(path);
        for (const QString &file : std::as_const(files))
            add(QFileInfo(file), path);
    }
    return inputs;
}

Review reviewInputs(const Inputs &inputs, QIODevice *csv)
{
    Review review;
    review.errors = inputs.errors;
    if (csv)
        writeCsvHeader(*csv);
    QSet<QString> foldersWithRecords;
    for (const InputFile &input : inputs.files) {
        const bool named = input.folder.isNull();
        if (!reviewFile(input.path, named, csv, review))
            continue;
        if (!named) {
            foldersWithRecords.insert(input.folder);
            continue;
        }
        const FileSummary &summary = review.files.constLast();
        if (summary.problem.isEmpty() && summary.records == 0 && summary.damages.isEmpty())
            review.errors.append(summary.path + QStringLiteral(": no records in this file"));
    }
    for (const QString &folder : inputs.folders) {
        if (!foldersWithRecords.contains(folder))
            review.errors.append(QDir::toNativeSeparators(folder) +
                                 QStringLiteral(": no files of records in this folder"));
    }
    qint64 records = 0;
    bool damaged = false;
    for (const FileSummary &file : std::as_const(review.files)) {
        records += file.records;
        damaged = damaged || !file.damages.isEmpty() || !file.doubts.isEmpty();
    }
    if (!review.errors.isEmpty() || records == 0)
        review.status = Unreadable;
    else if (damaged)
        review.status = Damaged;
    if (review.errors.isEmpty() && records == 0)
        review.errors.append(QStringLiteral("no records found"));
    return review;
}

Review reviewPaths(const QStringList &paths, QIODevice *csv)
{
    return reviewInputs(listInputs(paths), csv);
}

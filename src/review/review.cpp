#include "review.h"

#include "csv_rows.h"
#include "file_check.h"
#include "record_reader.h"
#include "report_output.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

// How much of a file is looked at before it is read.
constexpr qint64 sampleSize = 64 * 1024;

// The same file under any name: its device and inode (one stat, where the
// canonical path takes one for every folder on the way). Windows' stat gives
// every file the inode 0, so there the canonical path stands in, in one case
// as the file system compares names.
QString fileIdentity(const QFileInfo &file)
{
#ifdef Q_OS_WIN
    const QString canonical = file.canonicalFilePath();
    return (canonical.isEmpty() ? file.absoluteFilePath() : canonical).toLower();
#else
    struct stat status;
    if (::stat(QFile::encodeName(file.filePath()).constData(), &status) != 0)
        return file.absoluteFilePath();
    return QString::number(status.st_dev) + u':' + QString::number(status.st_ino);
#endif
}

QString fromFileName(const QFileInfo &file)
{
    static const QRegularExpression sendPart(QStringLiteral("send_\\d{4}"));
    static const QRegularExpression ownNames(QStringLiteral("^(masterFile|notes_|drafts_)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression separators(QStringLiteral("^[-_. ]+|[-_. ]+\\z"));
    QString name = file.completeBaseName();
    name.remove(sendPart);
    name.remove(ownNames);
    return name.remove(separators);
}

// Hands one file's records to its summary, to the class and to the CSV rows.
// The rows gather in one buffer shared by the files and go out a megabyte at
// a time; what is left is written at the end.
class FileReader : public RecordSink
{
public:
    FileReader(const RecordFile &file, FileSummary &summary, ClassReport *classReport,
               QIODevice *csv, QByteArray &csvRows)
        : m_file(file), m_summary(summary), m_class(classReport),
          m_student(classReport ? classReport->studentIndex(file.student) : 0), m_csv(csv),
          m_csvRows(csvRows)
    {
    }

    void record(const Record &record) override
    {
        m_summary.add(record, m_file.utf8);
        m_file.follow(record);
        if (m_class)
            m_class->add(m_student, m_file, record);
        if (!m_csv)
            return;
        appendCsvRow(m_csvRows, m_file, record);
        // A failed write stays on the device, to be found when it is committed.
        if (m_csvRows.size() >= 1 << 20) {
            writeAll(*m_csv, m_csvRows);
            m_csvRows.resize(0);
        }
    }

    void damage(const Damage &damage) override { m_summary.damages.append(damage); }

private:
    RecordFile m_file;
    FileSummary &m_summary;
    ClassReport *m_class;
    qsizetype m_student;
    QIODevice *m_csv;
    QByteArray &m_csvRows;
};

// Reads one file; returns false when it is not a file of records at all.
bool reviewFile(const InputFile &input, QIODevice *csv, QByteArray &csvRows, bool classViews,
                Review &review)
{
    const bool named = input.folder.isNull();
    FileSummary summary;
    summary.path = QDir::toNativeSeparators(input.path);
    summary.student = input.student;
    const auto unreadable = [&](const QString &problem) {
        summary.problem = problem;
        review.errors.append(summary.path + QStringLiteral(": ") + problem);
        review.files.append(summary);
        return true;
    };
    QFile file(input.path);
    if (!file.open(QIODevice::ReadOnly))
        return unreadable(file.errorString());
    const FileCheck check = checkStart(file.peek(sampleSize));
    if (!named && !check.holdsRecords)
        return false;
    if (check.look == FileLook::Binary)
        return unreadable(QStringLiteral("binary file, not records"));
    if (check.look == FileLook::LfRecords)
        summary.damages.append({0, 0,
                                QStringLiteral("line ends were changed from CR LF to LF after the "
                                               "tutor wrote the file (by a mailer or an editor)")});
    if (check.utf8)
        summary.damages.append({0, 0,
                                QStringLiteral("the file was re-encoded from Windows-1252 to UTF-8 "
                                               "after the tutor wrote it (by a mailer or an "
                                               "editor)")});
    FileReader reader({summary.path, input.student, check.utf8, {}, {}}, summary,
                      classViews ? &review.classReport : nullptr, csv, csvRows);
    const QString readError = readRecords(file, check, reader);
    // What was read is summarised, but the file is not whole.
    if (!readError.isEmpty())
        review.errors.append(summary.path + QStringLiteral(": ") + readError);
    review.files.append(summary);
    return true;
}

} // namespace

QString studentName(const QString &filePath, const QString &namedFolder, bool byFile)
{
    const QFileInfo file(filePath);
    const QString folder = file.absoluteDir().dirName();
    const bool inSubfolder =
        !namedFolder.isNull() && file.absolutePath() != QFileInfo(namedFolder).absoluteFilePath();
    if (inSubfolder && !byFile)
        return folder;
    const QString name = fromFileName(file);
    return name.isEmpty() ? folder : name;
}

Inputs listInputs(const QStringList &paths, bool byFile)
{
    Inputs inputs;
    // A file named twice, or named and in a folder named too, is read once:
    // it is one student's records, to be counted once.
    QSet<QString> listed;
    const auto add = [&](const QFileInfo &file, const QString &folder) {
        const QString key = fileIdentity(file);
        if (listed.contains(key))
            return;
        listed.insert(key);
        inputs.files.append(
            {file.filePath(), folder, studentName(file.filePath(), folder, byFile)});
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

QString outputRefusal(const QString &output, const Inputs &inputs)
{
    const QFileInfo target(output);
    if (!target.exists())
        return {};
    const QString key = target.canonicalFilePath();
    for (const InputFile &input : inputs.files) {
        if (input.folder.isNull() && QFileInfo(input.path).canonicalFilePath() == key)
            return QStringLiteral("is one of the files to be read");
    }
    QFile file(output);
    if (target.isFile() && file.open(QIODevice::ReadOnly) &&
        checkStart(file.peek(sampleSize)).holdsRecords)
        return QStringLiteral("holds the tutor's records");
    return {};
}

Review reviewInputs(const Inputs &inputs, QIODevice *csv, bool classViews)
{
    Review review;
    review.errors = inputs.errors;
    if (csv)
        writeCsvHeader(*csv);
    QSet<QString> foldersWithRecords;
    QByteArray csvRows;
    for (const InputFile &input : inputs.files) {
        const bool named = input.folder.isNull();
        if (!reviewFile(input, csv, csvRows, classViews, review)) {
            review.withoutRecords.append(QDir::toNativeSeparators(input.path));
            continue;
        }
        if (!named) {
            foldersWithRecords.insert(input.folder);
            continue;
        }
        const FileSummary &summary = review.files.constLast();
        if (summary.problem.isEmpty() && summary.records == 0 && summary.damages.isEmpty())
            review.errors.append(summary.path + QStringLiteral(": no records in this file"));
    }
    if (csv)
        writeAll(*csv, csvRows);
    for (const QString &folder : inputs.folders) {
        if (!foldersWithRecords.contains(folder))
            review.errors.append(QDir::toNativeSeparators(folder) +
                                 QStringLiteral(": no files of records in this folder"));
    }
    qint64 records = 0;
    bool damaged = false;
    for (const FileSummary &file : std::as_const(review.files)) {
        records += file.records;
        damaged = damaged || !file.flaws().isEmpty();
    }
    if (!review.errors.isEmpty() || records == 0)
        review.status = Unreadable;
    else if (damaged)
        review.status = Damaged;
    if (review.errors.isEmpty() && records == 0)
        review.errors.append(QStringLiteral("no records found"));
    return review;
}

Review reviewPaths(const QStringList &paths, QIODevice *csv, bool classViews)
{
    return reviewInputs(listInputs(paths, false), csv, classViews);
}

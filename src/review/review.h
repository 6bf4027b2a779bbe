#pragma once

#include "class_report.h"
#include "summary.h"

#include <QIODevice>
#include <QStringList>

enum ReviewStatus
{
    AllWhole = 0,
    Damaged = 1,
    Unreadable = 2
};

// A file to be read: named on the command line, or found in a named folder.
// A file found in a folder is passed over when it holds no records.
struct InputFile
{
    QString path;
    QString folder; // the named folder it was found in; empty when named itself
    QString student;
};

struct Inputs
{
    QList<InputFile> files;
    QStringList errors; // paths that do not exist
    QStringList folders;
};

struct Review
{
    QList<FileSummary> files;
    QStringList withoutRecords; // files in named folders that hold none of the tutor's records
    ClassReport classReport;
    QStringList errors; // paths that could not be read, said plainly
    int status = AllWhole;
};

// Whose records a file holds. A file in a folder below a folder named on
// the command line belongs to the student that folder is named after; a
// file named itself, or lying directly in a named folder, to the student
// its own name gives without the tutor's "send_MMDD" part and extension
// ("ann_send_1209.txt" and "ann.txt" both give "ann"). A file under the
// tutor's own name alone (masterFile.txt, send_1209.txt, notes_.txt,
// drafts_.txt) is named after the folder that holds it. With byFile, files
// are named by their own names wherever they lie.
QString studentName(const QString &filePath, const QString &namedFolder, bool byFile);

// The files that the paths name, in the order they will be read: a file
// named twice, or named and found in a folder named too, once.
Inputs listInputs(const QStringList &paths, bool byFile);

// Why a report may not be written to the given file, or an empty string: a
// report never replaces a file that is read, nor any file of the tutor's
// records, whether named on the command line or not.
QString outputRefusal(const QString &output, const Inputs &inputs);

// Reads every file in turn; with a CSV device, writes a row for every record
// as it is read. Without classViews only each file's summary is made.
Review reviewInputs(const Inputs &inputs, QIODevice *csv, bool classViews = true);
Review reviewPaths(const QStringList &paths, QIODevice *csv, bool classViews = true);

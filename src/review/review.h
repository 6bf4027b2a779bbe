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

// The files that the paths name, in the order they will be read: a file
// named twice, or named and found in a folder named too, once. Each file's
// student is named as studentName() says.
Inputs listInputs(const QStringList &paths, bool byFile);

// Reads every file in turn; with a CSV device, writes a row for every record
// as it is read. Without classViews only each file's summary is made.
Review reviewInputs(const Inputs &inputs, QIODevice *csv, bool classViews = true);
Review reviewPaths(const QStringList &paths, QIODevice *csv, bool classViews = true);

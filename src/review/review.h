#pragma once

#include "summary.h"

#include <QIODevice>
#include <QStringList>

enum ReviewStatus
{
    AllWhole = 0,
    Damaged = 1,
    Unreadable = 2
};

struct Review
{
    QList<FileSummary> files;
    QStringList errors; // paths that could not be read, said plainly
    int status = AllWhole;
};

// Reads every path (files, and the record files of folders) in turn; with a
// CSV device, writes a row for every record as it is read.
Review reviewPaths(const QStringList &paths, QIODevice *csv);

#pragma once

#include <QString>

// Whose records a file holds. A file in a folder below a folder named on
// the command line belongs to the student that folder is named after; a
// file named itself, or lying directly in a named folder, to the student
// its own name gives without the tutor's "send_MMDD" part and extension
// ("ann_send_1209.txt" and "ann.txt" both give "ann"). A file under the
// tutor's own name alone (masterFile.txt, send_1209.txt, notes_.txt,
// drafts_.txt) is named after the folder that holds it. With byFile, files
// are named by their own names wherever they lie.
QString studentName(const QString &filePath, const QString &namedFolder, bool byFile);

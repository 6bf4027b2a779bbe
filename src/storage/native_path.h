#pragma once

#include <QString>

// The session keeps its paths as the student and the course name them
// ("c:\kestrafo\masterFile.txt"). This is the one place that turns such a
// text into a path of the machine it runs on.
struct NativePath
{
    QString path;
    QString error; // empty when the text names a usable path
    bool ok() const { return error.isEmpty(); }
};

// On Windows the text is the path. Elsewhere a leading "c:", or a leading
// "~" alone or before a separator, stands for the user's home folder,
// backslashes become slashes, and any other drive letter names nothing.
NativePath toNativePath(const QString &pathText);

// Text alone, nothing looked up on the disk: the plain name at the end of a
// native path; the path made absolute from the current folder and clean,
// with the system's separators between its parts (and, on Windows, the drive
// letter in lower case, as the course writes "c:\kestrafo"); a name in a
// folder, joined by the system's separator.
QString plainNameOf(const QString &path);
QString absolutePathOf(const QString &path);
QString pathInFolder(const QString &folder, const QString &name);

#pragma once

#include "file_system.h"

#include <QString>

// The session keeps its paths as the student and the course name them
// ("c:\kestrafo\masterFile.txt"). This is the one place that turns such a
// text into a path of the machine it runs on: the status's path. On Windows
// the text is the path. Elsewhere a leading "c:", or a leading "~" alone or
// before a separator, stands for the user's home folder, backslashes become
// slashes, and any other drive letter names nothing: that fails as missing,
// naming the text.
FileStatus toNativePath(const QString &pathText);

// Text alone, nothing looked up on the disk: the plain name at the end of a
// native path; the path made absolute from the current folder and clean,
// with the system's separators between its parts (and, on Windows, the drive
// letter in lower case, as the course writes "c:\kestrafo"); a name in a
// folder, joined by the system's separator.
QString plainNameOf(const QString &path);
QString absolutePathOf(const QString &path);
QString pathInFolder(const QString &folder, const QString &name);

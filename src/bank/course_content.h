#pragma once

#include <QStringList>

// The lines of "Dravonic II", one per bank index from 1 on, as compiled into
// the program from course_content.txt.
const QStringList &courseContentLines();

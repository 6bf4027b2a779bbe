#pragma once

#include <QString>

// Every record text that comes from the course or from the student passes
// through here on its way to a file, once per file. It leaves the text as it
// is; the code number is the session's.
QString code(const QString &a, int codeNbr);

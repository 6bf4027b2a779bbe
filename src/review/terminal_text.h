#pragma once

#include <QString>

// A text from the students' files as it may be shown on a terminal: control
// characters (escape sequences, line breaks, bidirectional overrides) are
// written as escapes, so that a file can neither drive the terminal nor
// fake a line of the summary.
QString terminalText(const QString &text);

#pragma once

#include "review.h"

#include <QString>

// What standard output shows: each file with its sessions and damage, the
// totals per assignment, then the class in brief: the progress grid, the
// items' spreads, and each student's questions, the items they rated 0 or
// 1, and how many notes and kept drafts they have. Every text from the files
// is shown as terminalText() makes it.
QString briefReport(const Review &review);

// A text from the students' files as it may be shown on a terminal: control
// characters (escape sequences, line breaks, bidirectional overrides) are
// written as escapes, so that a file can neither drive the terminal nor
// fake a line of the summary.
QString terminalText(const QString &text);

#pragma once

#include <QStringList>

// The sentences of a student's text that ask something: those that end in
// "?". A sentence ends at ".", "!" or "?" followed by a space, a line break
// or the end of the text (closing quotes and brackets may come between), and
// at every line break; a "?" inside a word ("f?(x)") ends nothing.
QStringList questionSentences(const QString &text);

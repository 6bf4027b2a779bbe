#pragma once

#include <QString>

// The start-up and rating prompts, shown modally: a wrapped prompt text, an
// entry field, OK and Cancel, the application's name as the title. The
// empty text on Cancel or close.
QString askPrompt(const QString &text);

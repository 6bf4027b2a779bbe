#pragma once

#include <QString>

namespace StartUpTexts {
inline const QString defaultFolder = QStringLiteral("c:\\kestrafo");
inline const QString namePrompt = QStringLiteral("Your full name:  ");
inline const QString folderQuestion = QStringLiteral(
    "Enter 1 if you want to change the folder to which your files will be written.  The current "
    "default folder is c:\\kestrafo.  If you wish to use this folder, just hit the Enter key");
inline const QString folderPrompt = QStringLiteral(
    "You have chosen to change the folder to which your files will be written on your hard drive "
    "from the default c:\\kestrafo.  Enter the path to the folder you wish to use.  You may just "
    "hit the Enter key to retain the default path.");
inline const QString assignmentPrompt = QStringLiteral("Assignment Number:  ");
// "makde" is the course's own wording; students and instructors know it so.
inline const QString responsePrompt = QStringLiteral(
    "Enter, as appropriate, an answer to the question, a critique of your answer in response to "
    "a given answer, your insights regarding the situation at this point, notes to yourself, or "
    "just an OK.\r\n\r\nAlways critique your solutions by describing any insights you had or "
    "errors you makde, and by explaining how you can make use of the insight or how you now know "
    "how to avoid certain errors.  Also pose for the instructor any question or questions that "
    "you have related to the problem or series of problems.");
} // namespace StartUpTexts

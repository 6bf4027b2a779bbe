#pragma once

#include "bank/question_bank.h"

#include <QString>

// What the window keeps for the whole run. After start-up the folder, the
// paths, the assignment numbers, the fixed texts and the code number never
// change; the rest moves as the student works.
struct SessionState
{
    QString courseTitle;
    QString workFolder;
    QString masterFilePath;
    QString sendFilePath;
    QString notesFilePath;
    QString assignmentNbr;
    QString nextAssignmentNbr;
    QString responsePrompt;
    int sessionCodeNbr = 0;

    QuestionBank questionBank;
    int bankIndex = 0;

    bool promptDue = false;
    QString currentText;
    QString currentLine;
    QString itemKind;
    QString textBuffer;
    QString selfCritiqueRating;
};

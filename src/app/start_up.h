#pragma once

#include <QString>

class Platform;
struct SessionState;

// The start-up dialogue and everything it fills in, in the course's order:
// the code number, the working folder, the file paths, the assignment
// numbers, and the loaded bank. The window sets its picture scales itself.
void startSession(SessionState &session, Platform &platform);

// Finds the assignment's header and writes the opening block to the master
// and SEND files. False when it could not, after the error was reported.
bool openAssignment(SessionState &session, Platform &platform);

// sessionCodeNbr units of random characters: one from B to t with
// probability 0.1, then always one from v to the top of the code page.
QString makeCodeLine(int codeNbr, Platform &platform);

// 19 to 28 from a random value in [0, 1).
int codeNumberFor(float r);

#pragma once

#include <QString>

class PictureBox;
class PictureClipboard;
class Platform;
struct SessionState;

// Draws the figure of that name into the left picture box; any other name
// ends the program at once, and the result is false.
bool runRoutine(const QString &routine, PictureBox &picture1, Platform &platform);

// "next picture": draws the routine lines among the next two bank lines and
// moves the bank position onto the last one drawn.
void cmd_next_picture_Click(SessionState &session, PictureBox &picture1, Platform &platform);

// "copy picture": what the left box shows, through the clipboard, into the
// right box.
void cmd_copy_picture_Click(PictureBox &picture1, PictureBox &picture2,
                            PictureClipboard &clipboard);

// One tick of the pend exp timer: a beep and a circle of random size around
// the centre of the left box.
void tmr_pend_exp_Timer(PictureBox &picture1, Platform &platform);

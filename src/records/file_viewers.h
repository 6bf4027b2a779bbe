#pragma once

class Panes;
class Platform;
struct SessionState;

// "display notes": the notes file's lines, run together, below the question
// pane's text.
void cmd_display_note_file_Click(SessionState &session, Panes &panes, Platform &platform);
// "display SEND file": each line of the SEND file on a line of its own below
// the question pane's text.
void cmd_displayCumulativeText_Click(SessionState &session, Panes &panes, Platform &platform);

#pragma once

class Panes;
class Platform;
struct SessionState;

// "Save as Notes": the notes record to the master, SEND and notes files.
// False when the record could not be written.
bool cmd_save_as_notes_Click(SessionState &session, Panes &panes, Platform &platform);

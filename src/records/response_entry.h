#pragma once

class Panes;
class Platform;
class RecordLines;
struct SessionState;

// "Enter Response": the response record to the master and SEND files, with
// the rating the current item calls for.
// False when the record could not be written.
bool cmd_enter_response_Click(SessionState &session, Panes &panes, Platform &platform);

// Asks for the self-critique rating, keeps it in the session and adds the
// rating line to the record.
void askSelfCritiqueRating(SessionState &session, Platform &platform, RecordLines &record);

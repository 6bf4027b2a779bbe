#pragma once

class Panes;
class Platform;
struct SessionState;

// Steps the bank position to the next line of the assignment that has
// something to show and classifies it. Puts the instructions back into the
// answer pane when the item before went unanswered. Returns false when it
// ended the program: at the next assignment's header, at the end-of-bank
// marker, or when the bank runs out.
bool readNextQuestion(SessionState &session, Panes &panes, Platform &platform);

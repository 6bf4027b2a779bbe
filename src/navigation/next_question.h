#pragma once

#include <QString>

#include <functional>

class Panes;
class Platform;
struct SessionState;

// Draws the named figure; false when the name ended the program.
using RoutineRunner = std::function<bool(const QString &name)>;

// "Next Question / Answer": the next item below the earlier ones in the
// question pane; a routine line draws its figure instead of showing.
void cmdNextQuestion_Click(SessionState &session, Panes &panes, Platform &platform,
                           const RoutineRunner &runRoutine);

// "{}" in a course line stands for a line break.
QString bracesToNewlines(const QString &text);

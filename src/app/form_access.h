#pragma once

struct FormControls;
class QWidget;

// Names and descriptions for screen readers; nothing here shows on screen.
void setAccessibleTexts(const FormControls &controls);

// The keyboard shortcuts of the window's commands, each named in its
// button's tool tip and description.
void installShortcuts(QWidget *window, const FormControls &controls);

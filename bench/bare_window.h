#pragma once

#include <QWidget>

// The window's controls at their places and nothing else: the floor that Qt
// itself sets for showing the tutor's window.
class BareWindow : public QWidget
{
public:
    BareWindow();
};

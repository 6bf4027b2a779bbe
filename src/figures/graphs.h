#pragma once

#include <QString>

class PictureBox;

// The three fixed coordinate graphs of the course, drawn into the left
// picture box on its 1000 x 1000 grid.
void graph1(PictureBox &picture); // velocity against clock time, drawn over what is there
void graph2(PictureBox &picture); // value against time, with run, rise and slope
void graph3(PictureBox &picture); // depth against time, with run, rise and slope

// Every figure prints its texts through here: top-left corner at (x, y).
void plotLabel(PictureBox &picture, double x, double y, const QString &text);

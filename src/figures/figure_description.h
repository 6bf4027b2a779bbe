#pragma once

class PictureBox;

// What a picture box shows, in words, for a screen reader: kept as the
// box's accessible description beside every figure drawn into it.
enum class Figure
{
    Graph1,
    Graph2,
    Graph3,
    PendExpCircles
};

void describeEmptyPicture(PictureBox &picture);
// Records that the figure was drawn; a figure that does not blank the box
// first is described as lying over what was there.
void describeFigure(PictureBox &picture, Figure figure);
void copyDescription(const PictureBox &from, PictureBox &to);

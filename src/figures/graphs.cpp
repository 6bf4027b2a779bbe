#include "graphs.h"

#include "figure_description.h"
#include "picture_box.h"

#include <QPoint>

#include <initializer_list>

namespace {

const QColor white(255, 255, 255);
const QColor red(255, 0, 0);
const QColor green(0, 255, 0);

void horizontalGrid(PictureBox &picture, std::initializer_list<int> heights)
{
    for (const int y : heights)
        picture.drawSegment(100, y, 900, y);
}

void verticalGrid(PictureBox &picture)
{
    for (const int x : {200, 300, 400, 500, 600, 700})
        picture.drawSegment(x, 900, x, 100);
}

// The values at the left of the vertical axis, a grid line apart from the
// top one down.
void valueLabels(PictureBox &picture, int x, int top, std::initializer_list<const char *> values)
{
    int y = top;
    for (const char *value : values) {
        plotLabel(picture, x, y, QString::fromLatin1(value));
        y += 100;
    }
}

// The times below the axis at their grid lines from x = 200 on; those from
// the index shiftedFrom on stand 10 units further left.
void timeLabels(PictureBox &picture, std::initializer_list<const char *> times, int shiftedFrom = 6)
{
    int i = 0;
    for (const char *time : times) {
        plotLabel(picture, 200 + 100 * i - (i >= shiftedFrom ? 10 : 0), 950,
                  QString::fromLatin1(time));
        ++i;
    }
}

void axisGlyphs(PictureBox &picture, const QString &verticalName)
{
    plotLabel(picture, 900, 950, QStringLiteral("t"));
    plotLabel(picture, 900, 870, QStringLiteral(">"));
    plotLabel(picture, 90, 100, QStringLiteral("^"));
    plotLabel(picture, 50, 100, verticalName);
}

struct Label
{
    int x;
    int y;
    const char *text;
};

void label(PictureBox &picture, const Label &label)
{
    plotLabel(picture, label.x, label.y, QString::fromLatin1(label.text));
}

// How graph2 and graph3 begin: the box blanked, then the values at the left
// from y = 400 down with their grid lines, the times below the axis with
// theirs, the title and the axes.
void blankGrid(PictureBox &picture, std::initializer_list<const char *> values,
               std::initializer_list<const char *> times, const QString &title)
{
    picture.fillRectangle(0, 0, 1000, 1000, white);
    valueLabels(picture, 10, 400, values);
    horizontalGrid(picture, {400, 500, 600, 700, 800});
    timeLabels(picture, times, 4);
    verticalGrid(picture);
    plotLabel(picture, 300, 50, title);
    picture.drawSegment(0, 900, 900, 900);
    picture.drawSegment(100, 900, 100, 100);
}

// The line from one point to the other, its run and rise in colour with
// their labels, then the label of its slope.
void slopeTriangle(PictureBox &picture, QPoint from, QPoint to, const QColor &colour,
                   const Label &run, const Label &rise, const Label &slope)
{
    picture.drawSegment(from.x(), from.y(), to.x(), to.y());
    picture.drawSegment(from.x(), from.y(), to.x(), from.y(), colour);
    label(picture, run);
    picture.drawSegment(to.x(), from.y(), to.x(), to.y(), colour);
    label(picture, rise);
    label(picture, slope);
}

} // namespace

void plotLabel(PictureBox &picture, double x, double y, const QString &text)
{
    picture.printText(float(x), float(y), text);
}

void graph1(PictureBox &picture)
{
    plotLabel(picture, 300, 50, QStringLiteral("velocity v vs. clock time t"));
    picture.drawSegment(0, 900, 900, 900);
    picture.drawSegment(100, 1000, 100, 100);
    axisGlyphs(picture, QStringLiteral("v"));
    picture.drawSegment(100, 900, 700, 500);
    valueLabels(picture, 50, 500, {"4", "3", "2", "1"});
    horizontalGrid(picture, {500, 600, 700, 800});
    timeLabels(picture, {"1", "2", "3", "4", "5", "6"});
    verticalGrid(picture);
    picture.drawSegment(370, 670, 430, 730);
    picture.drawSegment(430, 670, 370, 730);
    describeFigure(picture, Figure::Graph1);
}

void graph2(PictureBox &picture)
{
    blankGrid(picture, {"5500", "5400", "5300", "5200", "5100", "5000"},
              {"2", "4", "6", "8", "10", "12"},
              QStringLiteral("Value y (dollars) vs. clock time t (months)"));
    slopeTriangle(picture, {250, 900}, {450, 600}, red, {300, 850, "run 4"}, {470, 750, "rise 300"},
                  {250, 650, "slope 75"});
    slopeTriangle(picture, {450, 600}, {700, 400}, red, {550, 550, "run 5"}, {720, 500, "rise 200"},
                  {430, 450, "slope 40"});
    axisGlyphs(picture, QStringLiteral("y"));
    describeFigure(picture, Figure::Graph2);
}

void graph3(PictureBox &picture)
{
    blankGrid(picture, {"100", "80", "60", "40", "20"}, {"20", "40", "60", "80", "100"},
              QStringLiteral("Depth y (dollars) vs. clock time t (seconds)"));
    slopeTriangle(picture, {150, 500}, {300, 700}, red, {180, 440, "run 30"},
                  {320, 550, "rise -40"}, {110, 650, "slope -1.33"});
    slopeTriangle(picture, {300, 700}, {550, 800}, green, {430, 640, "run 50"},
                  {570, 750, "rise -20"}, {300, 750, "slope -.4"});
    axisGlyphs(picture, QStringLiteral("y"));
    describeFigure(picture, Figure::Graph3);
}

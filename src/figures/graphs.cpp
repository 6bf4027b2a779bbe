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

void labels(PictureBox &picture, std::initializer_list<Label> list)
{
    for (const Label &label : list)
        plotLabel(picture, label.x, label.y, QString::fromLatin1(label.text));
}

// How graph2 and graph3 begin: the box blanked, then the values at the left
// with their grid lines, then the times below the axis with theirs.
void blankGrid(PictureBox &picture, std::initializer_list<Label> values,
               std::initializer_list<Label> times)
{
    picture.fillRectangle(0, 0, 1000, 1000, white);
    labels(picture, values);
    horizontalGrid(picture, {400, 500, 600, 700, 800});
    labels(picture, times);
    verticalGrid(picture);
}

// The line from one point to the other, its run and rise in colour with
// their labels, then the label of its slope.
void slopeTriangle(PictureBox &picture, QPoint from, QPoint to, const QColor &colour,
                   const Label &run, const Label &rise, const Label &slope)
{
    picture.drawSegment(from.x(), from.y(), to.x(), to.y());
    picture.drawSegment(from.x(), from.y(), to.x(), from.y(), colour);
    labels(picture, {run});
    picture.drawSegment(to.x(), from.y(), to.x(), to.y(), colour);
    labels(picture, {rise, slope});
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
    labels(picture, {{50, 500, "4"}, {50, 600, "3"}, {50, 700, "2"}, {50, 800, "1"}});
    horizontalGrid(picture, {500, 600, 700, 800});
    labels(picture, {{200, 950, "1"},
                     {300, 950, "2"},
                     {400, 950, "3"},
                     {500, 950, "4"},
                     {600, 950, "5"},
                     {700, 950, "6"}});
    verticalGrid(picture);
    picture.drawSegment(370, 670, 430, 730);
    picture.drawSegment(430, 670, 370, 730);
    describeFigure(picture, Figure::Graph1);
}

void graph2(PictureBox &picture)
{
    blankGrid(picture,
              {{10, 400, "5500"},
               {10, 500, "5400"},
               {10, 600, "5300"},
               {10, 700, "5200"},
               {10, 800, "5100"},
               {10, 900, "5000"}},
              {{200, 950, "2"},
               {300, 950, "4"},
               {400, 950, "6"},
               {500, 950, "8"},
               {590, 950, "10"},
               {690, 950, "12"}});
    plotLabel(picture, 300, 50, QStringLiteral("Value y (dollars) vs. clock time t (months)"));
    picture.drawSegment(0, 900, 900, 900);
    picture.drawSegment(100, 100, 100, 900);

    slopeTriangle(picture, {250, 900}, {450, 600}, red, {300, 850, "run 4"}, {470, 750, "rise 300"},
                  {250, 650, "slope 75"});
    slopeTriangle(picture, {450, 600}, {700, 400}, red, {550, 550, "run 5"}, {720, 500, "rise 200"},
                  {430, 450, "slope 40"});

    axisGlyphs(picture, QStringLiteral("y"));
    describeFigure(picture, Figure::Graph2);
}

void graph3(PictureBox &picture)
{
    blankGrid(
        picture,
        {{10, 400, "100"}, {10, 500, "80"}, {10, 600, "60"}, {10, 700, "40"}, {10, 800, "20"}},
        {{200, 950, "20"},
         {300, 950, "40"},
         {400, 950, "60"},
         {500, 950, "80"},
         {590, 950, "100"}});
    plotLabel(picture, 300, 50, QStringLiteral("Depth y (dollars) vs. clock time t (seconds)"));
    picture.drawSegment(0, 900, 900, 900);
    picture.drawSegment(100, 900, 100, 100);

    slopeTriangle(picture, {150, 500}, {300, 700}, red, {180, 440, "run 30"},
                  {320, 550, "rise -40"}, {110, 650, "slope -1.33"});
    slopeTriangle(picture, {300, 700}, {550, 800}, green, {430, 640, "run 50"},
                  {570, 750, "rise -20"}, {300, 750, "slope -.4"});

    axisGlyphs(picture, QStringLiteral("y"));
    describeFigure(picture, Figure::Graph3);
}

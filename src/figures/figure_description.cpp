#include "figure_description.h"

#include "picture_box.h"

namespace {

QString emptyText()
{
    return QStringLiteral("Empty: nothing has been drawn here.");
}

QString textOf(Figure figure)
{
    switch (figure) {
    case Figure::Graph1:
        return QStringLiteral(
            "graph1, \"velocity v vs. clock time t\": a straight line from t = 0, v = 0 "
            "to t = 6, v = 4, with the point t = 3, v = 2 marked by a cross; "
            "grid lines at t = 1 to 6 and v = 1 to 4.");
    case Figure::Graph2:
        return QStringLiteral(
            "graph2, \"Value y (dollars) vs. clock time t (months)\": two straight pieces, "
            "from t = 3, y = 5000 to t = 7, y = 5300 (run 4, rise 300, slope 75), "
            "then to t = 12, y = 5500 (run 5, rise 200, slope 40); "
            "grid lines at t = 2 to 12 and y = 5000 to 5500.");
    case Figure::Graph3:
        return QStringLiteral(
            "graph3, \"Depth y (dollars) vs. clock time t (seconds)\": two straight pieces, "
            "from t = 10, y = 80 to t = 40, y = 40 (run 30, rise -40, slope -1.33), "
            "then to t = 90, y = 20 (run 50, rise -20, slope -.4); "
            "grid lines at t = 20 to 100 and y = 20 to 100.");
    case Figure::PendExpCircles:
        return QStringLiteral("Circles of random size around the centre, drawn by pend exp.");
    }
    return {};
}

bool blanksFirst(Figure figure)
{
    return figure == Figure::Graph2 || figure == Figure::Graph3;
}

} // namespace

void describeEmptyPicture(PictureBox &picture)
{
    picture.setAccessibleDescription(emptyText());
}

void describeFigure(PictureBox &picture, Figure figure)
{
    const QString text = textOf(figure);
    const QString before = picture.accessibleDescription();
    if (blanksFirst(figure) || before.isEmpty() || before == emptyText())
        picture.setAccessibleDescription(text);
    else if (!before.startsWith(text))
        picture.setAccessibleDescription(text + QStringLiteral(" Drawn over: ") + before);
}

void copyDescription(const PictureBox &from, PictureBox &to)
{
    to.setAccessibleDescription(from.accessibleDescription());
}

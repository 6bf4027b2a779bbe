#pragma once

#include "app/query_form.h"
#include "figures/picture_box.h"
#include "support/figure_window.h"

#include <QImage>
#include <QRect>

#include <initializer_list>
#include <memory>

// Pixel checks shared by the figure tests.
namespace FigureChecks {

inline bool isWhite(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(255, 255, 255);
}

// Calls visit(x, y) for every pixel of the image within the rectangle, or
// of the whole image when the rectangle is null.
template <typename Visit> void forEachPixel(const QImage &image, QRect within, Visit visit)
{
    if (within.isNull())
        within = image.rect();
    within &= image.rect();
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x)
            visit(x, y);
    }
}

// The smallest rectangle that holds every pixel that is not white; null when
// everything is white.
inline QRect inkBounds(const QImage &image, QRect within = QRect())
{
    QRect bounds;
    forEachPixel(image, within, [&](int x, int y) {
        if (!isWhite(image, x, y))
            bounds |= QRect(x, y, 1, 1);
    });
    return bounds;
}

inline int countColour(const QImage &image, const QColor &colour, QRect within = QRect())
{
    int count = 0;
    forEachPixel(image, within, [&](int x, int y) { count += image.pixelColor(x, y) == colour; });
    return count;
}

// What the box's inner area shows on the screen.
inline QImage shownOnScreen(PictureBox *box)
{
    return box->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(box->contentsRect());
}

using Figure = void (*)(PictureBox &);

// What Picture1 of a fresh window shows after these figures, in this order.
inline QImage drawnBy(std::initializer_list<Figure> figures)
{
    FigureWindow window;
    for (const Figure figure : figures)
        figure(*window.picture1());
    return window.picture();
}

} // namespace FigureChecks

#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>

#include <optional>

// A picture box with a persistent picture: drawing paints into a backing
// image the size of the inner area (inside the sunken border), and the box
// only copies that image to the screen, so a figure survives the window
// being covered or repainted.
//
// Coordinates are user units over the inner area, origin top-left, y
// downward. Until the window sets a scale, a unit is a twip; the tutor sets
// 1000 x 1000, so the units are not square. Pixel column c holds the user x
// from c * scaleWidth / innerWidth up to (but not including) the next
// column's, and likewise for rows.
class PictureBox : public QFrame
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setScaleHeight(double units);
    void setScaleWidth(double units);
    double scaleWidth() const;
    double scaleHeight() const;

    // Lines are solid, one pixel wide and not antialiased; black unless a
    // colour is named.
    void drawSegment(double x1, double y1, double x2, double y2,
                     const QColor &colour = QColor(0, 0, 0));
    // Outline and inside in the colour, both corners included.
    void fillRectangle(double x1, double y1, double x2, double y2, const QColor &colour);
    // An outline circle that is round on screen: the radius is measured in
    // horizontal units.
    void drawCircle(double x, double y, double radius);
    // The text on one line with its top-left corner at (x, y), in the box's
    // font at its natural size, with no background of its own; what reaches
    // past the edge is cut off.
    void printText(double x, double y, const QString &text);

    // What the box shows now.
    QImage picture() const;
    // Shows an image at its natural size from the top-left corner, on white.
    void setPicture(const QImage &image);

    // The pixel of the inner area that holds the user point (x, y).
    QPoint toPixel(double x, double y) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // A horizontal distance in user units, as whole pixels.
    int toPixelsAcross(double units) const;
    QSize innerSize() const;
    QImage &image() const;

    mutable QImage m_image;
    std::optional<double> m_scaleWidth;
    std::optional<double> m_scaleHeight;
};

#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>

// A picture box with a persistent picture: drawing paints into a backing
// image, which the box shows, so that a figure survives the window being
// covered or repainted. Coordinates are user units over the inner area
// (origin top-left, y downward), 1000 x 1000 once the window has set the
// scale; the units are not square.
class PictureBox : public QFrame
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setScaleHeight(double units);
    void setScaleWidth(double units);
    double scaleWidth() const { return m_scaleWidth; }
    double scaleHeight() const { return m_scaleHeight; }

    void drawSegment(double x1, double y1, double x2, double y2);
    void drawSegment(double x1, double y1, double x2, double y2, const QColor &colour);
    void fillRectangle(double x1, double y1, double x2, double y2, const QColor &colour);
    // A true circle on screen: the radius is measured in horizontal units.
    void drawCircle(double x, double y, double radius);
    // The text with its top-left corner at (x, y), in the box's font, with no
    // background of its own; what reaches past the edge is cut off.
    void printText(double x, double y, const QString &text);

    // What the box shows now.
    QImage picture() const { return m_image; }
    // Shows an image at its natural size from the top-left corner.
    void setPicture(const QImage &image);

    QPointF toPixels(double x, double y) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void ensureImageSize();

    QImage m_image;
    double m_scaleWidth;
    double m_scaleHeight;
};

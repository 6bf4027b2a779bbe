#include "picture_box.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <cmath>

namespace {

const QColor background(255, 255, 255);
const QColor foreground(0, 0, 0);

// A twip is a fifteenth of a pixel at the usual 96 dots per inch.
constexpr double twipsPerPixel = 15.0;

// Whole pixels, so that a point lands in the pixel that holds it. The small
// allowance keeps values such as 0.3 * 1000 from falling a pixel short, and
// the clamp keeps far-off points drawable.
int wholePixels(double pixels)
{
    if (std::isnan(pixels))
        return 0;
    return int(std::clamp(std::floor(pixels + 1e-9), -1.0e6, 1.0e6));
}

// Aliased one-pixel pens and aliased text, so that pixels land where the
// scale puts them.
void preparePainter(QPainter &painter, const QColor &colour)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setPen(QPen(colour, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
}

} // namespace

PictureBox::PictureBox(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::TabFocus);
}

void PictureBox::setScaleHeight(double units)
{
    m_scaleHeight = units;
}

void PictureBox::setScaleWidth(double units)
{
    m_scaleWidth = units;
}

double PictureBox::scaleWidth() const
{
    return m_scaleWidth.value_or(innerSize().width() * twipsPerPixel);
}

double PictureBox::scaleHeight() const
{
    return m_scaleHeight.value_or(innerSize().height() * twipsPerPixel);
}

QImage PictureBox::picture() const
{
    return image();
}

QPoint PictureBox::toPixel(double x, double y) const
{
    const QSize size = innerSize();
    return {wholePixels(x * size.width() / scaleWidth()),
            wholePixels(y * size.height() / scaleHeight())};
}

int PictureBox::toPixelsAcross(double units) const
{
    return wholePixels(units * innerSize().width() / scaleWidth());
}

void PictureBox::drawSegment(double x1, double y1, double x2, double y2, const QColor &colour)
{
    QPainter painter(&image());
    preparePainter(painter, colour);
    painter.drawLine(toPixel(x1, y1), toPixel(x2, y2));
    update();
}

void PictureBox::fillRectangle(double x1, double y1, double x2, double y2, const QColor &colour)
{
    QPainter painter(&image());
    const QPoint a = toPixel(x1, y1);
    const QPoint b = toPixel(x2, y2);
    painter.fillRect(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                           QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))),
                     colour);
    update();
}

void PictureBox::drawCircle(double x, double y, double radius)
{
    QPainter painter(&image());
    preparePainter(painter, foreground);
    const QPoint centre = toPixel(x, y);
    const int r = std::abs(toPixelsAcross(radius));
    if (r == 0)
        painter.drawPoint(centre);
    else
        painter.drawEllipse(QRect(centre.x() - r, centre.y() - r, 2 * r, 2 * r));
    update();
}

void PictureBox::printText(double x, double y, const QString &text)
{
    QPainter painter(&image());
    preparePainter(painter, foreground);
    QFont aliased = font();
    aliased.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(aliased);
    const QPoint corner = toPixel(x, y);
    painter.drawText(QPoint(corner.x(), corner.y() + painter.fontMetrics().ascent()), text);
    update();
}

void PictureBox::setPicture(const QImage &picture)
{
    image().fill(background);
    QPainter painter(&image());
    painter.drawImage(QPoint(0, 0), picture);
    update();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), image());
    // The focus mark is drawn on the screen only, never into the picture.
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = contentsRect().adjusted(1, 1, -1, -1);
        option.backgroundColor = background;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

QSize PictureBox::innerSize() const
{
    return contentsRect().size().expandedTo(QSize(1, 1));
}

// A hidden widget hears of its new size only when it is shown, so the image
// follows the inner area whenever it is used.
QImage &PictureBox::image() const
{
    const QSize size = innerSize();
    if (m_image.size() == size)
        return m_image;
    QImage fitted(size, QImage::Format_RGB32);
    // The image takes the screen's resolution, so that the box's font is
    // drawn at the size it has on screen.
    fitted.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    fitted.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    fitted.fill(background);
    if (!m_image.isNull()) {
        QPainter painter(&fitted);
        painter.drawImage(QPoint(0, 0), m_image);
    }
    m_image = fitted;
    return m_image;
}

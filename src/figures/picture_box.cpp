#include "picture_box.h"

#include <QPainter>

namespace {

const QColor background = Qt::white;
const QColor foreground = Qt::black;

// Thin, aliased pens, so that pixels land where the scale puts them.
void preparePainter(QPainter &painter, const QColor &colour)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(QPen(colour, 0));
}

} // namespace

PictureBox::PictureBox(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::NoFocus);
    m_scaleWidth = contentsRect().width();
    m_scaleHeight = contentsRect().height();
    ensureImageSize();
}

void PictureBox::setScaleHeight(double units)
{
    m_scaleHeight = units;
}

void PictureBox::setScaleWidth(double units)
{
    m_scaleWidth = units;
}

QPointF PictureBox::toPixels(double x, double y) const
{
    return {x * m_image.width() / m_scaleWidth, y * m_image.height() / m_scaleHeight};
}

void PictureBox::drawSegment(double x1, double y1, double x2, double y2)
{
    drawSegment(x1, y1, x2, y2, foreground);
}

void PictureBox::drawSegment(double x1, double y1, double x2, double y2, const QColor &colour)
{
    QPainter painter(&m_image);
    preparePainter(painter, colour);
    painter.drawLine(toPixels(x1, y1).toPoint(), toPixels(x2, y2).toPoint());
    update();
}

void PictureBox::fillRectangle(double x1, double y1, double x2, double y2, const QColor &colour)
{
    QPainter painter(&m_image);
    preparePainter(painter, colour);
    const QRect area = QRect(toPixels(x1, y1).toPoint(), toPixels(x2, y2).toPoint()).normalized();
    painter.fillRect(area.adjusted(0, 0, 1, 1), colour);
    update();
}

void PictureBox::drawCircle(double x, double y, double radius)
{
    QPainter painter(&m_image);
    preparePainter(painter, foreground);
    const QPointF centre = toPixels(x, y);
    const double r = radius * m_image.width() / m_scaleWidth;
    painter.drawEllipse(centre, r, r);
    update();
}

void PictureBox::printText(double x, double y, const QString &text)
{
    QPainter painter(&m_image);
    preparePainter(painter, foreground);
    painter.setFont(font());
    const QPointF corner = toPixels(x, y);
    painter.drawText(QPointF(corner.x(), corner.y() + painter.fontMetrics().ascent()), text);
    update();
}

void PictureBox::setPicture(const QImage &image)
{
    m_image.fill(background);
    QPainter painter(&m_image);
    painter.drawImage(QPoint(0, 0), image);
    update();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), m_image);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    ensureImageSize();
}

void PictureBox::ensureImageSize()
{
    const QSize size = contentsRect().size().expandedTo(QSize(1, 1));
    if (m_image.size() == size)
        return;
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    if (!m_image.isNull()) {
        QPainter painter(&image);
        painter.drawImage(QPoint(0, 0), m_image);
    }
    m_image = image;
}

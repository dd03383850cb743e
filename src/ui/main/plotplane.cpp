#include "ui/main/plotplane.h"

#include <QPainter>
#include <QResizeEvent>

namespace kosmolux {

PlotPlane::PlotPlane(QWidget* parent) : QWidget(parent)
{
    // paintEvent covers every pixel: nothing needs erasing underneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
    ResizeImage(size());
}

void PlotPlane::Place(const QRect& geometry)
{
    setGeometry(geometry);
    ResizeImage(geometry.size());
}

void PlotPlane::Clear()
{
    image_.fill(Qt::black);
    RequestRepaint();
}

void PlotPlane::SetPixel(int x, int y, Colour colour)
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return;
    image_.setPixel(x, y, ToRgb(colour));
    RequestRepaint();
}

void PlotPlane::DrawCircle(int centreX, int centreY, int radius, Colour colour)
{
    QPainter painter(&image_);
    painter.setPen(QColor(ToRgb(colour)));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPoint(centreX, centreY), radius, radius);
    RequestRepaint();
}

void PlotPlane::DrawText(int x, int y, const QString& text, Colour colour, const QFont& font)
{
    QFont scaled = font;
    if (font.pixelSize() > 0)
        scaled.setPixelSize(qRound(font.pixelSize() * scale_));
    QPainter painter(&image_);
    painter.setPen(QColor(ToRgb(colour)));
    painter.setFont(scaled);
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
    RequestRepaint();
}

void PlotPlane::TakeBackground(const QImage& picture)
{
    background_ = picture;
    image_.fill(Qt::black);
    QPainter painter(&image_);
    painter.drawImage(QPoint(0, 0), picture);
    RequestRepaint();
}

QRgb PlotPlane::ToRgb(Colour colour)
{
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void PlotPlane::paintEvent(QPaintEvent* event)
{
    repaintPending_ = false;
    QPainter painter(this);
    // Each image pixel lands on one pixel of the screen.
    const QRectF shown(event->rect());
    painter.drawImage(shown, image_,
                      QRectF(shown.topLeft() * scale_, shown.size() * scale_));
}

void PlotPlane::resizeEvent(QResizeEvent* event)
{
    ResizeImage(event->size());
}

void PlotPlane::showEvent(QShowEvent* event)
{
    // A hidden plane drops repaint requests; the next change must ask again.
    repaintPending_ = false;
    QWidget::showEvent(event);
}

void PlotPlane::ResizeImage(const QSize& widgetSize)
{
    scale_ = devicePixelRatio();
    const QSize size(qRound(widgetSize.width() * scale_), qRound(widgetSize.height() * scale_));
    if (image_.size() == size)
        return;
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(Qt::black);
    QPainter painter(&resized);
    painter.drawImage(QPoint(0, 0), image_);
    painter.end();
    image_ = resized;
    RequestRepaint();
}

void PlotPlane::RequestRepaint()
{
    if (repaintPending_)
        return;
    repaintPending_ = true;
    update();
}

}  // namespace kosmolux

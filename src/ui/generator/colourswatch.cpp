#include "ui/generator/colourswatch.h"

#include <QColor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>

namespace kosmolux {

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    SetBackColor(White);
}

void ColourSwatch::SetBackColor(Colour colour)
{
    colour_ = colour;
    QPalette shades = palette();
    shades.setColor(QPalette::Window, QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    setPalette(shades);
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    // As with a button, letting go outside the swatch is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

void ColourSwatch::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space) {
        emit clicked();
        return;
    }
    QFrame::keyPressEvent(event);
}

}  // namespace kosmolux

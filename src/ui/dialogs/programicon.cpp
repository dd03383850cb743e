#include "ui/dialogs/programicon.h"

#include <QPainter>
#include <QRadialGradient>

namespace kosmolux {

QPixmap DrawProgramIcon(int size)
{
    QPixmap icon(size, size);
    icon.fill(Qt::transparent);

    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    // Draw on a 100 x 100 canvas and let the painter scale it.
    painter.scale(size / 100.0, size / 100.0);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(16, 24, 64));
    painter.drawEllipse(QRectF(2, 2, 96, 96));

    QRadialGradient glow(QPointF(50, 50), 16);
    glow.setColorAt(0.0, QColor(255, 255, 220));
    glow.setColorAt(0.6, QColor(255, 210, 60));
    glow.setColorAt(1.0, QColor(255, 140, 0));
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(50, 50), 14, 14);

    // The orbit, tilted as a plane seen obliquely, with its planet on the near side.
    painter.translate(50, 50);
    painter.rotate(-20);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(150, 170, 255), 3));
    painter.drawEllipse(QRectF(-40, -15, 80, 30));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(80, 200, 255));
    painter.drawEllipse(QPointF(32, 9), 7, 7);
    return icon;
}

}  // namespace kosmolux

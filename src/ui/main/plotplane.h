#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include "model/planet.h"

namespace kosmolux {

// One drawing surface of the plot view. The picture is a persistent image:
// every drawing operation writes into it and asks for a repaint, and
// paintEvent only copies it to the screen, so a picture stays until cleared.
// Points outside the image are ignored.
//
// The image has the device's pixels: on a screen scaled by 2 a plane of 256
// pixels holds an image of 512, and every coordinate, radius and font size
// given to it counts in those pixels.
class PlotPlane : public QWidget {
    Q_OBJECT

public:
    explicit PlotPlane(QWidget* parent = nullptr);

    // Position and size; the image follows at once, also while hidden.
    void Place(const QRect& geometry);
    // Image pixels per pixel of the widget: the device pixel ratio.
    qreal Scale() const { return scale_; }

    // The whole image black.
    void Clear();
    void SetPixel(int x, int y, Colour colour);
    void DrawCircle(int centreX, int centreY, int radius, Colour colour);
    // Text with its top-left corner at (x, y), drawn without a background;
    // a font sized in pixels grows with the scale.
    void DrawText(int x, int y, const QString& text, Colour colour, const QFont& font);

    // The picture as it is now (a shared copy: later drawing does not change it).
    const QImage& Image() const { return image_; }
    // Takes a picture as the background: the image shows it from the top-left
    // corner, black where it is smaller, and further drawing goes on top.
    // The picture is kept whole, whatever the plane's size.
    void TakeBackground(const QImage& picture);
    const QImage& Background() const { return background_; }

    // Red in the low byte, as the system stores colours.
    static QRgb ToRgb(Colour colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The image for a widget of the given size, on the present screen.
    void ResizeImage(const QSize& widgetSize);
    // One repaint request however many pixels change before it is served.
    void RequestRepaint();

    QImage image_;
    QImage background_;
    qreal scale_ = 1.0;
    bool repaintPending_ = false;
};

}  // namespace kosmolux

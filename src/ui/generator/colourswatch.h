#pragma once

#include <QFrame>

#include "model/planet.h"

namespace kosmolux {

// A patch of one colour that the user clicks (or presses Space on) to choose
// another colour.
class ColourSwatch : public QFrame {
    Q_OBJECT

public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    Colour BackColor() const { return colour_; }
    void SetBackColor(Colour colour);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Colour colour_ = White;
};

}  // namespace kosmolux

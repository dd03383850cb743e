#pragma once

#include <QObject>

namespace kosmolux {

// F1 asks for the user guide wherever the keyboard is: in the main window, in
// any dialog open on it and in the guide itself. It watches the whole
// application, because a key pressed in a modal dialog never reaches the main
// window's shortcuts.
class HelpKey : public QObject {
    Q_OBJECT

public:
    // Watches from construction until it is destroyed.
    explicit HelpKey(QObject* parent);

signals:
    void Pressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace kosmolux

#include "ui/dialogs/helpkey.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace kosmolux {

HelpKey::HelpKey(QObject* parent) : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            emit Pressed();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kosmolux

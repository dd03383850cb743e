#include "platform/dialogmodality.h"

#include <QWidget>

namespace kosmolux {

void SetDialogModality(QWidget& dialog)
{
    dialog.setWindowModality(dialog.parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
}

}  // namespace kosmolux

#pragma once

class QWidget;

namespace kosmolux {

// Makes a dialog modal to the window it opens on and to the windows below
// that one, never to the rest of the program: the user guide, a window of its
// own, stays readable beside any dialog. A dialog without a parent is modal
// to the whole program. Call before the dialog is shown.
void SetDialogModality(QWidget& dialog);

}  // namespace kosmolux

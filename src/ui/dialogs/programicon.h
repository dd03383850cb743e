#pragma once

#include <QPixmap>

namespace kosmolux {

// The program's icon, drawn rather than shipped: a star with a planet on a
// tilted orbit, on a night-blue disc. size is the width and height in pixels.
QPixmap DrawProgramIcon(int size);

}  // namespace kosmolux

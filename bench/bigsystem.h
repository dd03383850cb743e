#pragma once

#include <QString>

#include "storage/globals.h"

namespace kosmolux {

// A system of many bodies for measuring the programs: bodies "Body 1",
// "Body 2", ... at random places of a cube, one to a cell of a grid so that no
// two touch at the start, each orbiting the one before. The same count always
// gives the same system.
void FillBigSystem(Globals& globals, int count);

// Writes such a system to a system file through SaveSystem; false when the
// save failed.
bool WriteBigSystem(const QString& path, int count);

}  // namespace kosmolux

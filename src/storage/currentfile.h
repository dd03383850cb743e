#pragma once

#include <QString>

#include "storage/globals.h"

namespace kosmolux {

// "Current.kmx" in the program's folder: the automatic copy of the system
// that Stop and the generator's Done save to.
QString CurrentFilePath(const Globals& globals);

}  // namespace kosmolux

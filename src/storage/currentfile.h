#pragma once

#include <QString>

#include "storage/globals.h"

namespace kosmolux {

// "Current.kmx", the automatic copy of the system that Stop and the
// generator's Done save to: in the program's folder when that can be written
// and is not an installed program folder (as in the build folder), otherwise
// in the user's data folder (QStandardPaths::AppDataLocation, for example
// ~/.local/share/kosmolux), which is created when it is missing.
QString CurrentFilePath(const Globals& globals);

}  // namespace kosmolux

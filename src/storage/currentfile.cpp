#include "storage/currentfile.h"

namespace kosmolux {

QString CurrentFilePath(const Globals& globals)
{
    return globals.ProgramFolder + QStringLiteral("/Current.kmx");
}

}  // namespace kosmolux

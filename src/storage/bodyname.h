#pragma once

#include <QString>

namespace kosmolux {

// The error number shown with a body name that cannot be saved.
inline constexpr int UnstorableNameError = 5;

// Empty when a body of this name survives a save and load unchanged;
// otherwise a short sentence for the user saying why it would not.
QString BodyNameProblem(const QString& name);

}  // namespace kosmolux

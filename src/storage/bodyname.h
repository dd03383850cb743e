#pragma once

#include <QString>

namespace kosmolux {

// The error number shown with a body name that cannot be saved.
inline constexpr int UnstorableNameError = 5;

// Empty when a body of this name survives a save and load unchanged;
// otherwise a short sentence for the user saying why it would not.
QString BodyNameProblem(const QString& name);

// Empty unless the name is the one a run shows for a body absorbed in a
// merge, which no body of the user's may take; then the sentences to show.
QString AbsorbedNameProblem(const QString& name);

}  // namespace kosmolux

#pragma once

#include <cstdint>

#include <QString>

namespace kosmolux {

class Planets;

// Why the body bodyId of system may not take newName: empty when it may,
// otherwise the sentences to show the user. A name another body has already
// (capitals not counting, as in the file's section names) is refused, and so
// is any name that would not survive a save and load, and the name of an
// absorbed body.
QString RenameProblem(const Planets& system, std::int32_t bodyId, const QString& newName);

}  // namespace kosmolux

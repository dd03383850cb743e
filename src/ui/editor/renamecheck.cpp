#include "ui/editor/renamecheck.h"

#include "model/planets.h"
#include "storage/bodyname.h"

namespace kosmolux {

QString RenameProblem(const Planets& system, std::int32_t bodyId, const QString& newName)
{
    const QString absorbed = AbsorbedNameProblem(newName);
    if (!absorbed.isEmpty())
        return absorbed;

    const QString storable = BodyNameProblem(newName);
    if (!storable.isEmpty())
        return QStringLiteral("A body cannot be called '%1'. %2.").arg(newName, storable);

    // Folded as the system file folds section names: lowering would keep apart
    // letters that the file puts together, such as final sigma and sigma.
    const QString folded = newName.toCaseFolded();
    for (const Planet& other : system) {
        const QString otherName = QString::fromStdString(other.PlanetName);
        if (other.Id() != bodyId && otherName.toCaseFolded() == folded)
            return QStringLiteral("There is already a body called '%1'. Two bodies whose names differ "
                                  "at most in capitals share one section of the system file, so one "
                                  "of them would be lost on the next save and load.")
                .arg(otherName);
    }
    return {};
}

}  // namespace kosmolux

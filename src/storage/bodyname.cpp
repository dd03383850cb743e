#include "storage/bodyname.h"

#include <algorithm>

#include "engine/collision.h"
#include "storage/inidocument.h"

namespace kosmolux {

namespace {

bool IsControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

}  // namespace

QString BodyNameProblem(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("The name is empty");
    // A line break would split the file's lines; a NUL ends a value when read.
    if (std::any_of(name.cbegin(), name.cend(), IsControl))
        return QStringLiteral("The name must not contain line breaks or other control characters");
    if (name.contains(u']'))
        return QStringLiteral("The name must not contain \"]\"");
    if (IniDocument::IsBlank(name.front()) || IniDocument::IsBlank(name.back()))
        return QStringLiteral("The name must not start or end with a blank");
    if (name.size() >= 2 && (name.front() == u'"' || name.front() == u'\'') && name.back() == name.front())
        return QStringLiteral("The name must not be enclosed in quotes");
    if (name.size() > IniDocument::MaxValueLength)
        return QStringLiteral("The name must not be longer than %1 characters").arg(IniDocument::MaxValueLength);
    // Sections of these names hold the file's own values.
    if (name.compare(QStringLiteral("System"), Qt::CaseInsensitive) == 0 ||
        name.compare(QStringLiteral("General"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("The names \"System\" and \"General\" are kept for the file's own values");
    // A parent of this name could not be told from no parent at all.
    if (name == QStringLiteral("(none)"))
        return QStringLiteral("The name \"(none)\" stands for no parent in the file");
    return {};
}

QString AbsorbedNameProblem(const QString& name)
{
    // Told apart from an absorbed body only by the run: on the planes, in the
    // lists and in the messages the two would look the same.
    if (name.toStdString() != AbsorbedName)
        return {};
    return QStringLiteral("A body cannot be called '*'. That name marks a body absorbed in a collision.");
}

}  // namespace kosmolux

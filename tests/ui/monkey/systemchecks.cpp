#include "ui/monkey/systemchecks.h"

#include <cmath>
#include <vector>

#include <QAction>
#include <QComboBox>
#include <QMenu>

#include "platform/scripteddialogservice.h"
#include "platform/textformats.h"
#include "storage/sciformat.h"
#include "storage/systemfile.h"

namespace kosmolux::monkey {

namespace {

class SilentCentres : public CentreList {
public:
    void ClearCentres() override {}
    void AddCentre(const QString&, std::int32_t) override {}
    void SelectFirstCentre() override {}
};

std::vector<const Planet*> Bodies(const Planets* system)
{
    std::vector<const Planet*> bodies;
    if (system) {
        for (const Planet& body : *system)
            bodies.push_back(&body);
    }
    return bodies;
}

QString Name(const Planet& body)
{
    return QString::fromStdString(body.PlanetName);
}

bool Finite(const Vector& vector)
{
    return std::isfinite(vector.XComp) && std::isfinite(vector.YComp)
           && std::isfinite(vector.ZComp);
}

// Everything of a body that a save and load keep, in the file's own number form.
QString StoredValues(const Planet& body)
{
    return QStringList{SciFormat(body.Mass),
                       SciFormat(body.Diameter),
                       SciFormat(body.Position.XComp),
                       SciFormat(body.Position.YComp),
                       SciFormat(body.Position.ZComp),
                       SciFormat(body.Velocity.XComp),
                       SciFormat(body.Velocity.YComp),
                       SciFormat(body.Velocity.ZComp),
                       QString::number(body.HiColor),
                       QString::number(body.LoColor),
                       body.Lightweight ? QStringLiteral("Y") : QStringLiteral("N"),
                       body.Locked ? QStringLiteral("Y") : QStringLiteral("N")}
        .join(u' ');
}

// Position in the list of the body with this Id, or -1.
int IndexOfId(const std::vector<const Planet*>& bodies, std::int32_t id)
{
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        if (bodies[i]->Id() == id)
            return static_cast<int>(i);
    }
    return -1;
}

// Where the parent of body i is found after a load: parents are stored by
// name, and the last body of that exact name wins.
int ExpectedParentIndex(const std::vector<const Planet*>& bodies, const Planet& owner)
{
    const int parent = owner.Parent < 0 ? -1 : IndexOfId(bodies, owner.Parent);
    if (parent < 0)
        return -1;
    int last = -1;
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        if (bodies[i]->PlanetName == bodies[std::size_t(parent)]->PlanetName)
            last = static_cast<int>(i);
    }
    return last;
}

// The body whose values fill the section that body i's name leads to.
const Planet& SectionOwner(const std::vector<const Planet*>& bodies, std::size_t i)
{
    const QString folded = Name(*bodies[i]).toCaseFolded();
    const Planet* owner = bodies[i];
    for (const Planet* body : bodies) {
        if (Name(*body).toCaseFolded() == folded)
            owner = body;
    }
    return *owner;
}

}  // namespace

QString NonFiniteProblem(const Planets* system, bool withHistory)
{
    for (const Planet* body : Bodies(system)) {
        if (!std::isfinite(body->Mass) || !std::isfinite(body->Diameter) || !Finite(body->Position)
            || !Finite(body->Velocity))
            return Name(*body) + QStringLiteral(" has a value that is not finite");
        if (!withHistory)
            continue;
        for (int i = 1; i <= body->History.Count(); ++i) {
            if (!Finite(body->History.Item(i)))
                return Name(*body) + QStringLiteral(" has a recorded position that is not finite");
        }
    }
    return {};
}

QString RoundTripProblem(const Globals& globals, const QString& path)
{
    Globals loaded;
    ScriptedDialogService quiet;
    SilentCentres centres;
    LoadSystem(loaded, quiet, centres, path);
    if (!quiet.Calls.empty())
        return QStringLiteral("loading it shows ")
               + quiet.MessageTexts().join(QStringLiteral(" | "));

    const std::vector<const Planet*> expected = Bodies(globals.CurrentSystem.get());
    const std::vector<const Planet*> got = Bodies(loaded.CurrentSystem.get());
    if (got.size() != expected.size())
        return QStringLiteral("%1 bodies load back instead of %2")
            .arg(got.size())
            .arg(expected.size());
    if (!expected.empty() && loaded.StartDate != globals.StartDate)
        return QStringLiteral("the start date loads back as %1 instead of %2")
            .arg(loaded.StartDate.toString(Qt::ISODate), globals.StartDate.toString(Qt::ISODate));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Planet& owner = SectionOwner(expected, i);
        const Planet& have = *got[i];
        const QString which = QStringLiteral("body %1 ('%2')").arg(i + 1).arg(Name(*expected[i]));
        if (have.PlanetName != expected[i]->PlanetName)
            return which + QStringLiteral(" loads back named '%1'").arg(Name(have));
        if (StoredValues(have) != StoredValues(owner))
            return which
                   + QStringLiteral(" loads back with [%1] instead of [%2]")
                         .arg(StoredValues(have), StoredValues(owner));
        const int parent = have.Parent < 0 ? -1 : IndexOfId(got, have.Parent);
        if (parent != ExpectedParentIndex(expected, owner))
            return which
                   + QStringLiteral(" loads back with the parent at %1 instead of %2")
                         .arg(parent + 1)
                         .arg(ExpectedParentIndex(expected, owner) + 1);
    }
    return {};
}

QString ListsAgreeProblem(const QComboBox& centres, const QMenu& bodies)
{
    if (centres.count() < 1 || centres.itemText(0) != QStringLiteral("Grid Origin")
        || centres.itemData(0).toInt() != -1)
        return QStringLiteral("the centre list does not start with Grid Origin");
    const QList<QAction*> items = bodies.actions();
    const int listed = centres.count() - 1;
    if (listed == 0) {
        if (items.size() != 1 || items.front()->isEnabled())
            return QStringLiteral(
                       "with no body in the centre list, Reports > Bodies has %1 items, "
                       "the first %2")
                .arg(items.size())
                .arg(items.isEmpty() || !items.front()->isEnabled() ? "disabled" : "enabled");
        return {};
    }
    if (items.size() != listed)
        return QStringLiteral("the centre list has %1 bodies, Reports > Bodies %2")
            .arg(listed)
            .arg(items.size());
    for (int i = 0; i < listed; ++i) {
        const QAction* item = items[i];
        const QString key = QStringLiteral("A%1").arg(centres.itemData(i + 1).toInt());
        // A menu caption doubles every "&", so that it shows and marks no access key.
        const QString caption = QString(centres.itemText(i + 1)).replace(u'&', QStringLiteral("&&"));
        if (!item->isEnabled() || item->text() != caption
            || item->data().toString() != key)
            return QStringLiteral(
                       "entry %1 of the centre list is '%2' (%3), of Reports > Bodies '%4' (%5%6)")
                .arg(i + 1)
                .arg(centres.itemText(i + 1), key, item->text(), item->data().toString(),
                     item->isEnabled() ? QString() : QStringLiteral(", disabled"));
    }
    return {};
}

QString ListsMatchSystemProblem(const QComboBox& centres, const QMenu& bodies,
                                const Planets* system)
{
    const QString agree = ListsAgreeProblem(centres, bodies);
    if (!agree.isEmpty())
        return agree;
    const std::vector<const Planet*> members = Bodies(system);
    if (centres.count() != static_cast<int>(members.size()) + 1)
        return QStringLiteral("after the refresh the centre list has %1 bodies, the system %2")
            .arg(centres.count() - 1)
            .arg(members.size());
    for (std::size_t i = 0; i < members.size(); ++i) {
        const int entry = static_cast<int>(i) + 1;
        if (centres.itemText(entry) != Name(*members[i])
            || centres.itemData(entry).toInt() != members[i]->Id())
            return QStringLiteral("after the refresh centre entry %1 is '%2', the body '%3'")
                .arg(entry)
                .arg(centres.itemText(entry), Name(*members[i]));
    }
    if (centres.currentIndex() != 0)
        return QStringLiteral("after the refresh the centre is entry %1, not the grid origin")
            .arg(centres.currentIndex());
    return {};
}

QString SharedSectionProblem(const Planets& system, std::int32_t id)
{
    const Planet* body = system.FindById(id);
    if (!body)
        return {};
    for (const Planet& other : system) {
        if (other.Id() != id && Name(other).toCaseFolded() == Name(*body).toCaseFolded())
            return QStringLiteral(
                       "'%1' was taken although '%2' shares its section of the system file")
                .arg(Name(*body), Name(other));
    }
    return {};
}

}  // namespace kosmolux::monkey

#include "ui/main/reports.h"

#include <cmath>
#include <optional>

#include <QLocale>
#include <QStringList>

#include "engine/calculations.h"
#include "engine/orbit.h"
#include "model/planets.h"
#include "platform/textformats.h"
#include "storage/systemfile.h"

namespace kosmolux {

namespace {

const QString LineEnd = QStringLiteral("\n");
const QString BodiesHeaderEnd = QStringLiteral(" contains these bodies: ");

QString Heading(const QString& name, const QString& dayCaption)
{
    return QStringLiteral("Report on ") + name + QStringLiteral(" at ") + dayCaption + LineEnd
           + QString(34, u'-') + LineEnd + LineEnd;
}

QString Kilometres(double metres)
{
    return text::FormatGroupedOrZero(metres / 1000.0) + QStringLiteral(" km");
}

// The system's velocity: the mass-weighted mean of the velocities.
Vector VelocityOfCentre(const Planets& system)
{
    Vector momentum;
    for (const Planet& body : system)
        momentum.Add(Scaled(body.Velocity, body.Mass));
    const double mass = system.TotalMass();
    return Vector{momentum.XComp / mass, momentum.YComp / mass, momentum.ZComp / mass};
}

// The orbit lines of a body report, about the parent if there is one.
QString OrbitLines(const Planets& system, const Planet& body, const Planet* parent)
{
    Vector position = body.Position;
    Vector velocity = body.Velocity;
    double mu = 0.0;
    if (parent) {
        position.Subtract(parent->Position);
        velocity.Subtract(parent->Velocity);
        mu = G * (parent->Mass + body.Mass);
    } else {
        position.Subtract(system.CentreOfMass());
        velocity.Subtract(VelocityOfCentre(system));
        mu = G * system.TotalMass();
    }
    QString lines = QStringLiteral("Orbit around ")
                    + (parent ? QString::fromStdString(parent->PlanetName) : QStringLiteral("Centre of Mass"))
                    + QStringLiteral(":") + LineEnd;
    const std::optional<OrbitElements> orbit = OsculatingOrbit(position, velocity, mu);
    if (!orbit)
        return lines + QStringLiteral("Not in a closed orbit");
    const QLocale locale;
    return lines + QStringLiteral("Semi-major axis: ") + Kilometres(orbit->SemiMajorAxis) + LineEnd
           + QStringLiteral("Eccentricity: ") + locale.toString(orbit->Eccentricity, 'f', 4) + LineEnd
           + QStringLiteral("Inclination: ") + locale.toString(orbit->Inclination, 'f', 2)
           + QStringLiteral(" degrees") + LineEnd + QStringLiteral("Period: ")
           + locale.toString(orbit->Period / 86400.0, 'f', 2) + QStringLiteral(" days");
}

// A relative change with three significant digits; an exact 0 as "0".
QString Change(double change)
{
    if (change == 0.0)
        return QStringLiteral("0");
    if (std::isnan(change))
        return QStringLiteral("undefined, as it was 0 when the run began");
    return QLocale().toString(change, 'E', 2);
}

bool BoundToSystem(double speed, double totalMass, double distanceFromCentre)
{
    if (distanceFromCentre == 0.0)
        return true;
    const double escapeSpeed = std::sqrt(totalMass * EscapeConstant / distanceFromCentre);
    return speed <= escapeSpeed;
}

}  // namespace

QString NoSystemText()
{
    return QStringLiteral("No system loaded");
}

QString SystemNameHeader(const Planets& system)
{
    return QStringLiteral("System '") + QString::fromStdString(system.SystemName)
           + QStringLiteral("'") + BodiesHeaderEnd;
}

QString FileNameHeader(const QString& filePath)
{
    return QStringLiteral("System ") + FileNameFromPath(filePath) + BodiesHeaderEnd;
}

QString SystemSummary(const QString& header, const Planets* system)
{
    QString summary = header + LineEnd + LineEnd;
    if (system) {
        for (const Planet& body : *system)
            summary += QStringLiteral("* ") + QString::fromStdString(body.PlanetName) + LineEnd;
    }
    return summary;
}

QString BodyReport(const Planets* system, const std::string& key, const QString& menuCaption,
                   const QString& dayCaption)
{
    const Planet* body = system ? system->Find(key) : nullptr;
    if (!body)
        return Heading(menuCaption, dayCaption) + QStringLiteral("Body is no longer in the system");

    QString report = Heading(QString::fromStdString(body->PlanetName), dayCaption);
    const double speed = body->Velocity.Magnitude();
    report += QStringLiteral("Velocity: ") + text::FormatGroupedOrZero(speed)
              + QStringLiteral(" m/sec") + LineEnd;

    const Planet* parent = body->Parent == -1 ? nullptr : system->FindById(body->Parent);
    if (parent) {
        report += QStringLiteral("Distance from ") + QString::fromStdString(parent->PlanetName)
                  + QStringLiteral(": ") + Kilometres(body->Position.DistanceFrom(parent->Position))
                  + LineEnd;
    } else {
        report += QStringLiteral("Distance from Grid Origin: ")
                  + Kilometres(body->Position.Magnitude()) + LineEnd;
    }

    const double fromCentre = body->Position.DistanceFrom(system->CentreOfMass());
    report += QStringLiteral("Distance from Centre of Mass: ") + Kilometres(fromCentre) + LineEnd;
    report += BoundToSystem(speed, system->TotalMass(), fromCentre)
                  ? QStringLiteral("Body is gravitationally bound to system")
                  : QStringLiteral("Body has reached escape velocity from system!");
    return report + LineEnd + LineEnd + OrbitLines(*system, *body, parent);
}

QString ConservationReport(const Conserved& now, const Conserved& start, const QString& dayCaption)
{
    const auto whole = [](double value, const char* unit) {
        return text::FormatGroupedOrZero(value) + QString::fromUtf8(unit);
    };
    const QStringList lines = {
        QStringLiteral("Kinetic energy: ") + whole(now.Kinetic, " J"),
        QStringLiteral("Potential energy: ") + whole(now.Potential, " J"),
        QStringLiteral("Total energy: ") + whole(now.Total, " J"),
        QStringLiteral("Relative change of total energy: ") + Change(RelativeChange(start.Total, now.Total)),
        QStringLiteral("Momentum: ") + whole(now.Momentum, " kg m/sec"),
        QStringLiteral("Angular momentum: ") + whole(now.AngularMomentum, " kg m²/sec"),
        QStringLiteral("Relative change of angular momentum: ")
            + Change(RelativeChange(start.AngularMomentum, now.AngularMomentum)),
    };
    return QStringLiteral("Conservation at ") + dayCaption + LineEnd + QString(34, u'-') + LineEnd + LineEnd
           + lines.join(LineEnd);
}

}  // namespace kosmolux

#include "ui/main/reports.h"

#include <cmath>

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
    return report;
}

}  // namespace kosmolux

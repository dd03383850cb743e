// How well each method of stepping keeps the solar system together: for
// Classic, Leapfrog and Yoshida at speeds 7 and 15, the largest size of the
// relative change of the total energy (at the plotted steps, as
// kosmolux-run --energy writes them) and the largest distance between the Moon
// and the Earth (at every step) over 100 simulated years of Solar.kmx. The
// figures, not the time, are what counts; a run takes a few minutes.
//
// Usage: method_accuracy [SYSTEM.kmx [YEARS]]
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <iostream>
#include <string>

#include <QCoreApplication>
#include <QLocale>

#include "engine/conservation.h"
#include "engine/drift.h"
#include "engine/runloop.h"
#include "engine/runsettings.h"
#include "platform/scripteddialogservice.h"
#include "storage/globals.h"
#include "storage/systemfile.h"

namespace kosmolux {
namespace {

class CountingObserver : public RunObserver {
public:
    void BodiesCollide(const std::string&) override { ++Merges; }
    void PlotBody(Planet&) override {}
    void BodyBecameNonFinite(const Planet&) override { ++NonFinite; }
    int Merges = 0;
    int NonFinite = 0;
};

class SilentCentres : public CentreList {
public:
    void ClearCentres() override {}
    void AddCentre(const QString&, std::int32_t) override {}
    void SelectFirstCentre() override {}
};

Planet* Named(Planets& system, const std::string& name)
{
    for (Planet& body : system)
        if (body.PlanetName == name)
            return &body;
    return nullptr;
}

bool PrintRow(const QString& path, double years, StepMethod method, int speedLevel)
{
    Globals globals;
    ScriptedDialogService dialogs;
    SilentCentres centres;
    LoadSystem(globals, dialogs, centres, path);
    if (!globals.SystemLoaded || !dialogs.Calls.empty()) {
        std::cerr << "cannot load " << path.toStdString() << '\n';
        return false;
    }
    Planets& system = *globals.CurrentSystem;
    const Planet* earth = Named(system, "Earth");
    const Planet* moon = Named(system, "Moon");
    const std::int32_t timeStep = SpeedFor(speedLevel).TimeStep;
    const std::int32_t plotInterval = PlotFrequencyFor(DefaultPlotLevel).PlotInterval;
    // As many steps as kosmolux-run --days makes.
    const auto steps = static_cast<std::int64_t>(std::ceil(years * 365.25 * 86400.0 / timeStep));

    CountingObserver observer;
    RemoveDrift(system, timeStep);
    RunLoop loop(system, observer);
    loop.Begin();
    const Conserved start = Measure(system);
    double largestChange = 0.0;
    double largestDistance = 0.0;
    for (std::int64_t step = 0; step < steps; ++step) {
        loop.Step(timeStep, plotInterval, method);
        if (earth && moon)
            largestDistance = std::max(largestDistance, earth->Position.DistanceFrom(moon->Position));
        if (loop.PlottedStep())
            largestChange =
                std::max(largestChange, std::abs(RelativeChange(start.Total, Measure(system).Total)));
    }
    std::cout << std::left << std::setw(10) << MethodName(method) << std::setw(7) << speedLevel
              << std::setw(11) << steps << std::scientific << std::setprecision(2) << std::setw(14)
              << largestChange << std::fixed << std::setprecision(0) << largestDistance / 1000.0;
    if (observer.Merges > 0 || observer.NonFinite > 0)
        std::cout << "  (" << observer.Merges << " merges, " << observer.NonFinite << " non-finite)";
    std::cout << std::endl;
    return true;
}

}  // namespace
}  // namespace kosmolux

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    // The example files are written in this form.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KOSMOLUX_EXAMPLES "/Solar.kmx");
    const double years = argc > 2 ? QString::fromLocal8Bit(argv[2]).toDouble() : 100.0;
    std::cout << path.toStdString() << ", " << years << " simulated years, plot level " << kosmolux::DefaultPlotLevel
              << "\nmethod    speed  steps      max |dE/E0|   max Moon-Earth km" << std::endl;
    for (const kosmolux::StepMethod method :
         {kosmolux::StepMethod::Classic, kosmolux::StepMethod::Leapfrog, kosmolux::StepMethod::Yoshida})
        for (const int speed : {7, 15})
            if (!kosmolux::PrintRow(path, years, method, speed))
                return 1;
    return 0;
}

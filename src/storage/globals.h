#pragma once

#include <cstdint>
#include <memory>

#include <QDate>
#include <QString>

#include "engine/stepmethod.h"
#include "model/identitycounter.h"
#include "model/planets.h"
#include "platform/randomsource.h"

namespace kosmolux {

// The program-wide state. main() creates one and hands it to the windows;
// every test starts from a fresh one. Start-up sets the values it needs.
struct Globals {
    IdentityCounter Ids;
    // None until the first load, New System or generator; once created it is
    // never replaced, only emptied and refilled.
    std::unique_ptr<Planets> CurrentSystem;
    bool SystemLoaded = false;
    QDate StartDate;                 // calendar date of day 0 of a run
    std::int16_t SpeedLevel = 0;     // 0 to 15
    std::int32_t TimeStep = 0;       // seconds per step, 2 to the power SpeedLevel
    std::int16_t PlotLevel = 0;      // 0 to 7
    std::int32_t PlotInterval = 0;   // simulated seconds to be exceeded between plotted steps
    StepMethod Method = StepMethod::Classic;  // how a run steps; travels with the system file
    bool StopRequested = false;      // ends the run loop
    bool SystemAltered = false;      // a run changed the system since it was loaded or created
    double ViewWidth = 0.0;          // metres from the centre of a plot plane to its edge
    double ViewScale = 0.0;          // 1 / ViewWidth
    std::unique_ptr<RandomSource> Random;  // seeded from the clock at start-up
    // The program's own folder, where "Current.kmx" is saved and the help is
    // looked up. main() sets it; tests point it at a temporary folder.
    QString ProgramFolder;

    // The current system, created empty when there is none yet.
    Planets& EnsureSystem()
    {
        if (!CurrentSystem)
            CurrentSystem = std::make_unique<Planets>(Ids);
        return *CurrentSystem;
    }
};

}  // namespace kosmolux

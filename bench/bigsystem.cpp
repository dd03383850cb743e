#include "bigsystem.h"

#include <cmath>
#include <random>
#include <string>

#include "platform/scripteddialogservice.h"
#include "storage/systemfile.h"

namespace kosmolux {

namespace {

constexpr double CellWidth = 1.0e10;  // metres; bodies at least a fifth of this apart
constexpr std::uint64_t Seed = 1;

}  // namespace

void FillBigSystem(Globals& globals, int count)
{
    globals.StartDate = QDate(2000, 1, 1);
    Planets& system = globals.EnsureSystem();
    system.Clear();
    std::mt19937_64 random(Seed);
    std::uniform_real_distribution<double> inCell(0.1, 0.9);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<Colour> colour(0, White);
    const int side = static_cast<int>(std::ceil(std::cbrt(count)));
    const auto coordinate = [&](int cell) { return (cell - side / 2 + inCell(random)) * CellWidth; };
    std::int32_t parent = -1;
    for (int cell = 0; cell < count; ++cell) {
        const double x = coordinate(cell % side);
        const double y = coordinate(cell / side % side);
        const double z = coordinate(cell / (side * side));
        const double mass = 1.0e24 * std::pow(100.0, unit(random));  // kg
        const double diameter = 1.0e7 * std::pow(10.0, unit(random));  // metres
        Planet& body = system.Add("Body " + std::to_string(cell + 1), mass, diameter, x, y, z,
                                  1.0e3 * unit(random), 1.0e3 * unit(random), 1.0e3 * unit(random));
        body.HiColor = colour(random);
        body.LoColor = colour(random);
        body.Parent = parent;
        parent = body.Id();
    }
}

bool WriteBigSystem(const QString& path, int count)
{
    Globals globals;
    FillBigSystem(globals, count);
    ScriptedDialogService dialogs;
    return SaveSystem(globals, dialogs, path);
}

}  // namespace kosmolux

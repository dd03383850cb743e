#pragma once

#include <cstdint>
#include <ostream>

#include "engine/conservation.h"

namespace kosmolux {

// The run's table of what is conserved, one row per plotted step:
// step,seconds,day,kinetic,potential,total,relative_change,angular_momentum.
// Numbers as in the table of bodies: 17 significant digits and a "."
class EnergyTable {
public:
    explicit EnergyTable(std::ostream& out) : out_(out) {}

    void WriteHeader();
    // start is the system as the run began: relative_change is the change of
    // the total energy since then, divided by its size then.
    void WriteRow(std::int64_t step, std::int64_t seconds, std::int64_t day, const Conserved& now,
                  const Conserved& start);

private:
    std::ostream& out_;
};

}  // namespace kosmolux

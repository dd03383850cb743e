#include "app/run/energytable.h"

#include "app/run/csvwriter.h"

namespace kosmolux {

void EnergyTable::WriteHeader()
{
    out_ << "step,seconds,day,kinetic,potential,total,relative_change,angular_momentum\n";
}

void EnergyTable::WriteRow(std::int64_t step, std::int64_t seconds, std::int64_t day, const Conserved& now,
                           const Conserved& start)
{
    out_ << WholeNumber(step) << ',' << WholeNumber(seconds) << ',' << WholeNumber(day);
    for (const double value : {now.Kinetic, now.Potential, now.Total, RelativeChange(start.Total, now.Total),
                               now.AngularMomentum})
        out_ << ',' << CsvNumber(value);
    out_ << '\n';
}

}  // namespace kosmolux

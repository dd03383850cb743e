#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "model/planet.h"

namespace kosmolux {

// The run's table of bodies, one row per body and time:
// step,seconds,day,name,x,y,z,vx,vy,vz. Numbers carry 17 significant digits
// and a "." whatever the locale, so a row holds the exact doubles.
class CsvWriter {
public:
    explicit CsvWriter(std::ostream& out) : out_(out) {}

    void WriteHeader();
    // step counts the run's steps from 1; seconds and day are the time the
    // window's labels would show for that step.
    void WriteRow(std::int64_t step, std::int64_t seconds, std::int64_t day, const Planet& body);

private:
    std::ostream& out_;
};

// A whole number in decimal digits, whatever the locale.
std::string WholeNumber(std::int64_t value);
// A double with 17 significant digits (trailing zeros dropped), enough to
// read back the very same double: "." as decimal point, no grouping.
std::string CsvNumber(double value);
// The text itself, or quoted with inner quotes doubled when it holds a
// comma, a quote or a line break.
std::string CsvField(const std::string& text);

}  // namespace kosmolux

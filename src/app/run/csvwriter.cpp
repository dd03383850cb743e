#include "app/run/csvwriter.h"

#include <charconv>

namespace kosmolux {

// The C library's formatting follows the user's locale once Qt has set it;
// std::to_chars never does.

std::string WholeNumber(std::int64_t value)
{
    char text[24];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string CsvNumber(double value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17).ptr);
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void CsvWriter::WriteHeader() { out_ << "step,seconds,day,name,x,y,z,vx,vy,vz\n"; }

void CsvWriter::WriteRow(std::int64_t step, std::int64_t seconds, std::int64_t day, const Planet& body)
{
    out_ << WholeNumber(step) << ',' << WholeNumber(seconds) << ',' << WholeNumber(day) << ','
         << CsvField(body.PlanetName);
    for (const Vector* vector : {&body.Position, &body.Velocity})
        for (const double component : {vector->XComp, vector->YComp, vector->ZComp})
            out_ << ',' << CsvNumber(component);
    out_ << '\n';
}

}  // namespace kosmolux

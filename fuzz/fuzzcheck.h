#pragma once

#include <cstdio>
#include <cstdlib>

namespace kosmolux {

// Ends the run when a property does not hold; libFuzzer keeps the input that broke it.
inline void Require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "Property does not hold: %s\n", property);
    std::abort();
}

}  // namespace kosmolux

#pragma once

#include <cstdint>

namespace kosmolux {

// Hands out body identity numbers: 0, 1, 2, ... for the whole run of the
// program, never reused, also across loads of different systems.
class IdentityCounter {
public:
    std::int32_t Take() { return next_++; }
    std::int32_t Next() const { return next_; }

private:
    std::int32_t next_ = 0;
};

}  // namespace kosmolux

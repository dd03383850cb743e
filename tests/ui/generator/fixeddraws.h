#pragma once

#include <deque>
#include <initializer_list>
#include <stdexcept>

#include "platform/randomsource.h"

namespace kosmolux {

// Answers draws from a list; an unexpected extra draw fails the test.
class FixedDraws : public RandomSource {
public:
    FixedDraws(std::initializer_list<float> draws) : draws_(draws) {}

    float Draw() override
    {
        if (draws_.empty())
            throw std::logic_error("FixedDraws: no draw left");
        const float draw = draws_.front();
        draws_.pop_front();
        return draw;
    }

    std::size_t Left() const { return draws_.size(); }

private:
    std::deque<float> draws_;
};

// The largest draw: 24 random bits, all set.
inline constexpr float HighestDraw = 16777215.0f / 16777216.0f;

}  // namespace kosmolux

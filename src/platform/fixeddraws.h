#pragma once

#include <deque>
#include <initializer_list>
#include <stdexcept>

#include "platform/randomsource.h"

namespace kosmolux {

// A random source that answers from a queue of known draws, for tests. A draw
// with the queue empty throws std::logic_error, so that an unexpected draw
// fails the test instead of passing silently.
class FixedDraws : public RandomSource {
public:
    FixedDraws(std::initializer_list<float> draws) : draws_(draws) {}

    void Add(float draw) { draws_.push_back(draw); }
    bool Empty() const { return draws_.empty(); }

    float Draw() override
    {
        if (draws_.empty())
            throw std::logic_error("FixedDraws: no draw left");
        const float draw = draws_.front();
        draws_.pop_front();
        return draw;
    }

private:
    std::deque<float> draws_;
};

}  // namespace kosmolux

#pragma once

#include <cstdint>
#include <random>

namespace kosmolux {

// The program's one random generator: each draw is a single-precision number
// in [0, 1) made from 24 random bits, so it is never 1.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float Draw() = 0;
};

// Seeded once from the clock when constructed.
class ClockSeededRandom : public RandomSource {
public:
    ClockSeededRandom();
    float Draw() override;

private:
    std::mt19937 engine_;
};

// A uniform double in [centre - range, centre + range): (range + range) * r + (centre - range).
double RandomInRange(RandomSource& random, double centre, double range);

}  // namespace kosmolux

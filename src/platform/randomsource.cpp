#include "platform/randomsource.h"

#include <chrono>

namespace kosmolux {

ClockSeededRandom::ClockSeededRandom()
    : engine_(static_cast<std::mt19937::result_type>(
          std::chrono::steady_clock::now().time_since_epoch().count()))
{
}

float ClockSeededRandom::Draw()
{
    // 24 random bits scaled by 2^-24: every value is exact in a float and below 1.
    const std::uint32_t bits = engine_() >> 8;
    return static_cast<float>(bits) * (1.0f / 16777216.0f);
}

double RandomInRange(RandomSource& random, double centre, double range)
{
    const double r = random.Draw();
    return (range + range) * r + (centre - range);
}

}  // namespace kosmolux

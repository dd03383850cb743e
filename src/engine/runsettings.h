#pragma once

#include <cstdint>
#include <string>

namespace kosmolux {

// What a speed level (0 to 15) means: seconds per step and the two labels.
struct SpeedSetting {
    std::int32_t TimeStep;     // 2 to the power of the level, seconds
    std::string IntervalText;  // "Speed: 7", "Speed: Max" at 15
    std::string AccuracyText;  // "Accuracy: 8"
};
// Levels above 15 give the row of 15, below 0 the row of 0.
SpeedSetting SpeedFor(int level);

// What a plot-frequency level (0 to 7) means.
struct PlotSetting {
    std::int32_t PlotInterval;  // simulated seconds to be exceeded between plotted steps
    std::string Caption;        // "quarter hour" ... "weekly"
};
// Levels outside 0 to 6 give the last row ("weekly").
PlotSetting PlotFrequencyFor(int level);

inline constexpr int MaxSpeedLevel = 15;
inline constexpr int MaxPlotLevel = 7;
inline constexpr int DefaultSpeedLevel = 7;
inline constexpr int DefaultPlotLevel = 3;

}  // namespace kosmolux

#include "engine/runsettings.h"

#include <algorithm>
#include <array>

namespace kosmolux {

SpeedSetting SpeedFor(int level)
{
    level = std::clamp(level, 0, MaxSpeedLevel);
    return SpeedSetting{
        std::int32_t{1} << level,
        level == MaxSpeedLevel ? "Speed: Max" : "Speed: " + std::to_string(level),
        "Accuracy: " + std::to_string(MaxSpeedLevel - level)};
}

PlotSetting PlotFrequencyFor(int level)
{
    static const std::array<PlotSetting, MaxPlotLevel + 1> rows{{
        {900, "quarter hour"},
        {1800, "half hour"},
        {3600, "hourly"},
        {21600, "quarter day"},
        {43200, "half day"},
        {86400, "daily"},
        {172800, "two day"},
        {604800, "weekly"},
    }};
    if (level < 0 || level >= MaxPlotLevel)
        return rows[MaxPlotLevel];
    return rows[static_cast<std::size_t>(level)];
}

}  // namespace kosmolux

#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace kosmolux {

// What the energy plot shows: for the latest runs, the size of the relative
// change of the total energy against simulated days, one point per plotted
// step. A long run keeps its curve short by merging neighbouring points,
// keeping the larger change, so that drawing never slows the run down.
class EnergyCurves {
public:
    struct Point {
        double Day = 0.0;     // simulated days since the run began
        double Change = 0.0;  // |ΔE / E₀|, never below Floor
    };
    struct Curve {
        std::string Label;  // "Leapfrog, speed 7"
        int Run = 0;        // counts the runs from 0, so each keeps its colour
        std::vector<Point> Points;
    };

    // Changes this small (none at all included) are drawn at this height,
    // below anything a double can tell apart from no change.
    static constexpr double Floor = 1e-17;
    static constexpr std::size_t MaxCurves = 4;
    static constexpr std::size_t MaxPoints = 1024;  // about two for every pixel of the plot

    // Starts a new curve; the oldest goes when there are more than MaxCurves.
    void BeginRun(std::string label);
    // A point of the newest curve; a change that is not a number is left out.
    void Add(double day, double change);

    const std::deque<Curve>& Curves() const { return curves_; }
    // Grows with every change, so that a window redraws only when it must.
    std::uint64_t Revision() const { return revision_; }

private:
    std::deque<Curve> curves_;
    int runs_ = 0;
    std::uint64_t revision_ = 0;
    // How many plotted steps one point of the newest curve stands for, and
    // the larger of those already seen for the point being filled.
    std::size_t stride_ = 1;
    std::size_t pendingCount_ = 0;
    Point pending_;
};

}  // namespace kosmolux

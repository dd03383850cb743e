#include "ui/main/energycurves.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kosmolux {
namespace {

const EnergyCurves::Point& Larger(const EnergyCurves::Point& a, const EnergyCurves::Point& b)
{
    return b.Change > a.Change ? b : a;
}

}  // namespace

void EnergyCurves::BeginRun(std::string label)
{
    curves_.push_back(Curve{std::move(label), runs_++, {}});
    if (curves_.size() > MaxCurves)
        curves_.pop_front();
    stride_ = 1;
    pendingCount_ = 0;
    ++revision_;
}

void EnergyCurves::Add(double day, double change)
{
    if (curves_.empty() || std::isnan(change))
        return;
    const Point point{day, std::max(std::abs(change), Floor)};
    pending_ = pendingCount_ == 0 ? point : Larger(pending_, point);
    if (++pendingCount_ < stride_)
        return;
    pendingCount_ = 0;
    std::vector<Point>& points = curves_.back().Points;
    points.push_back(pending_);
    if (points.size() == MaxPoints) {
        // Halve the curve: each pair of points becomes the larger of the two.
        for (std::size_t i = 0; i < MaxPoints / 2; ++i)
            points[i] = Larger(points[2 * i], points[2 * i + 1]);
        points.resize(MaxPoints / 2);
        stride_ *= 2;
    }
    ++revision_;
}

}  // namespace kosmolux

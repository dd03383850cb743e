#pragma once

#include <cstdint>

#include <QDialog>

#include "ui/main/energycurves.h"

class QChart;
class QLineSeries;
class QLogValueAxis;
class QValueAxis;

namespace kosmolux {

// Reports > Energy Plot: a window beside the main one with a line chart of
// the relative change of the total energy against simulated days, on a
// logarithmic axis, one curve per run. It redraws twice a second while the
// curves change, never from inside a step.
class EnergyPlot : public QDialog {
    Q_OBJECT

public:
    EnergyPlot(const EnergyCurves& curves, QWidget* parent);

    // Shows the curves as they are now.
    void Redraw();
    // How often the window looks for new points while it is open.
    static constexpr int RedrawMilliseconds = 500;

    QChart* Chart() const { return chart_; }

private:
    // The series that draws a curve, made on first use.
    QLineSeries* SeriesOf(const EnergyCurves::Curve& curve);

    const EnergyCurves& curves_;
    QChart* chart_;
    QValueAxis* days_;
    QLogValueAxis* change_;
    std::uint64_t shownRevision_ = 0;
};

}  // namespace kosmolux

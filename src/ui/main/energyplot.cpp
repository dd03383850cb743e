#include "ui/main/energyplot.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>

#include <QChart>
#include <QChartView>
#include <QColor>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QTimer>
#include <QValueAxis>
#include <QVBoxLayout>


namespace kosmolux {
namespace {

// Which run a series draws.
constexpr char RunProperty[] = "run";
// At most this many labels on the axis of the change.
constexpr double MaxLabels = 8.0;

// One colour per run, repeating after as many runs as the plot keeps.
QColor RunColour(int run)
{
    static const QColor colours[] = {QColor(31, 119, 180), QColor(214, 39, 40), QColor(44, 160, 44),
                                     QColor(148, 103, 189)};
    return colours[run % std::size(colours)];
}

}  // namespace

EnergyPlot::EnergyPlot(const EnergyCurves& curves, QWidget* parent)
    : QDialog(parent), curves_(curves), chart_(new QChart), days_(new QValueAxis), change_(new QLogValueAxis)
{
    setObjectName(QStringLiteral("EnergyPlot"));
    setWindowTitle(QStringLiteral("Energy Plot"));
    setAttribute(Qt::WA_DeleteOnClose);

    chart_->setTitle(QStringLiteral("Relative change of the total energy"));
    days_->setTitleText(QStringLiteral("Simulated days"));
    days_->setLabelFormat(QStringLiteral("%g"));
    change_->setTitleText(QStringLiteral("|ΔE / E₀|"));
    change_->setLabelFormat(QStringLiteral("%.0e"));
    change_->setMinorTickCount(0);
    chart_->addAxis(days_, Qt::AlignBottom);
    chart_->addAxis(change_, Qt::AlignLeft);

    auto* view = new QChartView(chart_, this);
    view->setObjectName(QStringLiteral("EnergyChart"));
    view->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    resize(640, 420);

    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] {
        if (curves_.Revision() != shownRevision_)
            Redraw();
    });
    timer->start(RedrawMilliseconds);
    Redraw();
}

QLineSeries* EnergyPlot::SeriesOf(const EnergyCurves::Curve& curve)
{
    for (QAbstractSeries* series : chart_->series())
        if (series->property(RunProperty).toInt() == curve.Run)
            return static_cast<QLineSeries*>(series);
    auto* series = new QLineSeries;
    series->setProperty(RunProperty, curve.Run);
    series->setName(QString::fromStdString(curve.Label));
    chart_->addSeries(series);
    series->setPen(QPen(RunColour(curve.Run), 1.5));
    series->attachAxis(days_);
    series->attachAxis(change_);
    return series;
}

void EnergyPlot::Redraw()
{
    shownRevision_ = curves_.Revision();
    const std::deque<EnergyCurves::Curve>& curves = curves_.Curves();
    // The curves of runs the record no longer keeps go.
    for (QAbstractSeries* series : chart_->series()) {
        const int run = series->property(RunProperty).toInt();
        if (std::ranges::none_of(curves, [run](const EnergyCurves::Curve& curve) { return curve.Run == run; })) {
            chart_->removeSeries(series);
            delete series;
        }
    }
    double lastDay = 1.0;
    double least = std::numeric_limits<double>::infinity();
    double most = 0.0;
    for (const EnergyCurves::Curve& curve : curves) {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(curve.Points.size()));
        for (const EnergyCurves::Point& point : curve.Points) {
            points.append(QPointF(point.Day, point.Change));
            lastDay = std::max(lastDay, point.Day);
            least = std::min(least, point.Change);
            most = std::max(most, point.Change);
        }
        // A curve only grows or is halved, so an unchanged count is an unchanged curve.
        QLineSeries* series = SeriesOf(curve);
        if (series->count() != points.size())
            series->replace(points);
    }
    days_->setRange(0.0, lastDay);
    days_->applyNiceNumbers();
    // Whole decades around the points (before the first, the whole span),
    // labelled every one, two or more decades so that the labels fit.
    const double low = std::floor(std::log10(most > 0.0 ? least : EnergyCurves::Floor));
    const double high = std::max(most > 0.0 ? std::ceil(std::log10(most)) : 0.0, low + 1.0);
    const double decadesPerLabel = std::ceil((high - low) / MaxLabels);
    change_->setBase(std::pow(10.0, decadesPerLabel));
    // A hair below the lowest decade, so that rounding cannot drop its label.
    change_->setRange(std::pow(10.0, low) * 0.999, std::pow(10.0, high));
}

}  // namespace kosmolux

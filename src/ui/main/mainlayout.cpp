#include "ui/main/mainlayout.h"

#include <algorithm>

#include <QWidgetItem>

#include "ui/main/plotplane.h"

namespace kosmolux {

namespace {

// The client width right of the planes' area, where the control column
// stands: the design's summary text ends at 513.
constexpr int ColumnWidth = MainLayout::DesignSize.width() - 513;
// The client height under the planes, where the scale label stands.
constexpr int ScaleBand = MainLayout::DesignSize.height() - 2 * MainLayout::DesignPlaneSize;

}  // namespace

MainLayout::MainLayout(QWidget* parent) : QLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
}

MainLayout::~MainLayout()
{
    for (const Entry& entry : entries_)
        delete entry.item;
}

void MainLayout::Add(QWidget* widget, const QRect& design, Anchor anchor)
{
    addChildWidget(widget);
    entries_.push_back({new QWidgetItem(widget), design, anchor});
    invalidate();
}

void MainLayout::SetOnePlane(bool onePlane)
{
    onePlane_ = onePlane;
    // Not geometry(): a layout forgets it whenever a control asks for another size.
    Place(parentWidget()->rect());
}

int MainLayout::PlaneSizeFor(const QSize& client)
{
    const int fits = std::min(client.width() - ColumnWidth, client.height() - ScaleBand) / 2;
    return std::max(0, fits / 2 * 2);
}

QRect MainLayout::Arrange(const QRect& design, Anchor anchor, const QSize& client, bool onePlane)
{
    const int side = PlaneSizeFor(client);
    const int growth = side - DesignPlaneSize;
    switch (anchor) {
    case Anchor::Plane:
        // The one-plane layout covers all four quadrants from the top-left corner.
        if (onePlane)
            return QRect(0, 0, 2 * side, 2 * side);
        return QRect(design.left() / DesignPlaneSize * side, design.top() / DesignPlaneSize * side,
                     side, side);
    case Anchor::FreeQuadrant:
        return design.adjusted(growth, growth, 2 * growth, 2 * growth);
    case Anchor::UnderPlanes:
        return design.translated(0, 2 * growth);
    case Anchor::RightColumn:
        return design.translated(client.width() - DesignSize.width(), 0);
    }
    return design;
}

void MainLayout::addItem(QLayoutItem* item)
{
    // Added the ordinary way, a control keeps its present place in the column.
    entries_.push_back({item, item->geometry(), Anchor::RightColumn});
    invalidate();
}

QLayoutItem* MainLayout::itemAt(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return entries_[static_cast<std::size_t>(index)].item;
}

QLayoutItem* MainLayout::takeAt(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    QLayoutItem* taken = entries_[static_cast<std::size_t>(index)].item;
    entries_.erase(entries_.begin() + index);
    return taken;
}

int MainLayout::count() const
{
    return static_cast<int>(entries_.size());
}

QSize MainLayout::sizeHint() const
{
    return DesignSize;
}

QSize MainLayout::minimumSize() const
{
    return DesignSize;
}

void MainLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    Place(rect);
    if (Arranged)
        Arranged();
}

void MainLayout::Place(const QRect& client)
{
    for (const Entry& entry : entries_) {
        const QRect placed =
            Arrange(entry.design, entry.anchor, client.size(), onePlane_).translated(client.topLeft());
        // A plane's image must follow at once, also while the window is hidden.
        if (auto* plane = qobject_cast<PlotPlane*>(entry.item->widget()))
            plane->Place(placed);
        else
            entry.item->widget()->setGeometry(placed);
    }
}

}  // namespace kosmolux

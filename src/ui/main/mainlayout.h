#pragma once

#include <functional>
#include <vector>

#include <QLayout>
#include <QRect>
#include <QSize>

namespace kosmolux {

// The main window's client area. At its design size every control sits where
// the design puts it. Larger, the planes grow to the largest even side for
// which all four quadrants still fit left of the control column and above the
// scale label; the summary text fills the quadrant the planes leave free, the
// scale label stays under the planes and the control column keeps its size
// at the right edge. Every rectangle comes from Arrange, so the design size
// and the grown sizes follow one rule, and a test can ask for them without a
// window.
class MainLayout : public QLayout {
    Q_OBJECT

public:
    // How a control follows the size of the client area.
    enum class Anchor {
        Plane,         // a plot plane: its quadrant, or all four in the one-plane layout
        FreeQuadrant,  // moves and grows with the quadrant no plane covers (bottom right)
        UnderPlanes,   // keeps its size, just under the planes
        RightColumn,   // keeps its size and its distance from the right edge
    };

    // The client area of the design, also the smallest the window allows.
    static constexpr QSize DesignSize{613, 533};
    // The side of one plane in the design, pixels.
    static constexpr int DesignPlaneSize = 256;

    explicit MainLayout(QWidget* parent);
    ~MainLayout() override;

    // design: the control's rectangle at the design size.
    void Add(QWidget* widget, const QRect& design, Anchor anchor);
    // Switches the planes between their quadrants and the one-plane layout
    // and places them at once.
    void SetOnePlane(bool onePlane);
    bool OnePlane() const { return onePlane_; }

    // The side of a plane of the all-planes layout for a client area: the
    // largest even number of pixels for which two planes side by side and two
    // above each other fit.
    static int PlaneSizeFor(const QSize& client);
    // Where a control of the given design rectangle and anchor goes.
    static QRect Arrange(const QRect& design, Anchor anchor, const QSize& client, bool onePlane);

    // Called after the window system had every control placed anew (a change
    // of size, a move to another screen); not after SetOnePlane.
    std::function<void()> Arranged;

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct Entry {
        QLayoutItem* item;
        QRect design;
        Anchor anchor;
    };

    void Place(const QRect& client);

    std::vector<Entry> entries_;
    bool onePlane_ = false;
};

}  // namespace kosmolux

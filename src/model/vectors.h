#pragma once

#include <deque>

#include "model/vector.h"

namespace kosmolux {

// An insertion-ordered list of vectors with 1-based positions: item 1 is the
// oldest entry, item Count() the newest. A body's position history is one.
// Entries carry no keys: no caller needs them, and every history entry of
// every body would pay for one.
class Vectors {
public:
    // Appends a new vector and returns the stored entry itself.
    Vector& Add(double x, double y, double z);
    // The stored entry itself; throws std::out_of_range outside 1..Count().
    Vector& Item(int position);
    const Vector& Item(int position) const;
    int Count() const { return static_cast<int>(entries_.size()); }
    // Removes an entry; later entries move up by one. Throws std::out_of_range
    // outside 1..Count().
    void Remove(int position);

    auto begin() { return entries_.begin(); }
    auto end() { return entries_.end(); }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    void CheckPosition(int position) const;

    // Both ends are touched at every plotted step; positions are read by index.
    std::deque<Vector> entries_;
};

}  // namespace kosmolux

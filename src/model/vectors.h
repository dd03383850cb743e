#pragma once

#include <cstddef>
#include <vector>

#include "model/vector.h"

namespace kosmolux {

// An insertion-ordered list of vectors with 1-based positions: item 1 is the
// oldest entry, item Count() the newest. A body's position history is one.
// Entries carry no keys: no caller needs them, and every history entry of
// every body would pay for one.
class Vectors {
public:
    // Appends a new vector and returns the stored entry itself; a later Add
    // may move the entries.
    Vector& Add(double x, double y, double z);
    // The stored entry itself; throws std::out_of_range outside 1..Count().
    Vector& Item(int position);
    const Vector& Item(int position) const;
    int Count() const { return count_; }
    // Removes an entry; later entries move up by one. Throws std::out_of_range
    // outside 1..Count(). The oldest and the newest entry go at no cost.
    void Remove(int position);

    // Visits the entries from the oldest to the newest.
    template <typename List, typename Value>
    class Iterator {
    public:
        using value_type = Vector;
        using difference_type = std::ptrdiff_t;
        Iterator() = default;
        Iterator(List* list, int index) : list_(list), index_(index) {}
        Value& operator*() const { return list_->At(index_); }
        Value* operator->() const { return &list_->At(index_); }
        Iterator& operator++() { ++index_; return *this; }
        Iterator operator++(int) { Iterator old = *this; ++index_; return old; }
        bool operator==(const Iterator&) const = default;

    private:
        List* list_ = nullptr;
        int index_ = 0;  // 0 for the oldest entry
    };
    using iterator = Iterator<Vectors, Vector>;
    using const_iterator = Iterator<const Vectors, const Vector>;

    iterator begin() { return iterator(this, 0); }
    iterator end() { return iterator(this, count_); }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, count_); }

private:
    void CheckPosition(int position) const;
    // The entry index places after the oldest one.
    Vector& At(int index) { return slots_[Slot(index)]; }
    const Vector& At(int index) const { return slots_[Slot(index)]; }
    std::size_t Slot(int index) const
    {
        return (first_ + static_cast<std::size_t>(index)) & (slots_.size() - 1);
    }
    void Grow();

    // A ring of a power-of-two size: the oldest entry at first_, the others
    // after it, round the end. Cheap at both ends and by position, and a
    // history with few entries takes little room.
    std::vector<Vector> slots_;
    std::size_t first_ = 0;
    int count_ = 0;
};

}  // namespace kosmolux

#include "model/vectors.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace kosmolux {

Vector& Vectors::Add(double x, double y, double z)
{
    if (static_cast<std::size_t>(count_) == slots_.size())
        Grow();
    Vector& added = At(count_);
    added = Vector{x, y, z};
    ++count_;
    return added;
}

Vector& Vectors::Item(int position)
{
    CheckPosition(position);
    return At(position - 1);
}

const Vector& Vectors::Item(int position) const
{
    CheckPosition(position);
    return At(position - 1);
}

void Vectors::Remove(int position)
{
    CheckPosition(position);
    if (position == 1) {
        first_ = Slot(1);
    } else {
        for (int index = position - 1; index < count_ - 1; ++index)
            At(index) = At(index + 1);
    }
    --count_;
}

void Vectors::CheckPosition(int position) const
{
    if (position < 1 || position > Count())
        throw std::out_of_range("Vectors: no entry at position " + std::to_string(position));
}

void Vectors::Grow()
{
    std::vector<Vector> larger(slots_.empty() ? 1 : 2 * slots_.size());
    for (int index = 0; index < count_; ++index)
        larger[static_cast<std::size_t>(index)] = At(index);
    slots_ = std::move(larger);
    first_ = 0;
}

}  // namespace kosmolux

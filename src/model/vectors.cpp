#include "model/vectors.h"

#include <stdexcept>
#include <string>

namespace kosmolux {

Vector& Vectors::Add(double x, double y, double z)
{
    return entries_.emplace_back(Vector{x, y, z});
}

Vector& Vectors::Item(int position)
{
    CheckPosition(position);
    return entries_[static_cast<std::size_t>(position - 1)];
}

const Vector& Vectors::Item(int position) const
{
    CheckPosition(position);
    return entries_[static_cast<std::size_t>(position - 1)];
}

void Vectors::Remove(int position)
{
    CheckPosition(position);
    if (position == 1)
        entries_.pop_front();
    else if (position == Count())
        entries_.pop_back();
    else
        entries_.erase(entries_.begin() + (position - 1));
}

void Vectors::CheckPosition(int position) const
{
    if (position < 1 || position > Count())
        throw std::out_of_range("Vectors: no entry at position " + std::to_string(position));
}

}  // namespace kosmolux

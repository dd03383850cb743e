#pragma once

#include <memory>

namespace kosmolux {

// A body's mass in kg. It reads and is assigned like a double; an assignment
// also raises the flag of the system holding the body, whose running sum of
// the masses must then be made afresh. A copy is a plain value and raises no
// flag.
class WatchedMass {
public:
    WatchedMass() = default;
    WatchedMass(const WatchedMass& other) : kg_(other.kg_) {}
    WatchedMass& operator=(const WatchedMass& other) { return *this = other.kg_; }
    WatchedMass& operator=(double kg)
    {
        kg_ = kg;
        if (const std::shared_ptr<bool> changed = changed_.lock())
            *changed = true;
        return *this;
    }
    operator double() const { return kg_; }

    // The flag an assignment raises from now on; an empty pointer for none.
    void RaiseOnChange(const std::shared_ptr<bool>& changed) { changed_ = changed; }

private:
    double kg_ = 0.0;
    std::weak_ptr<bool> changed_;
};

}  // namespace kosmolux

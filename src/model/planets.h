#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/identitycounter.h"
#include "model/planet.h"
#include "model/vector.h"

namespace kosmolux {

// The system: bodies in insertion order, each stored under a text key
// ("A" followed by its Id unless the caller names another). Bodies are shared,
// so a window holding one across a deletion or a merge never dangles.
class Planets {
public:
    explicit Planets(IdentityCounter& ids) : ids_(ids) {}
    // The members' masses report to this system alone.
    Planets(const Planets&) = delete;
    Planets& operator=(const Planets&) = delete;

    std::string SystemName;

    // The sum of the masses as of the last Add or Remove; 0.1 when it is 0.
    double TotalMass() const { return totalMass_; }
    // Mass-weighted mean position, divided by the cached TotalMass().
    Vector CentreOfMass() const;

    // Constructs a body with the next Id and appends it. An empty key stores it
    // under its GetKey(); a key already present throws std::invalid_argument.
    Planet& Add(const std::string& planetName, double mass, double diameter,
                double x, double y, double z, double vx, double vy, double vz,
                const std::string& key = {});

    // The stored body itself. A position outside 1..Count() throws
    // std::out_of_range; a missing key throws std::invalid_argument.
    Planet& Item(int position);
    const Planet& Item(int position) const;
    Planet& Item(const std::string& key);
    // The body under a key, or nullptr: for callers that must not fail.
    Planet* Find(const std::string& key) const;
    Planet* FindById(std::int32_t id) const { return Find(Planet::KeyOf(id)); }
    std::shared_ptr<Planet> Share(const std::string& key) const;

    int Count() const { return static_cast<int>(members_.size()); }
    // Removes a body, then recomputes TotalMass(); errors as for Item.
    void Remove(int position);
    void Remove(const std::string& key);
    // Makes room for this many bodies, so that adding them moves nothing.
    void Reserve(int count);
    // Removes every body at once: the same as removing the last one until
    // none is left, without the work of one removal after another.
    void Clear();

    // Grows with every Add and Remove: lets a long redraw notice that the
    // system changed under it.
    std::uint64_t Revision() const { return revision_; }

    template <typename Inner, typename Value>
    class Iterator {
    public:
        using value_type = Value;
        using difference_type = std::ptrdiff_t;
        Iterator() = default;
        explicit Iterator(Inner inner) : inner_(inner) {}
        Value& operator*() const { return **inner_; }
        Value* operator->() const { return inner_->get(); }
        Iterator& operator++() { ++inner_; return *this; }
        Iterator operator++(int) { Iterator old = *this; ++inner_; return old; }
        bool operator==(const Iterator&) const = default;

    private:
        Inner inner_{};
    };
    using Members = std::vector<std::shared_ptr<Planet>>;
    using iterator = Iterator<Members::const_iterator, Planet>;
    using const_iterator = Iterator<Members::const_iterator, const Planet>;

    iterator begin() { return iterator(members_.cbegin()); }
    iterator end() { return iterator(members_.cend()); }
    const_iterator begin() const { return const_iterator(members_.cbegin()); }
    const_iterator end() const { return const_iterator(members_.cend()); }

private:
    void CheckPosition(int position) const;
    std::size_t PositionOfKey(const std::string& key) const;
    void RemoveAt(std::size_t index);
    // Adds the mass of the body just added to the sum, or sums all masses
    // again from the first member: after a removal, or when a member's mass
    // was assigned since the last sum.
    void UpdateTotalMass(const Planet* added);

    IdentityCounter& ids_;
    Members members_;
    std::vector<std::string> keys_;  // keys_[i] is the key of members_[i]
    std::unordered_map<std::string, std::shared_ptr<Planet>> byKey_;
    // The masses of members_ summed in insertion order.
    double massSum_ = 0.0;
    std::shared_ptr<bool> massChanged_ = std::make_shared<bool>(false);
    double totalMass_ = 0.1;
    std::uint64_t revision_ = 0;
};

}  // namespace kosmolux

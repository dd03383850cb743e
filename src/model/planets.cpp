#include "model/planets.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace kosmolux {

Vector Planets::CentreOfMass() const
{
    double sumX = 0.0;
    double sumY = 0.0;
    double sumZ = 0.0;
    for (const auto& body : members_) {
        sumX += body->Mass * body->Position.XComp;
        sumY += body->Mass * body->Position.YComp;
        sumZ += body->Mass * body->Position.ZComp;
    }
    return Vector{sumX / totalMass_, sumY / totalMass_, sumZ / totalMass_};
}

Planet& Planets::Add(const std::string& planetName, double mass, double diameter,
                     double x, double y, double z, double vx, double vy, double vz,
                     const std::string& key)
{
    auto body = std::make_shared<Planet>(ids_.Take());
    body->PlanetName = planetName;
    body->Mass = mass;
    body->Diameter = diameter;
    body->Position = Vector{x, y, z};
    body->Velocity = Vector{vx, vy, vz};
    body->TotalAcceleration = Vector{};
    const std::string storedKey = key.empty() ? body->GetKey() : key;
    if (!byKey_.try_emplace(storedKey, body).second)
        throw std::invalid_argument("Planets: key already present: " + storedKey);
    keys_.push_back(storedKey);
    body->Mass.RaiseOnChange(massChanged_);
    Planet& added = *body;
    members_.push_back(std::move(body));
    ++revision_;
    UpdateTotalMass(&added);
    return added;
}

Planet& Planets::Item(int position)
{
    CheckPosition(position);
    return *members_[static_cast<std::size_t>(position - 1)];
}

const Planet& Planets::Item(int position) const
{
    CheckPosition(position);
    return *members_[static_cast<std::size_t>(position - 1)];
}

Planet& Planets::Item(const std::string& key)
{
    Planet* body = Find(key);
    if (!body)
        throw std::invalid_argument("Planets: no body under key " + key);
    return *body;
}

Planet* Planets::Find(const std::string& key) const
{
    const auto found = byKey_.find(key);
    return found == byKey_.end() ? nullptr : found->second.get();
}

std::shared_ptr<Planet> Planets::Share(const std::string& key) const
{
    const auto found = byKey_.find(key);
    return found == byKey_.end() ? nullptr : found->second;
}

void Planets::Remove(int position)
{
    CheckPosition(position);
    RemoveAt(static_cast<std::size_t>(position - 1));
}

void Planets::Remove(const std::string& key)
{
    RemoveAt(PositionOfKey(key));
}

void Planets::Reserve(int count)
{
    const auto size = static_cast<std::size_t>(std::max(count, 0));
    members_.reserve(size);
    keys_.reserve(size);
    byKey_.reserve(size);
}

void Planets::Clear()
{
    // Bodies kept elsewhere after their removal no longer count here.
    for (const auto& body : members_)
        body->Mass.RaiseOnChange(nullptr);
    members_.clear();
    keys_.clear();
    byKey_.clear();
    ++revision_;
    UpdateTotalMass(nullptr);
}

void Planets::CheckPosition(int position) const
{
    if (position < 1 || position > Count())
        throw std::out_of_range("Planets: no body at position " + std::to_string(position));
}

std::size_t Planets::PositionOfKey(const std::string& key) const
{
    const auto found = std::find(keys_.begin(), keys_.end(), key);
    if (found == keys_.end())
        throw std::invalid_argument("Planets: no body under key " + key);
    return static_cast<std::size_t>(found - keys_.begin());
}

void Planets::RemoveAt(std::size_t index)
{
    // A body kept elsewhere after its removal no longer counts here.
    members_[index]->Mass.RaiseOnChange(nullptr);
    byKey_.erase(keys_[index]);
    const auto offset = static_cast<std::ptrdiff_t>(index);
    keys_.erase(keys_.begin() + offset);
    members_.erase(members_.begin() + offset);
    ++revision_;
    UpdateTotalMass(nullptr);
}

void Planets::UpdateTotalMass(const Planet* added)
{
    // Adding the newcomer's mass to the last sum makes the same additions as
    // summing from the start, as long as no member's mass changed since.
    if (added && !*massChanged_) {
        massSum_ += added->Mass;
    } else {
        massSum_ = 0.0;
        for (const auto& member : members_)
            massSum_ += member->Mass;
        *massChanged_ = false;
    }
    totalMass_ = massSum_ != 0.0 ? massSum_ : 0.1;
}

}  // namespace kosmolux

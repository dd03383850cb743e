#include "model/planet.h"

namespace kosmolux {

Planet::Planet(std::int32_t id) : id_(id)
{
    History.Add(0.0, 0.0, 0.0);
}

std::string Planet::GetKey() const
{
    return KeyOf(id_);
}

std::string Planet::KeyOf(std::int32_t id)
{
    std::string key = "A";
    key += std::to_string(id);
    return key;
}

void Planet::AddToHistory()
{
    // The oldest entry goes before the new one comes, the same in the end as
    // after it: a full history then never needs room for one more.
    if (History.Count() >= MaxHistory)
        History.Remove(1);
    History.Add(Position.XComp, Position.YComp, Position.ZComp);
}

void Planet::RemoveFromHistory()
{
    if (History.Count() > 0)
        History.Remove(History.Count());
}

void Planet::SaveDisplayInfo(std::int16_t lastX, std::int16_t lastY, std::int16_t lastZ)
{
    LastX = lastX;
    LastY = lastY;
    LastZ = lastZ;
}

}  // namespace kosmolux

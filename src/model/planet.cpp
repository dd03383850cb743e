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
    History.Add(Position.XComp, Position.YComp, Position.ZComp);
    if (History.Count() > MaxHistory)
        History.Remove(1);
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

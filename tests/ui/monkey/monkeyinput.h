#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include <QString>

#include "model/planet.h"
#include "platform/randomsource.h"

namespace kosmolux::monkey {

// What a careless user types and picks: ordinary values most of the time,
// and now and then text that is no number, numbers at the ends of the range
// of a double, names the system file cannot carry, names that differ only in
// their capitals, and dates that do not exist.
class MonkeyInput {
public:
    explicit MonkeyInput(std::mt19937& engine) : engine_(engine) {}

    bool Chance(double probability);
    // A whole number in [0, count).
    int Below(int count);
    int Between(int lowest, int highest);
    template <typename T>
    const T& PickFrom(const std::vector<T>& choices)
    {
        return choices[static_cast<std::size_t>(Below(static_cast<int>(choices.size())))];
    }

    // A text for a mass, diameter, position, velocity, distance or angle box.
    QString NumberText();
    // A text for a name box or the rename box.
    QString NameText();
    // A text for the date picker.
    QString DateText();
    // The answer of the colour-choice dialog; nothing is its Cancel.
    std::optional<Colour> ColourAnswer();

private:
    QString OrdinaryNumber();

    std::mt19937& engine_;
};

// The program's random generator for generated bodies, drawn from the
// monkey's seed so that a run can be repeated.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    float Draw() override;

private:
    std::mt19937 engine_;
};

}  // namespace kosmolux::monkey

#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace kosmolux {

// How a run advances the system by one time step.
enum class StepMethod {
    Classic,   // one force pass, then position by old velocity and half the acceleration
    Leapfrog,  // drift-kick-drift: one force pass, energy kept to second order
    Yoshida,   // three leapfrogs of chosen lengths: three force passes, fourth order
};

// "Classic", "Leapfrog", "Yoshida": the file's and the menu's word.
std::string_view MethodName(StepMethod method);
// The method of that name, in any mix of capitals; nothing for another text.
std::optional<StepMethod> MethodNamed(std::string_view text);

// One stage of a method made of drifts and kicks. A drift moves every body
// that is not locked by its velocity times coefficient × step; a kick changes
// its velocity by its acceleration times coefficient × step.
struct Stage {
    enum class Kind { Drift, ForcePass, Kick };
    Kind What;
    double Coefficient = 0.0;  // of the time step; unused by a force pass
};

// The stages of Leapfrog and Yoshida in their order; Classic has none, its
// step being one whole move per body.
std::span<const Stage> StagesOf(StepMethod method);

}  // namespace kosmolux

#include "engine/stepmethod.h"

#include <algorithm>
#include <array>

namespace kosmolux {
namespace {

using Kind = Stage::Kind;

constexpr Stage Drift(double coefficient) { return {Kind::Drift, coefficient}; }
constexpr Stage Kick(double coefficient) { return {Kind::Kick, coefficient}; }
constexpr Stage ForcePass{Kind::ForcePass};

constexpr std::array LeapfrogStages{Drift(0.5), ForcePass, Kick(1.0), Drift(0.5)};

// Yoshida's fourth-order coefficients, as double literals so that every
// machine starts from the same bits.
constexpr double C1 = 0.6756035959798289;
constexpr double C2 = -0.17560359597982889;
constexpr double D1 = 1.3512071919596578;
constexpr double D2 = -1.7024143839193155;
constexpr std::array YoshidaStages{Drift(C1), ForcePass, Kick(D1), Drift(C2), ForcePass, Kick(D2),
                                   Drift(C2), ForcePass, Kick(D1), Drift(C1)};

constexpr std::array AllMethods{StepMethod::Classic, StepMethod::Leapfrog, StepMethod::Yoshida};

// ASCII only: the C library's tolower follows the user's locale.
char LowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return LowerCase(x) == LowerCase(y); });
}

}  // namespace

std::string_view MethodName(StepMethod method)
{
    switch (method) {
    case StepMethod::Leapfrog:
        return "Leapfrog";
    case StepMethod::Yoshida:
        return "Yoshida";
    default:
        return "Classic";
    }
}

std::optional<StepMethod> MethodNamed(std::string_view text)
{
    for (StepMethod method : AllMethods)
        if (SameIgnoringCase(text, MethodName(method)))
            return method;
    return std::nullopt;
}

std::span<const Stage> StagesOf(StepMethod method)
{
    switch (method) {
    case StepMethod::Leapfrog:
        return LeapfrogStages;
    case StepMethod::Yoshida:
        return YoshidaStages;
    default:
        return {};
    }
}

}  // namespace kosmolux

#pragma once
// One row of a truth table, and the order in which a lesson presents them.

#include <array>
#include <cstdint>

struct Pattern {
    float In1 = 0.0f;
    float In2 = 0.0f;
    float Target = 0.0f;
    bool operator==(const Pattern &) const = default;
};

// Patterns 1..4 of the loaded gate, at indices 0..3.
using Patterns = std::array<Pattern, 4>;

// The pattern presented after pattern `index`: 4 or more becomes 1,
// anything else grows by 1.
constexpr int32_t nextPatternIndex(int32_t index)
{
    return index >= 4 ? 1 : index + 1;
}

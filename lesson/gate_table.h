#pragma once
// The truth tables of the four gates: gate 1..4, pattern 1..4, and per
// pattern In1, In2, Target.

#include "lesson/pattern.h"

#include <array>
#include <cstdint>

enum Gate : uint8_t { NandGate = 1, OrGate = 2, AndGate = 3, XorGate = 4 };

// Byte 12*(g-1) + 3*(p-1) + v holds value v of pattern p of gate g.
constexpr std::array<uint8_t, 48> gateTable = {
    0, 0, 1, 0, 1, 1, 1, 0, 1, 1, 1, 0, // NAND
    1, 1, 1, 0, 1, 1, 1, 0, 1, 0, 0, 0, // OR
    1, 1, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, // AND
    1, 1, 0, 0, 1, 1, 1, 0, 1, 0, 0, 0, // XOR
};

constexpr uint8_t gateValue(int gate, int pattern, int value)
{
    return gateTable[12 * (gate - 1) + 3 * (pattern - 1) + value];
}

// The four patterns of the gate, in the table's order.
constexpr Patterns gatePatterns(int gate)
{
    Patterns patterns{};
    for (int p = 1; p <= 4; ++p)
        patterns[std::size_t(p - 1)] = {float(gateValue(gate, p, 0)), float(gateValue(gate, p, 1)),
                                        float(gateValue(gate, p, 2))};
    return patterns;
}

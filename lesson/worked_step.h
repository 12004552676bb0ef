#pragma once
// One step of the neuron in numbers: what it was given and what it computed
// from that, exactly as stored. Plain numbers, so the view needs no neuron.

#include "neuron/neuron.h"

#include <array>
#include <optional>

struct WorkedStep {
    // Given.
    int pattern = 0;                // 1..4; 0 when the inputs are no pattern of the gate
    float target = 0.0f;            // counts only with a pattern
    bool biasInput = false;         // the third input, with the weight w0
    std::array<float, 3> values{};  // x1, x2 and the bias input's value
    std::array<float, 3> weights{}; // w1, w2, w0 before the step
    float threshold = 0.0f;
    OutputKind kind = OutputKind::Step;
    bool learns = false; // a lesson iteration, which also updates the weights
    float rate = 0.0f;   // counts only when it learns

    // Computed; empty from where a result left the float range on.
    std::optional<float> sum;
    std::optional<float> output;
    std::optional<float> error;
    std::array<std::optional<float>, 3> newWeights{};

    // How many entries of the arrays count: 2, or 3 with the bias input. Held
    // as the bias flag, so no step can claim more inputs than it has room for.
    int inputs() const { return biasInput ? 3 : 2; }

    bool operator==(const WorkedStep &) const = default;
};

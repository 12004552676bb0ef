#pragma once
// The single artificial neuron the workbench trains: inputs with values and
// weights, a threshold, and a step, linear or sigmoid output.
//
// Values are stored as 32-bit floats; sums and products are formed in
// extended precision (Extended) and rounded when stored. A result beyond
// the 32-bit range raises "Floating point overflow" and changes nothing.

#include "runtime/float32.h"

#include <cstdint>
#include <optional>
#include <vector>

// What Output() gives, chosen by the two flags: the step value, the
// weighted sum, or its sigmoid.
enum class OutputKind : uint8_t { Step, Linear, Sigmoid };

struct InputLink {
    float Value;
    float Weight;
};

class Neuron {
public:
    // Allocates one link per input (none for a count of 0 or less), then
    // draws random values, weights and threshold.
    explicit Neuron(int32_t inputCount);

    Neuron(const Neuron &) = delete;
    Neuron &operator=(const Neuron &) = delete;

    // Reseeds the generator from the clock, then per link: value, sign,
    // factor and weight; finally the threshold (4n + 1 draws).
    void RandomizeWeights();

    // Out-of-range indices read 0.0 and write nothing.
    float GetInput(int32_t i) const;
    float GetWeight(int32_t i) const;
    void SetInput(int32_t i, float v);
    void SetWeight(int32_t i, float v);

    float WeightedSum() const;
    float Output() const;

    // Open to the owner.
    float Threshold = 0.0f;
    int32_t InputCount = 0;
    bool AnalogOutput = false;
    uint8_t ActivationMode = 0; // 0 linear family, 1 sigmoid family

    // The link the last operation worked on (an index; -1 before any).
    int32_t currentLink() const { return Current; }

private:
    bool inRange(int32_t i) const { return i >= 0 && i < InputCount; }

    std::vector<InputLink> Links;
    mutable int32_t Current = -1;
};

// One step of the weighted sum as the neuron forms it, input after input:
// value × weight + sum in extended precision, rounded to 32 bits. Empty
// where the stored sum leaves the float range. Every exact sum in the
// program goes through here.
inline std::optional<float> addWeightedInput(float sum, float value, float weight)
{
    return float32::tryStore(Extended(value) * weight + sum);
}

// The output for a weighted sum, by kind: the step value, the sum itself,
// or its sigmoid, which raises where the extended exponential overflows.
float outputForSum(OutputKind kind, float threshold, float sum);

inline OutputKind outputKindOf(const Neuron &neuron)
{
    if (!neuron.AnalogOutput)
        return OutputKind::Step;
    return neuron.ActivationMode == 0 ? OutputKind::Linear : OutputKind::Sigmoid;
}

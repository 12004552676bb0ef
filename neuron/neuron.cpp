#include "neuron/neuron.h"

#include "runtime/float32.h"
#include "runtime/random.h"
#include "runtime/sigmoid.h"

namespace {
// Draw 2 below this makes the weight negative: slightly more often than not.
#if TIVARO_NATIVE_EXTENDED
constexpr Extended negativeWeightOdds = 0.51L;
#else
// A long double literal here would be another format's rounding of 0.51.
const Extended negativeWeightOdds = extended::fromDecimal("0.51");
#endif
} // namespace

Neuron::Neuron(int32_t inputCount)
{
    InputCount = inputCount;
    if (inputCount > 0)
        Links.assign(static_cast<std::size_t>(inputCount), InputLink{0.0f, 0.0f});
    Current = inputCount > 0 ? inputCount - 1 : -1;
    RandomizeWeights();
}

void Neuron::RandomizeWeights()
{
    rng::reseedFromClock();
    for (int32_t i = 0; i < InputCount; ++i) {
        Current = i;
        InputLink &link = Links[static_cast<std::size_t>(i)];
        link.Value = static_cast<float>(rng::draw());
        const bool negative = static_cast<float>(rng::draw()) < negativeWeightOdds;
        float factor = static_cast<float>(rng::draw());
        if (negative)
            factor = -factor;
        link.Weight = static_cast<float>(rng::draw() * factor);
    }
    Threshold = static_cast<float>(rng::draw());
}

float Neuron::GetInput(int32_t i) const
{
    if (!inRange(i))
        return 0.0f;
    Current = i;
    return Links[static_cast<std::size_t>(i)].Value;
}

float Neuron::GetWeight(int32_t i) const
{
    if (!inRange(i))
        return 0.0f;
    Current = i;
    return Links[static_cast<std::size_t>(i)].Weight;
}

void Neuron::SetInput(int32_t i, float v)
{
    if (!inRange(i))
        return;
    Current = i;
    Links[static_cast<std::size_t>(i)].Value = v;
}

void Neuron::SetWeight(int32_t i, float v)
{
    if (!inRange(i))
        return;
    Current = i;
    Links[static_cast<std::size_t>(i)].Weight = v;
}

float Neuron::WeightedSum() const
{
    float sum = 0.0f;
    for (int32_t i = 0; i < InputCount; ++i) {
        Current = i;
        const InputLink &link = Links[static_cast<std::size_t>(i)];
        sum = float32::orOverflow(addWeightedInput(sum, link.Value, link.Weight));
    }
    return sum;
}

float Neuron::Output() const
{
    return outputForSum(outputKindOf(*this), Threshold, WeightedSum());
}

float outputForSum(OutputKind kind, float threshold, float sum)
{
    switch (kind) {
    case OutputKind::Step: return sum > threshold ? 1.0f : 0.0f;
    case OutputKind::Linear: return sum;
    case OutputKind::Sigmoid: break;
    }
    return float32::sigmoidExtended(threshold, sum);
}

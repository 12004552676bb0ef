#pragma once
// One lesson iteration: present a pattern, compute the error, and move every
// weight by learning rate x error x input.

#include "neuron/ann_unit.h"
#include "runtime/float32.h"
#include "runtime/sigmoid.h"
#include "workbench/workbench_state.h"

#include <array>
#include <cmath>

// The rule as the neuron defines its arithmetic: products and sums in
// extended precision, each stored result rounded to 32 bits, overflow raised.
inline float exactIteration(TNeuron &neuron, const TPattern &pattern, float rate)
{
    neuron.SetInput(0, pattern.In1);
    neuron.SetInput(1, pattern.In2);
    const float error = float32::store(static_cast<long double>(pattern.Target) - neuron.Output());
    for (int32_t i = 0; i < neuron.InputCount; ++i) {
        const float delta = float32::store(neuron.GetInput(i) * (static_cast<long double>(rate) * error));
        neuron.SetWeight(i, float32::store(static_cast<long double>(neuron.GetWeight(i)) + delta));
    }
    return error;
}

// input * x. For an input of 1 the product is x itself, bit for bit, so the
// linear and sigmoid loops pick it without waiting for the multiplication,
// which sits on the path from one iteration's weights to the next. The step
// loop is shorter than that wait and runs faster multiplying.
template <bool pickOnes>
inline float timesInput(float input, float x)
{
    if constexpr (pickOnes)
        return input == 1.0f ? x : input * x;
    else
        return input * x;
}

template <OutputKind kind>
constexpr bool picksOnes = kind != OutputKind::Step;

// The weighted sum as the neuron forms it, in plain float arithmetic (may
// come out infinite; fastIteration checks).
template <int inputs, bool pickOnes>
inline float weightedSum(const float (&weights)[3], const std::array<float, 3> &values)
{
    float sum = 0.0f;
#pragma GCC unroll 3
    for (int i = 0; i < inputs; ++i)
        sum = timesInput<pickOnes>(values[i], weights[i]) + sum;
    return sum;
}

// The same iteration in plain float arithmetic, from the weighted sum of
// these weights and values. With every input 0 or 1 the products are exact
// and a sum rounded once to extended and then to float equals the float sum,
// so the results are bit for bit those of exactIteration. Returns false,
// changing nothing, when a result leaves the float range: the caller then
// repeats the iteration exactly, which raises the overflow where the rule says.
// The sigmoid's own overflow is raised here, also before anything changes.
template <OutputKind kind, int inputs>
inline bool fastIteration(float (&weights)[3], const float (&values)[3], float sum, float threshold, float rate,
                          float target, float &error)
{
    if (!std::isfinite(sum)) [[unlikely]]
        return false;

    float output;
    if constexpr (kind == OutputKind::Step) {
        output = sum > threshold ? 1.0f : 0.0f;
    } else if constexpr (kind == OutputKind::Linear) {
        output = sum;
    } else {
        output = float32::sigmoid(threshold, sum);
    }

    const float err = target - output;
    const float step = rate * err;
    if (!std::isfinite(step)) [[unlikely]]
        return false;
    float next[inputs];
#pragma GCC unroll 3
    for (int i = 0; i < inputs; ++i) {
        next[i] = weights[i] + timesInput<picksOnes<kind>>(values[i], step);
        if (!std::isfinite(next[i])) [[unlikely]]
            return false;
    }
#pragma GCC unroll 3
    for (int i = 0; i < inputs; ++i)
        weights[i] = next[i];
    error = err;
    return true;
}

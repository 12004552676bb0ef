#pragma once
// One lesson iteration: present a pattern, compute the error, and move every
// weight by learning rate x error x input.

#include "lesson/pattern.h"
#include "neuron/neuron.h"
#include "runtime/float32.h"
#include "runtime/sigmoid_cursor.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <optional>

// The error and one weight's update as the rule forms them: products and
// sums in extended precision, each stored result rounded to 32 bits; empty
// where a result leaves the float range.
inline std::optional<float> lessonError(float target, float output)
{
    return float32::tryStore(Extended(target) - output);
}
inline std::optional<float> updatedWeight(float weight, float input, float rate, float error)
{
    const std::optional<float> delta = float32::tryStore(input * (Extended(rate) * error));
    return delta ? float32::tryStore(Extended(weight) + *delta) : std::nullopt;
}

// The rule on the neuron itself, overflow raised where it happens.
inline float exactIteration(Neuron &neuron, const Pattern &pattern, float rate)
{
    neuron.SetInput(0, pattern.In1);
    neuron.SetInput(1, pattern.In2);
    const float error = float32::orOverflow(lessonError(pattern.Target, neuron.Output()));
    for (int32_t i = 0; i < neuron.InputCount; ++i)
        neuron.SetWeight(i, float32::orOverflow(updatedWeight(neuron.GetWeight(i), neuron.GetInput(i), rate, error)));
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

// The loops' output for a pattern's weighted sum, in plain float arithmetic.
template <OutputKind kind>
class LessonOutput {
public:
    explicit LessonOutput(float threshold) : threshold(threshold) {}

    template <bool fused>
    bool tryOutput(float sum, int32_t /*patternIndex*/, float &output) const
    {
        if constexpr (kind == OutputKind::Step)
            output = sum > threshold ? 1.0f : 0.0f;
        else
            output = sum;
        return true;
    }

private:
    float threshold;
};

// One cursor per pattern: a pattern's sum moves little between its visits,
// so its cursor's cubic is nearly always the one needed.
template <>
class LessonOutput<OutputKind::Sigmoid> {
public:
    explicit LessonOutput(float threshold)
        : cursors{float32::SigmoidCursor(threshold), float32::SigmoidCursor(threshold),
                  float32::SigmoidCursor(threshold), float32::SigmoidCursor(threshold)}
    {
    }

    template <bool fused>
    bool tryOutput(float sum, int32_t patternIndex, float &output) const
    {
        return cursors[slot(patternIndex)].tryAt<fused>(sum, output);
    }

    // Out of line, wherever tryOutput declined; raises the sigmoid's
    // overflow where the rule does.
    float settle(float sum, int32_t patternIndex) { return cursors[slot(patternIndex)].moveTo(sum); }

private:
    static std::size_t slot(int32_t patternIndex) { return static_cast<std::size_t>(patternIndex - 1); }

    std::array<float32::SigmoidCursor, 4> cursors;
};

// The iteration from the output on: error, step and the new weights, in
// plain float arithmetic. With every input 0 or 1 the products are exact and
// a sum rounded once to extended and then to float equals the float sum, so
// the results are bit for bit those of exactIteration. Returns false,
// changing nothing, when a result leaves the float range: the caller then
// repeats the iteration exactly, which raises the overflow where the rule says.
// What depends on the platform: float operations round one by one to 32
// bits, nearest even, with no wider intermediates (SSE on x86-64, the FPU on
// arm64; checked below), none fused into a multiply-add (-ffp-contract=off),
// and subnormals kept (the default of both). The extended side is the same
// on every platform (runtime/extended.h), and its 64 bits are more than the
// 2 x 24 + 2 that make rounding to it and then to float the same as rounding
// to float once.
static_assert(FLT_EVAL_METHOD == 0, "float arithmetic rounds each operation to float");
template <OutputKind kind, int inputs>
inline bool applyOutput(float (&weights)[3], const float (&values)[3], float output, float rate, float target,
                        float &error)
{
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

// The whole iteration from the weighted sum of these weights and values,
// where the output's inline path serves it. Returns false, changing
// nothing, where it does not or a result leaves the float range.
template <OutputKind kind, int inputs, bool fused>
inline bool fastIteration(float (&weights)[3], const float (&values)[3], float sum, const LessonOutput<kind> &outputOf,
                          int32_t patternIndex, float rate, float target, float &error)
{
    float output;
    if (!std::isfinite(sum) || !outputOf.template tryOutput<fused>(sum, patternIndex, output)) [[unlikely]]
        return false;
    return applyOutput<kind, inputs>(weights, values, output, rate, target, error);
}

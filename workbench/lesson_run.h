#pragma once
// Runs lesson iterations on the neuron, fast: the weights live in locals
// while the iterations run and go back into the neuron whenever control
// leaves, also by an error, so the neuron always holds what was done.

#include "workbench/perceptron_rule.h"
#include "workbench/workbench_state.h"

#include <array>
#include <cstdint>

class LessonRun {
public:
    LessonRun(TNeuron &neuron, const std::array<TPattern, 4> &patterns, float rate, int32_t &patternIndex)
        : neuron(neuron), patterns(patterns), rate(rate), patternIndex(patternIndex)
    {
    }

    // Runs `count` iterations (fewer if an error ends them) and calls
    // onIteration(error) after each weight update. Returns the number run.
    template <class OnIteration>
    int64_t run(int64_t count, OnIteration &&onIteration)
    {
        switch (variantOf()) {
        case Variant::Step2: return loop<OutputKind::Step, 2>(count, onIteration);
        case Variant::Linear2: return loop<OutputKind::Linear, 2>(count, onIteration);
        case Variant::Sigmoid2: return loop<OutputKind::Sigmoid, 2>(count, onIteration);
        case Variant::Step3: return loop<OutputKind::Step, 3>(count, onIteration);
        case Variant::Linear3: return loop<OutputKind::Linear, 3>(count, onIteration);
        case Variant::Sigmoid3: return loop<OutputKind::Sigmoid, 3>(count, onIteration);
        case Variant::Exact: break;
        }
        int64_t done = 0;
        while (done < count) {
            const float error = exactIteration(neuron, nextPattern(), rate);
            ++done;
            onIteration(error);
        }
        return done;
    }

private:
    enum class Variant { Step2, Linear2, Sigmoid2, Step3, Linear3, Sigmoid3, Exact };

    // The float loop is exact only when every input is 0 or 1.
    Variant variantOf() const;

    const TPattern &nextPattern()
    {
        patternIndex = nextPatternIndex(patternIndex);
        return patterns[static_cast<std::size_t>(patternIndex - 1)];
    }

    // Weights, inputs and cursor live in locals here, which the compiler can
    // keep in registers: members cost a round trip through memory on every
    // iteration, which made a step lesson three times slower.
    template <OutputKind kind, int inputs, class OnIteration>
    int64_t loop(int64_t count, OnIteration &onIteration)
    {
        float weights[3] = {0, 0, 0};
        float values[3] = {0, 0, 0};
#pragma GCC unroll 3
        for (int i = 0; i < inputs; ++i) {
            weights[i] = neuron.GetWeight(i);
            values[i] = neuron.GetInput(i);
        }
        const float threshold = neuron.Threshold;
        int32_t index = patternIndex;
        bool neuronHoldsTheTruth = false; // while the exact rule works on it
        int64_t done = 0;
        // The sum of the coming pattern is formed as soon as the weights are
        // new, while they are still in registers; waiting for the next turn
        // costs a trip through memory on the path every iteration waits for.
        int32_t next = nextPatternIndex(index);
        float sum = weightedSum<inputs, picksOnes<kind>>(weights, patternValues(next, values));
        try {
            while (done < count) {
                index = next;
                const TPattern &pattern = patterns[static_cast<std::size_t>(index - 1)];
                values[0] = pattern.In1;
                values[1] = pattern.In2;
                float error;
                if (!fastIteration<kind, inputs>(weights, values, sum, threshold, rate, pattern.Target, error))
                    [[unlikely]] {
                    neuronHoldsTheTruth = true;
                    error = exactFallback<inputs>(pattern, weights);
                    neuronHoldsTheTruth = false;
                }
                ++done;
                next = nextPatternIndex(index);
                sum = weightedSum<inputs, picksOnes<kind>>(weights, patternValues(next, values));
                onIteration(error);
            }
        } catch (...) {
            patternIndex = index;
            if (!neuronHoldsTheTruth)
                writeBack<inputs>(weights, values);
            throw;
        }
        patternIndex = index;
        writeBack<inputs>(weights, values);
        return done;
    }

    // The values of pattern `index` with the other inputs as they are.
    std::array<float, 3> patternValues(int32_t index, const float (&values)[3]) const
    {
        const TPattern &pattern = patterns[static_cast<std::size_t>(index - 1)];
        return {pattern.In1, pattern.In2, values[2]};
    }

    template <int inputs>
    void writeBack(const float (&weights)[3], const float (&values)[3])
    {
#pragma GCC unroll 3
        for (int i = 0; i < inputs; ++i)
            neuron.SetWeight(i, weights[i]);
        neuron.SetInput(0, values[0]);
        neuron.SetInput(1, values[1]);
    }

    // Repeats an iteration that left the float range with the exact rule,
    // which raises the overflow at the step where it happens. Goes through a
    // copy so that the loop's weights never need an address of their own.
    template <int inputs>
    float exactFallback(const TPattern &pattern, float (&weights)[3])
    {
        float held[3] = {weights[0], weights[1], weights[2]};
        const float error = exactIterationFrom(pattern, inputs, held);
        weights[0] = held[0];
        weights[1] = held[1];
        weights[2] = held[2];
        return error;
    }

    // Puts the weights into the neuron, runs the exact rule, reads them back.
    float exactIterationFrom(const TPattern &pattern, int inputs, float (&weights)[3]);

    TNeuron &neuron;
    const std::array<TPattern, 4> &patterns;
    const float rate;
    int32_t &patternIndex;
};

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
        patternIndex = patternIndex >= 4 ? 1 : patternIndex + 1;
        return patterns[static_cast<std::size_t>(patternIndex - 1)];
    }

    // Keeps the neuron in step with the locals when the loop is left.
    struct WriteBack {
        LessonRun &run;
        int inputs;
        bool armed = true;
        ~WriteBack()
        {
            if (!armed)
                return;
            for (int i = 0; i < inputs; ++i)
                run.neuron.SetWeight(i, run.weights[i]);
            run.neuron.SetInput(0, run.values[0]);
            run.neuron.SetInput(1, run.values[1]);
        }
    };

    template <OutputKind kind, int inputs, class OnIteration>
    int64_t loop(int64_t count, OnIteration &onIteration)
    {
        for (int i = 0; i < inputs; ++i) {
            weights[i] = neuron.GetWeight(i);
            values[i] = neuron.GetInput(i);
        }
        const float threshold = neuron.Threshold;
        WriteBack writeBack{*this, inputs};
        int64_t done = 0;
        while (done < count) {
            const TPattern &pattern = nextPattern();
            values[0] = pattern.In1;
            values[1] = pattern.In2;
            float error;
            if (!fastIteration<kind, inputs>(weights, values, threshold, rate, pattern.Target, error)) [[unlikely]]
                error = exactFallback(pattern, inputs, writeBack.armed);
            ++done;
            onIteration(error);
        }
        return done;
    }

    // Repeats an iteration that left the float range with the exact rule,
    // which raises the overflow at the step where it happens.
    float exactFallback(const TPattern &pattern, int inputs, bool &writeBackArmed);

    TNeuron &neuron;
    const std::array<TPattern, 4> &patterns;
    const float rate;
    int32_t &patternIndex;
    float weights[3] = {0, 0, 0};
    float values[3] = {0, 0, 0};
};

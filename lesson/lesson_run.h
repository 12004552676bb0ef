#pragma once
// Runs lesson iterations on the neuron, fast: the weights live in locals
// while the iterations run and go back into the neuron whenever control
// leaves, also by an error, so the neuron always holds what was done.

#include "lesson/pattern.h"
#include "lesson/perceptron_rule.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <type_traits>

// x86 has fused multiply-adds only from some processors on: the fused loop
// is built for them, and chosen at run time. Elsewhere __builtin_fma needs
// no target, and __FP_FAST_FMA says whether it is an instruction.
#if defined(__x86_64__) || defined(__i386__)
#define TIVARO_X86 1
#define TIVARO_FUSED_TARGET [[gnu::target("fma")]]
#else
#define TIVARO_X86 0
#define TIVARO_FUSED_TARGET
#endif

class LessonRun {
public:
    // `fused`: let the sigmoid use fused multiply-adds; on by default where
    // the processor has them.
    // Starts after pattern `patternIndex`, the one presented last.
    LessonRun(Neuron &neuron, const Patterns &patterns, float rate, int32_t patternIndex,
              bool fused = processorHasFusedMultiplyAdd())
        : neuron(neuron), patterns(patterns), rate(rate), cursor(patternIndex), fused(fused)
    {
    }

    static bool processorHasFusedMultiplyAdd();

    // The neuron trained, and the pattern presented last; both stand where
    // the iterations run so far left them, also after an error.
    Neuron &trainedNeuron() const { return neuron; }
    int32_t patternIndex() const { return cursor; }
    // Puts the cursor back (to a state the lesson held before).
    void setPatternIndex(int32_t index) { cursor = index; }

    // The lesson's two ways to run iterations, built here with the lesson's
    // float flags: each error goes to *next++, or nowhere. They return the
    // number run; an error raised leaves `next` past the last error written.
    int64_t runCollecting(int64_t count, float *&next);
    int64_t runQuietly(int64_t count);
    // Code that ran before (Qt's drawing, when the progress dialog repaints)
    // may leave the upper halves of the vector registers in use; until they
    // are cleared, every plain SSE instruction of the loop waits on them,
    // and a lesson ran nearly three times slower while the dialog showed.
    // Nothing to do off x86.
    static void clearUpperVectorState();

    // Runs `count` iterations (fewer if an error ends them) and calls
    // onIteration(error) after each weight update. Returns the number run.
    template <class OnIteration>
    int64_t run(int64_t count, OnIteration &&onIteration)
    {
        clearUpperVectorState();
        switch (variantOf()) {
        case Variant::Step2: return loop<OutputKind::Step, 2>(count, onIteration);
        case Variant::Linear2: return loop<OutputKind::Linear, 2>(count, onIteration);
        case Variant::Sigmoid2:
            return fused ? fusedLoop<OutputKind::Sigmoid, 2>(count, onIteration)
                         : loop<OutputKind::Sigmoid, 2>(count, onIteration);
        case Variant::Step3: return loop<OutputKind::Step, 3>(count, onIteration);
        case Variant::Linear3: return loop<OutputKind::Linear, 3>(count, onIteration);
        case Variant::Sigmoid3:
            return fused ? fusedLoop<OutputKind::Sigmoid, 3>(count, onIteration)
                         : loop<OutputKind::Sigmoid, 3>(count, onIteration);
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

    const Pattern &nextPattern()
    {
        cursor = nextPatternIndex(cursor);
        return patterns[static_cast<std::size_t>(cursor - 1)];
    }

    // Never inlined: inside a larger function the loop shares its registers.
    template <OutputKind kind, int inputs, class OnIteration>
    [[gnu::noinline]] int64_t loop(int64_t count, OnIteration &onIteration)
    {
        return iterate<kind, inputs, false>(count, onIteration);
    }

    // The same, built for processors with fused multiply-adds (which the
    // caller checks); nothing but the sigmoid's cubic uses them.
    template <OutputKind kind, int inputs, class OnIteration>
    [[gnu::noinline]] TIVARO_FUSED_TARGET int64_t fusedLoop(int64_t count, OnIteration &onIteration)
    {
        return iterate<kind, inputs, true>(count, onIteration);
    }

    // Weights, inputs and cursor live in locals here, which the compiler can
    // keep in registers: members cost a round trip through memory on every
    // iteration, which made a step lesson three times slower. For the same
    // reason nothing on the fast path may raise: a value that an exception
    // handler needs is kept in memory. The slow path and a callback that can
    // raise settle the neuron themselves before an error leaves.
    template <OutputKind kind, int inputs, bool fusedArithmetic, class OnIteration>
    [[gnu::always_inline]] int64_t iterate(int64_t count, OnIteration &onIteration)
    {
        float weights[3] = {0, 0, 0};
        float values[3] = {0, 0, 0};
#pragma GCC unroll 3
        for (int i = 0; i < inputs; ++i) {
            weights[i] = neuron.GetWeight(i);
            values[i] = neuron.GetInput(i);
        }
        LessonOutput<kind> outputOf(neuron.Threshold);
        int32_t index = cursor;
        int64_t done = 0;
        // The sum of the coming pattern is formed as soon as the weights are
        // new, while they are still in registers; waiting for the next turn
        // costs a trip through memory on the path every iteration waits for.
        int32_t next = nextPatternIndex(index);
        float sum = weightedSum<inputs, picksOnes<kind>>(weights, patternValues(next, values));
        while (done < count) {
            index = next;
            const Pattern &pattern = patterns[static_cast<std::size_t>(index - 1)];
            values[0] = pattern.In1;
            values[1] = pattern.In2;
            float error;
            if (!fastIteration<kind, inputs, fusedArithmetic>(weights, values, sum, outputOf, index, rate,
                                                              pattern.Target, error)) [[unlikely]] {
                error = slowIteration<kind, inputs>(pattern, weights, values, sum, outputOf, index);
            }
            ++done;
            next = nextPatternIndex(index);
            sum = weightedSum<inputs, picksOnes<kind>>(weights, patternValues(next, values));
            if constexpr (std::is_nothrow_invocable_v<OnIteration &, float>) {
                onIteration(error);
            } else {
                try {
                    onIteration(error);
                } catch (...) {
                    settleNeuron<inputs>(index, weights, values);
                    throw;
                }
            }
        }
        settleNeuron<inputs>(index, weights, values);
        return done;
    }

    // The values of pattern `index` with the other inputs as they are.
    std::array<float, 3> patternValues(int32_t index, const float (&values)[3]) const
    {
        const Pattern &pattern = patterns[static_cast<std::size_t>(index - 1)];
        return {pattern.In1, pattern.In2, values[2]};
    }

    // The loop's state into the neuron and the pattern cursor. By value: a
    // reference would give the loop's arrays an address, and the compiler
    // would keep them in memory for the whole loop.
    template <int inputs>
    void settleNeuron(int32_t index, std::array<float, 3> weights, std::array<float, 2> values)
    {
        cursor = index;
#pragma GCC unroll 3
        for (int i = 0; i < inputs; ++i)
            neuron.SetWeight(i, weights[i]);
        neuron.SetInput(0, values[0]);
        neuron.SetInput(1, values[1]);
    }
    template <int inputs>
    void settleNeuron(int32_t index, const float (&weights)[3], const float (&values)[3])
    {
        settleNeuron<inputs>(index, std::array<float, 3>{weights[0], weights[1], weights[2]},
                             std::array<float, 2>{values[0], values[1]});
    }

    // An iteration the fast path declined, out of line, on copies: the
    // loop's own weights and values never get an address.
    template <OutputKind kind, int inputs>
    [[gnu::always_inline]] float slowIteration(const Pattern &pattern, float (&weights)[3], const float (&values)[3],
                                               float sum, LessonOutput<kind> &outputOf, int32_t index)
    {
        float held[3] = {weights[0], weights[1], weights[2]};
        const float heldValues[3] = {values[0], values[1], values[2]};
        const float error = settledIteration<kind, inputs>(pattern, held, heldValues, sum, outputOf, index);
        weights[0] = held[0];
        weights[1] = held[1];
        weights[2] = held[2];
        return error;
    }

    // The output's own slow way first (for a sigmoid, its cursor moves);
    // where a result leaves the float range the exact rule repeats the
    // iteration, raising the overflow at the step where it happens. Either
    // way an error leaves the neuron as the exact rule would.
    template <OutputKind kind, int inputs>
    [[gnu::noinline, gnu::cold]] float settledIteration(const Pattern &pattern, float (&weights)[3],
                                                        const float (&values)[3], float sum,
                                                        LessonOutput<kind> &outputOf, int32_t index)
    {
        if constexpr (kind == OutputKind::Sigmoid) {
            if (std::isfinite(sum)) {
                float output;
                try {
                    output = outputOf.settle(sum, index);
                } catch (...) {
                    settleNeuron<inputs>(index, weights, values); // the sigmoid raised: nothing changed
                    throw;
                }
                if (float error; applyOutput<kind, inputs>(weights, values, output, rate, pattern.Target, error))
                    return error;
            }
        }
        cursor = index;
        return exactIterationFrom(pattern, inputs, weights);
    }

    // Puts the weights into the neuron, runs the exact rule, reads them back.
    float exactIterationFrom(const Pattern &pattern, int inputs, float (&weights)[3]);

    Neuron &neuron;
    const Patterns &patterns;
    const float rate;
    int32_t cursor; // the pattern presented last
    const bool fused;
};

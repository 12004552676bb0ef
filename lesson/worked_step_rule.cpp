#include "lesson/worked_step_rule.h"

#include "lesson/perceptron_rule.h"
#include "runtime/app_error.h"

WorkedStep presentedStep(const Neuron &neuron, int pattern, float target)
{
    WorkedStep step;
    step.pattern = pattern;
    step.target = target;
    step.biasInput = neuron.InputCount > 2;
    for (int i = 0; i < step.inputs(); ++i) {
        step.values[std::size_t(i)] = neuron.GetInput(i);
        step.weights[std::size_t(i)] = neuron.GetWeight(i);
    }
    step.threshold = neuron.Threshold;
    step.kind = outputKindOf(neuron);
    return step;
}

WorkedStep lessonStep(const Neuron &neuron, const Pattern &pattern, int32_t index, float rate)
{
    WorkedStep step = presentedStep(neuron, index, pattern.Target);
    step.values[0] = pattern.In1;
    step.values[1] = pattern.In2;
    step.learns = true;
    step.rate = rate;
    return step;
}

WorkedStep raisingIteration(WorkedStep step, const Patterns &patterns, int64_t count)
{
    for (int64_t i = 1; i < count; ++i) {
        const WorkedStep worked = workOut(step);
        for (int k = 0; k < worked.inputs(); ++k)
            if (!worked.newWeights[std::size_t(k)])
                return step;
        if (!worked.error)
            return step;
        for (int k = 0; k < worked.inputs(); ++k)
            step.weights[std::size_t(k)] = *worked.newWeights[std::size_t(k)];
        step.pattern = nextPatternIndex(step.pattern);
        const Pattern &next = patterns[std::size_t(step.pattern - 1)];
        step.values[0] = next.In1;
        step.values[1] = next.In2;
        step.target = next.Target;
    }
    return step;
}

WorkedStep workOut(WorkedStep step)
{
    step.sum = step.output = step.error = std::nullopt;
    step.newWeights = {};
    std::optional<float> sum = 0.0f;
    for (int i = 0; i < step.inputs() && sum; ++i)
        sum = addWeightedInput(*sum, step.values[std::size_t(i)], step.weights[std::size_t(i)]);
    step.sum = sum;
    if (!sum)
        return step;
    try {
        step.output = outputForSum(step.kind, step.threshold, *sum);
    } catch (const AppError &) {
        return step; // the sigmoid's exponential overflowed
    }
    if (!step.learns)
        return step;

    step.error = lessonError(step.target, *step.output);
    if (!step.error)
        return step;
    for (int i = 0; i < step.inputs(); ++i) {
        const std::size_t k = std::size_t(i);
        step.newWeights[k] = updatedWeight(step.weights[k], step.values[k], step.rate, *step.error);
        if (!step.newWeights[k])
            break;
    }
    return step;
}

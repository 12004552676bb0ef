#include "lesson/lesson_repeat.h"

#include <algorithm>
#include <bit>

bool LessonRepeat::State::sameAs(const State &other, int inputCount) const
{
    if (patternIndex != other.patternIndex)
        return false;
    for (int i = 0; i < inputCount; ++i)
        if (std::bit_cast<uint32_t>(weights[std::size_t(i)]) != std::bit_cast<uint32_t>(other.weights[std::size_t(i)]))
            return false;
    return true;
}

LessonRepeat::State LessonRepeat::now() const
{
    const Neuron &neuron = lesson.trainedNeuron();
    State state;
    for (int i = 0; i < neuron.InputCount && i < 3; ++i)
        state.weights[std::size_t(i)] = neuron.GetWeight(i);
    state.inputs = {neuron.GetInput(0), neuron.GetInput(1)};
    state.patternIndex = lesson.patternIndex();
    return state;
}

void LessonRepeat::restore(const State &state)
{
    Neuron &neuron = lesson.trainedNeuron();
    for (int i = 0; i < neuron.InputCount && i < 3; ++i)
        neuron.SetWeight(i, state.weights[std::size_t(i)]);
    neuron.SetInput(0, state.inputs[0]);
    neuron.SetInput(1, state.inputs[1]);
    lesson.setPatternIndex(state.patternIndex);
}

LessonRepeat::Shortcut LessonRepeat::afterRun(int64_t ran, int64_t left)
{
    const Neuron &neuron = lesson.trainedNeuron();
    if (finished || neuron.InputCount > 3)
        return {};
    const State state = now();
    sinceSnapshot += ran;
    if (haveSnapshot && state.sameAs(snapshot, neuron.InputCount)) {
        finished = true;
        const int64_t period = findPeriod(state, sinceSnapshot, left);
        if (period == 0)
            return {};
        return {period, left / period * period};
    }
    if (!haveSnapshot || sinceSnapshot >= reach) {
        reach = std::min(2 * std::max(reach, sinceSnapshot), longestReach);
        snapshot = state;
        haveSnapshot = true;
        sinceSnapshot = 0;
    }
    return {};
}

// The state came back after `within` iterations, so the least period divides
// `within`; being a return to the same pattern, it is a multiple of 4. Every
// trial replays iterations the lesson has already run without an error, so
// none can raise. A failed trial puts the state back; a successful one leaves
// it after one period, which is the same state.
int64_t LessonRepeat::findPeriod(const State &start, int64_t within, int64_t left)
{
    for (int64_t period = 4; period <= std::min(within, left); period += 4) {
        if (within % period != 0)
            continue;
        errors.resize(std::size_t(period));
        float *next = errors.data();
        lesson.runCollecting(period, next);
        if (now().sameAs(start, lesson.trainedNeuron().InputCount))
            return period;
        restore(start);
    }
    errors.clear();
    return 0;
}

#pragma once
// What a lesson remembers between user actions: the neuron, the loaded
// patterns, the settings taken at the lesson's reset, the running total and
// the pattern cursor.

#include "lesson/pattern.h"
#include "neuron/neuron.h"

#include <cstdint>
#include <memory>

struct LessonState {
    std::unique_ptr<Neuron> neuron;
    Patterns patterns{}; // patterns 1..4, see pattern()
    float learningRate = 0.0f;
    int64_t repeatCount = 0;
    int64_t lessonTotal = 0;
    int32_t patternIndex = 0; // the pattern presented last, 1..4; 0 at start

    Pattern &pattern(int32_t index) { return patterns[static_cast<std::size_t>(index - 1)]; }

    // Every gate has a pattern with a 1 in it, so all zeros mean none was
    // ever chosen; once chosen, a gate stays loaded until the next one.
    bool gateLoaded() const { return patterns != Patterns{}; }

    void advancePattern() { patternIndex = nextPatternIndex(patternIndex); }
};

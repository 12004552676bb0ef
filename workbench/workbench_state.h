#pragma once
// What the workbench remembers between user actions. The edits of the main
// window hold the rest: the lesson and the evaluation read the weights back
// from them.

#include "neuron/neuron.h"
#include "ui_common/language.h"

#include <array>
#include <cstdint>
#include <memory>

class QLabel;
class QLineEdit;

// The pattern presented after pattern `index`: 4 or more becomes 1,
// anything else grows by 1.
constexpr int32_t nextPatternIndex(int32_t index)
{
    return index >= 4 ? 1 : index + 1;
}

struct Pattern {
    float In1;
    float In2;
    float Target;
};

struct WorkbenchState {
    std::unique_ptr<Neuron> neuron;

    // The bias controls; all null while the bias input is off.
    QLabel *biasLab = nullptr;
    QLineEdit *biasEdit = nullptr;
    QLabel *weight0Lab = nullptr;
    QLineEdit *weight0Edit = nullptr;

    Language language = German;
    std::array<Pattern, 4> patterns{}; // patterns 1..4, see pattern()
    float learningRate = 0.0f;
    int64_t repeatCount = 0;
    int64_t lessonTotal = 0;
    int32_t patternIndex = 0; // the pattern presented last, 1..4; 0 at start

    Pattern &pattern(int32_t index) { return patterns[static_cast<std::size_t>(index - 1)]; }

    // Every gate has a pattern with a 1 in it, so all zeros mean none was
    // ever chosen; once chosen, a gate stays loaded until the next one.
    bool gateLoaded() const
    {
        for (const Pattern &p : patterns)
            if (p.In1 != 0.0f || p.In2 != 0.0f || p.Target != 0.0f)
                return true;
        return false;
    }

    void advancePattern() { patternIndex = nextPatternIndex(patternIndex); }
};

#pragma once
// The edits whose text is the value. They are the neuron's memory between
// actions: the evaluation and every lesson read the weights back from the
// texts that the display wrote, so the display's rounding carries into
// training; the lesson counter and the repeat count are read from their
// edits at each lesson. Every such reading and writing is here.
//
// Each read parses one edit and stores it at once, so a text that does not
// parse stops the action with what came before it already taken.

#include "workbench/window_context.h"

#include <QString>
#include <cstdint>

class Neuron;

// The number in the lesson counter text ("0 / 200"): what follows the first
// "/" (the whole text when there is none), without surrounding blanks and
// control characters.
QString lessonCounterNumber(const QString &text);

class NeuronEdits {
public:
    explicit NeuronEdits(WindowContext &context) : context(context) {}

    // Weight 1, then weight 2.
    void readWeights(Neuron &neuron) const;
    // Input 1, then input 2.
    void readInputs(Neuron &neuron) const;
    // While the bias input is on: its input 1, then the bias weight.
    void readBias(Neuron &neuron) const;
    // An unreadable threshold means 0, without a message; a readable one
    // beyond the 32-bit range is still an overflow.
    void readThresholdLeniently(Neuron &neuron) const;
    void readThreshold(Neuron &neuron) const;
    void readOutputKind(Neuron &neuron) const;

    float learningRate() const;
    int32_t repeatCount() const;
    // The number in the lesson counter ("0 / 200"), as text: a message
    // about it quotes it.
    QString lessonCounterText() const;

    // Weights and inputs as the display shows them; the bias weight while
    // the bias input is on.
    void showWeightsAndInputs(const Neuron &neuron) const;
    void showInputs(float in1, float in2) const;
    void showOutput(float output, bool analog) const;
    void resetLessonCounter() const;
    void showLessonTotal(int64_t total) const;

private:
    WindowContext &context;
};

#pragma once
// The edits whose text is the value. They are the neuron's memory between
// actions: the evaluation and every lesson read the weights back from the
// texts that the display wrote, so the display's rounding carries into
// training; the lesson counter and the repeat count are read from their
// edits at each lesson. Every such reading and writing is here.
//
// Each read parses one edit, so a text that does not parse stops the action
// with what came before it already taken.

#include "lesson/lesson_session.h"
#include "workbench/window_context.h"

#include <QString>
#include <cstdint>

class Neuron;

// The number in the lesson counter text ("0 / 200"): what follows the first
// "/" (the whole text when there is none), without surrounding blanks and
// control characters.
QString lessonCounterNumber(const QString &text);

class NeuronEdits final : public LessonSettings {
public:
    explicit NeuronEdits(WindowContext &context) : context(context) {}

    // What a lesson takes from the window.
    int64_t lessonTotal() const override;
    AppError lessonTotalOutOfRange() const override;
    int32_t repeatCount() const override;
    float learningRate() const override;
    float threshold() const override;
    uint8_t activationMode() const override;
    float weightAsShown(int input) const override;

    // An unreadable threshold means 0, without a message; a readable one
    // beyond the 32-bit range is still an overflow.
    float thresholdLeniently() const;
    // Input 1 or 2 (0, 1), as typed.
    float input(int index) const;

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

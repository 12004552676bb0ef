#pragma once
// The decision view's words in the three interface languages, and the one
// line that describes the neuron's decision in numbers.

#include "decision/decision_rule.h"
#include "ui_common/language.h"

#include <QString>
#include <array>
#include <optional>

struct DecisionTexts {
    const char16_t *title;     // window title
    const char16_t *showEntry; // menu entry that opens and closes the view
    const char16_t *correct;   // "%1" correct of "%2"
    const char16_t *noLine;    // both input weights 0; "%1" the decision
    const char16_t *overflow;  // a pattern's sum leaves the float range
};
extern const std::array<DecisionTexts, languageCount> decisionTexts;

// A number with two decimals and the user's separator, without its sign
// (the caller writes " + " or " − "); from a million on in the workbench's
// fixed display format.
QString magnitudeText(float value);

// "0,50·x1 − 0,25·x2 + 0,25 = 0,50 — correct: 4 of 4", or with both input
// weights 0 which decision the whole plane gets. Without patterns (no gate
// yet) the count is left out.
QString describeDecision(const DecisionNeuron &neuron, const std::optional<Patterns> &patterns, Language language);

#pragma once
// The one line that describes the neuron's decision in numbers, in the
// interface language.

#include "decision/decision_rule.h"
#include "ui_common/language.h"

#include <QString>
#include <array>
#include <optional>

// The shortest decimal of the float, with the user's separator and without
// its sign (the caller writes " + " or " − "): the equation then says what
// the neuron decides, and never contradicts the count beside it.
QString magnitudeText(float value);

// "0,5·x1 − 0,25·x2 + 0,25 = 0,5 — correct: 4 of 4", or with both input
// weights 0 which decision the whole plane gets. Without patterns (no gate
// yet) the count is left out.
QString describeDecision(const DecisionNeuron &neuron, const std::optional<Patterns> &patterns, Language language);

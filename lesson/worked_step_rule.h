#pragma once
// One step of the neuron worked out again from what it was given, with the
// neuron's own arithmetic: the sum and the output as Output() forms them,
// and for a lesson iteration the error and the updates as exactIteration
// does. Bit for bit what the neuron and the lesson computed.

#include "lesson/pattern.h"
#include "lesson/worked_step.h"
#include "neuron/neuron.h"

#include <array>
#include <cstdint>

// What the neuron holds as it shows its output; `pattern` 0 for inputs that
// are no pattern of the gate.
WorkedStep presentedStep(const Neuron &neuron, int pattern, float target);

// What the next lesson iteration is given: the neuron as it stands and
// pattern `index`, which it presents.
WorkedStep lessonStep(const Neuron &neuron, const Pattern &pattern, int32_t index, float rate);

// The iteration among the `count` from `first` on that leaves the float
// range, found by working them out again; the last one if none does.
WorkedStep raisingIteration(WorkedStep first, const Patterns &patterns, int64_t count);

// The step with its results; where a result leaves the float range it and
// everything after it stay empty. Never raises.
WorkedStep workOut(WorkedStep step);

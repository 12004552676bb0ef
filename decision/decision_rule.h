#pragma once
// What the neuron decides over the input plane, computed exactly as the
// neuron computes it, from plain numbers: the view never touches the neuron
// itself (creating one would draw from the program's random generator).

#include "neuron/neuron.h"

#include <array>
#include <cstdint>
#include <optional>

// The neuron as the view sees it.
struct DecisionNeuron {
    float weight1 = 0.0f;
    float weight2 = 0.0f;
    float biasWeight = 0.0f; // counts only while `bias` is on
    float threshold = 0.0f;
    bool bias = false;
    OutputKind mode = OutputKind::Step;
    bool operator==(const DecisionNeuron &) const = default;
};

struct Pattern {
    float in1 = 0.0f;
    float in2 = 0.0f;
    float target = 0.0f;
    bool operator==(const Pattern &) const = default;
};
using Patterns = std::array<Pattern, 4>;

// The weighted sum as the neuron forms it: input 1, input 2, then the bias
// input (value 1), each step rounded to a 32-bit float. Empty where a stored
// sum leaves the float range (the neuron raises an overflow there).
std::optional<float> exactSum(const DecisionNeuron &neuron, float x1, float x2);

// 1 where the sum exceeds the threshold, strictly; empty on overflow. The
// step output, the sigmoid's 0.5 and the linear output's threshold all meet
// here, so the decision is the same in every output mode.
std::optional<bool> decides(const DecisionNeuron &neuron, float x1, float x2);

// How many of the patterns the neuron decides as their target; empty when
// any of their sums overflows.
std::optional<int> correctCount(const DecisionNeuron &neuron, const Patterns &patterns);

// For shading only, in double without the neuron's rounding; never raise:
// the weighted sum at a point of the plane, and the neuron's output in its
// mode for a sum, clamped to 0 … 1.
double planeSum(const DecisionNeuron &neuron, double x1, double x2);
double shadeOfSum(const DecisionNeuron &neuron, double sum);

// The plane the view shows: both inputs from -0.5 to 1.5.
struct PlaneBox {
    double low = -0.5;
    double high = 1.5;
};
struct PlanePoint {
    double x1 = 0;
    double x2 = 0;
};
struct PlaneSegment {
    PlanePoint from;
    PlanePoint to;
};

// The part of a·x1 + b·x2 = c inside the box; empty when a and b are both 0
// (no line) or when the line misses the box or only touches a corner.
std::optional<PlaneSegment> clipLine(double a, double b, double c, PlaneBox box = {});

// The neuron's own line: w1·x1 + w2·x2 (+ w0) = threshold.
std::optional<PlaneSegment> decisionLine(const DecisionNeuron &neuron, PlaneBox box = {});

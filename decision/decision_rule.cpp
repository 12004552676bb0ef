#include "decision/decision_rule.h"

#include "runtime/float32.h"

#include <algorithm>
#include <cmath>
#include <vector>

std::optional<float> exactSum(const DecisionNeuron &neuron, float x1, float x2)
{
    // The same order and rounding as the neuron: value × weight + sum.
    auto sum = float32::tryStore(static_cast<long double>(x1) * neuron.weight1 + 0.0f);
    if (sum)
        sum = float32::tryStore(static_cast<long double>(x2) * neuron.weight2 + *sum);
    if (sum && neuron.bias)
        sum = float32::tryStore(1.0L * neuron.biasWeight + *sum);
    return sum;
}

std::optional<bool> decides(const DecisionNeuron &neuron, float x1, float x2)
{
    const auto sum = exactSum(neuron, x1, x2);
    if (!sum)
        return std::nullopt;
    return *sum > neuron.threshold;
}

std::optional<int> correctCount(const DecisionNeuron &neuron, const Patterns &patterns)
{
    int correct = 0;
    for (const Pattern &pattern : patterns) {
        const auto decision = decides(neuron, pattern.in1, pattern.in2);
        if (!decision)
            return std::nullopt;
        if ((*decision ? 1.0f : 0.0f) == pattern.target)
            ++correct;
    }
    return correct;
}

double planeSum(const DecisionNeuron &neuron, double x1, double x2)
{
    return x1 * neuron.weight1 + x2 * neuron.weight2 + (neuron.bias ? double(neuron.biasWeight) : 0.0);
}

double shadeOfSum(const DecisionNeuron &neuron, double sum)
{
    double output = 0;
    switch (neuron.mode) {
    case OutputKind::Step: output = sum > neuron.threshold ? 1 : 0; break;
    case OutputKind::Linear: output = sum; break;
    case OutputKind::Sigmoid: output = 1.0 / (1.0 + std::exp(neuron.threshold - sum)); break;
    }
    if (std::isnan(output))
        return 0.0;
    return std::clamp(output, 0.0, 1.0);
}

std::optional<PlaneSegment> clipLine(double a, double b, double c, PlaneBox box)
{
    if (a == 0 && b == 0)
        return std::nullopt;
    // Where the line meets each edge's line, kept if on the edge itself.
    std::vector<PlanePoint> hits;
    const auto keep = [&](double x1, double x2) {
        if (std::isfinite(x1) && std::isfinite(x2) && x1 >= box.low && x1 <= box.high && x2 >= box.low &&
            x2 <= box.high)
            hits.push_back({x1, x2});
    };
    if (b != 0) {
        keep(box.low, (c - a * box.low) / b);
        keep(box.high, (c - a * box.high) / b);
    }
    if (a != 0) {
        keep((c - b * box.low) / a, box.low);
        keep((c - b * box.high) / a, box.high);
    }
    if (hits.size() < 2)
        return std::nullopt;
    // The two hits farthest apart (a corner is found twice).
    PlaneSegment best{hits[0], hits[0]};
    double longest = -1;
    for (const PlanePoint &p : hits)
        for (const PlanePoint &q : hits) {
            const double length = std::hypot(p.x1 - q.x1, p.x2 - q.x2);
            if (length > longest) {
                longest = length;
                best = {p, q};
            }
        }
    if (longest <= 0)
        return std::nullopt;
    return best;
}

std::optional<PlaneSegment> decisionLine(const DecisionNeuron &neuron, PlaneBox box)
{
    const double offset = neuron.bias ? neuron.biasWeight : 0.0;
    return clipLine(neuron.weight1, neuron.weight2, double(neuron.threshold) - offset, box);
}

#pragma once
// The neuron as the window shows it: its inputs, weights, threshold and
// output, the patterns presented one by one, the output settings and the
// randomise button.

#include "lesson/worked_step.h"
#include "workbench/neuron_edits.h"

#include <cstdint>

class SideViews;

class NeuronPanel {
public:
    NeuronPanel(WindowContext &context, const NeuronEdits &edits, SideViews &views);

    // Writes the neuron into the edits and computes its output.
    void showNeuron();
    // Takes the weights and inputs from the edits, then shows the neuron.
    void evaluate();
    // The pattern whose inputs were presented last, 1..4; 0 for random
    // inputs.
    void presentPattern(int32_t pattern) { presentedPattern = pattern; }
    int32_t patternPresented() const { return presentedPattern; }

    // Also run when the neuron is replaced: the new one computes what the
    // check box and the threshold edit show.
    void applyActivation();
    void takeThreshold();

private:
    void randomise();
    void presentNextPattern();
    void applyAnalogOutput();
    WorkedStep presentation() const;

    WindowContext &context;
    const NeuronEdits &edits;
    SideViews &views;
    int32_t presentedPattern = 0;
};

#pragma once
// The bias box: switching between a two- and a three-input neuron, with
// four controls of its own for the bias input while it is on.

#include "workbench/window_context.h"

#include <functional>

class NeuronPanel;

class BiasInput {
public:
    // `controlsCreated` runs once the bias controls exist, to name them.
    BiasInput(WindowContext &context, NeuronPanel &panel, std::function<void()> controlsCreated);

    // The four controls of the bias input, there or not; the neuron is
    // left as it is.
    void showBiasControls(bool on);

private:
    void toggleBias();
    void createBiasControls();
    void removeBiasControls();

    WindowContext &context;
    NeuronPanel &panel;
    std::function<void()> controlsCreated;
};

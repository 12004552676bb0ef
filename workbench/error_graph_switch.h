#pragma once
// The error graph box: the diagram or the error chart, and the chart's
// iteration axis.

#include "workbench/neuron_edits.h"

#include <cstdint>

class ErrorGraphSwitch {
public:
    ErrorGraphSwitch(WindowContext &context, const NeuronEdits &edits);

    // The iteration axis runs from 1 to `count`.
    void rescaleIterationAxis(int64_t count);
    // The chart in the diagram's place, or the diagram.
    void showGraph(bool on);

private:
    void toggleErrorGraph();

    WindowContext &context;
    const NeuronEdits &edits;
};

#pragma once
// The error graph box: the diagram or the error chart, and the chart's
// iteration axis.

#include "workbench/neuron_edits.h"

#include <QObject>
#include <cstdint>

class ErrorGraphSwitch : public QObject {
    Q_OBJECT
public:
    ErrorGraphSwitch(WindowContext &context, const NeuronEdits &edits);

    // The iteration axis runs from 0 to `count`.
    void rescaleIterationAxis(int64_t count);

private slots:
    void ErrGraphCBClick();

private:
    WindowContext &context;
    const NeuronEdits &edits;
};

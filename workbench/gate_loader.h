#pragma once
// The gate buttons: each loads the truth table of its gate as the training
// set and presents its first pattern.

#include "lesson/gate_table.h"
#include "ui_common/texts.h"
#include "workbench/neuron_edits.h"

#include <QObject>

class NeuronPanel;

class GateLoader : public QObject {
    Q_OBJECT
public:
    GateLoader(WindowContext &context, const NeuronEdits &edits, NeuronPanel &panel);

private slots:
    void AndGateBClick();
    void OrGateBClick();
    void NandGateBClick();
    void XorGateBClick();

private:
    void LoadGate(uint8_t gate);
    void loadGateAndThreshold(uint8_t gate, Text caption, const char *thresholdWithBias,
                              const char *thresholdWithoutBias);
    void enableLesson();

    WindowContext &context;
    const NeuronEdits &edits;
    NeuronPanel &panel;
};

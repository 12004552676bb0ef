#pragma once
// The gate buttons: each loads the truth table of its gate as the training
// set and presents its first pattern.

#include "lesson/gate_table.h"
#include "ui_common/language.h"
#include "workbench/neuron_edits.h"

#include <QString>

class NeuronPanel;
class QPushButton;

// The caption above the neuron that names `gate`.
QString gateCaption(Gate gate, Language language);
// The button that loads `gate`.
QPushButton *gateButton(const Ui::MainWindow &c, Gate gate);

class GateLoader {
public:
    GateLoader(WindowContext &context, const NeuronEdits &edits, NeuronPanel &panel);

private:
    void loadGate(Gate gate);
    // The patterns into the target list and the input edits.
    void listPatterns();

    WindowContext &context;
    const NeuronEdits &edits;
    NeuronPanel &panel;
};

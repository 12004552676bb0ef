#include "workbench/gate_loader.h"

#include "chart/error_chart.h"
#include "runtime/number_text.h"
#include "ui_common/texts.h"
#include "ui_main_window.h"
#include "workbench/captions.h"
#include "workbench/neuron_panel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// What each gate button does beyond loading its patterns. AND shows the
// neuron at once and keeps the threshold; the others set a threshold that
// suits them and leave the neuron's edits as they are.
struct GateButton {
    QPushButton *Ui::MainWindow::*button;
    Gate gate;
    Text caption;
    const char *thresholdWithBias;    // null: the threshold stays
    const char *thresholdWithoutBias; // null: the threshold stays
};

constexpr GateButton gateButtons[] = {
    {&Ui::MainWindow::andGateB, AndGate, Text::AndGateName, nullptr, nullptr},
    {&Ui::MainWindow::orGateB, OrGate, Text::OrGateName, "0", "0,5"},
    {&Ui::MainWindow::nandGateB, NandGate, Text::NandGateName, "0", "1,0"},
    {&Ui::MainWindow::xorGateB, XorGate, Text::XorGateName, "0", "1,0"},
};

const GateButton &buttonOf(Gate gate)
{
    for (const GateButton &button : gateButtons)
        if (button.gate == gate)
            return button;
    return gateButtons[0];
}

} // namespace

QString gateCaption(Gate gate, Language language)
{
    return text(buttonOf(gate).caption, language);
}

QPushButton *gateButton(const Ui::MainWindow &c, Gate gate)
{
    return c.*buttonOf(gate).button;
}

GateLoader::GateLoader(WindowContext &context, const NeuronEdits &edits, NeuronPanel &panel)
    : context(context), edits(edits), panel(panel)
{
    for (const GateButton &button : gateButtons)
        context.dispatch.wire(context.c.*button.button, [this, gate = button.gate] { loadGate(gate); });
}

void GateLoader::loadGate(Gate gate)
{
    Ui::MainWindow &c = context.c;
    const GateButton &button = buttonOf(gate);
    c.targetMemo->clear();
    if (c.errGraphCB->isChecked())
        c.errorChart->clearPoints();
    context.session.loadGate(gate);
    listPatterns();
    panel.presentPattern(1);
    if (!button.thresholdWithBias)
        panel.showNeuron();
    setCaption(c.infoLab, gateCaption(gate, context.language));
    edits.resetLessonCounter();
    if (button.thresholdWithBias) {
        const bool bias = c.biasCBox->isChecked();
        context.dispatch.setEditText(c.thresholdEdit,
                                     numtext::localized(bias ? button.thresholdWithBias : button.thresholdWithoutBias));
    }
    c.nextPatternB->setEnabled(true);
    c.lessonB->setEnabled(true);
}

void GateLoader::listPatterns()
{
    Ui::MainWindow &c = context.c;
    const QString start = c.biasCBox->isChecked() ? QStringLiteral("| 1 | ") : QStringLiteral("| ");
    const auto cell = [](float value) { return numtext::formatPlain(value) + QStringLiteral(" |"); };
    for (const Pattern &pattern : context.session.patterns())
        c.targetMemo->appendPlainText(start + cell(pattern.In1) + cell(pattern.In2) + QStringLiteral("  ->") +
                                      cell(pattern.Target));
    const Pattern &first = context.session.pattern(1);
    edits.showInputs(first.In1, first.In2);
}

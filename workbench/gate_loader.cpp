#include "workbench/gate_loader.h"

#include "chart/error_chart.h"
#include "runtime/number_text.h"
#include "ui_main_window.h"
#include "workbench/captions.h"
#include "workbench/neuron_panel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

GateLoader::GateLoader(WindowContext &context, const NeuronEdits &edits, NeuronPanel &panel)
    : context(context), edits(edits), panel(panel)
{
    Ui::MainWindow &c = context.c;
    ControlDispatch &d = context.dispatch;
    d.wire(c.andGateB, [this] { AndGateBClick(); });
    d.wire(c.orGateB, [this] { OrGateBClick(); });
    d.wire(c.nandGateB, [this] { NandGateBClick(); });
    d.wire(c.xorGateB, [this] { XorGateBClick(); });
}

void GateLoader::LoadGate(uint8_t gate)
{
    Ui::MainWindow &c = context.c;
    LessonState &lesson = context.lesson;
    const bool bias = c.biasCBox->isChecked();
    c.targetMemo->clear();
    if (c.errGraphCB->isChecked())
        c.errorChart->clearPoints();
    for (int p = 1; p <= 4; ++p) {
        Pattern &pattern = lesson.pattern(p);
        QString line = bias ? QStringLiteral("| 1 | ") : QStringLiteral("| ");
        pattern.In1 = gateValue(gate, p, 0);
        line += numtext::formatPlain(pattern.In1) + QStringLiteral(" |");
        pattern.In2 = gateValue(gate, p, 1);
        line += numtext::formatPlain(pattern.In2) + QStringLiteral(" |");
        pattern.Target = gateValue(gate, p, 2);
        line += QStringLiteral("  ->") + numtext::formatPlain(pattern.Target) + QStringLiteral(" |");
        c.targetMemo->appendPlainText(line);
    }
    const Pattern &first = lesson.pattern(1);
    edits.showInputs(first.In1, first.In2);
    lesson.neuron->SetInput(0, first.In1);
    lesson.neuron->SetInput(1, first.In2);
    panel.presentPattern(1);
    if (bias)
        lesson.neuron->SetInput(2, 1.0f);
}

void GateLoader::enableLesson()
{
    context.c.nextPatternB->setEnabled(true);
    context.c.lessonB->setEnabled(true);
}

void GateLoader::AndGateBClick()
{
    LoadGate(AndGate);
    panel.ShowNeuron();
    setCaption(context.c.infoLab, text(Text::AndGateName, context.language));
    edits.resetLessonCounter();
    enableLesson();
}

void GateLoader::loadGateAndThreshold(uint8_t gate, Text caption, const char *thresholdWithBias,
                                      const char *thresholdWithoutBias)
{
    Ui::MainWindow &c = context.c;
    LoadGate(gate);
    edits.resetLessonCounter();
    setCaption(c.infoLab, text(caption, context.language));
    context.dispatch.setEditText(
        c.thresholdEdit, numtext::localized(c.biasCBox->isChecked() ? thresholdWithBias : thresholdWithoutBias));
    enableLesson();
}

void GateLoader::OrGateBClick()
{
    loadGateAndThreshold(OrGate, Text::OrGateName, "0", "0,5");
}

void GateLoader::NandGateBClick()
{
    loadGateAndThreshold(NandGate, Text::NandGateName, "0", "1,0");
}

void GateLoader::XorGateBClick()
{
    loadGateAndThreshold(XorGate, Text::XorGateName, "0", "1,0");
}

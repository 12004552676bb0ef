#include "workbench/neuron_panel.h"

#include "chart/error_chart.h"
#include "lesson/worked_step_rule.h"
#include "runtime/number_text.h"
#include "ui_common/report.h"
#include "ui_common/texts.h"
#include "ui_main_window.h"
#include "workbench/side_views.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

NeuronPanel::NeuronPanel(WindowContext &context, const NeuronEdits &edits, SideViews &views)
    : context(context), edits(edits), views(views)
{
    Ui::MainWindow &c = context.c;
    ControlDispatch &d = context.dispatch;
    d.wire(c.randomNeuronB, [this] { randomise(); });
    d.wire(c.showAnalogCBox, [this] { applyAnalogOutput(); });
    // Not a slip: every change of the output text re-reads the threshold.
    d.wire(c.outputEdit, [this] { takeThreshold(); });
    d.wire(c.thresholdEdit, [this] { takeThreshold(); });
    d.wire(c.nextPatternB, [this] { presentNextPattern(); });
    d.wire(c.sigmoidCB, [this] { applyActivation(); });
}

void NeuronPanel::showNeuron()
{
    Neuron &neuron = context.session.neuron();
    edits.showWeightsAndInputs(neuron);
    if (context.c.biasCBox->isChecked())
        neuron.SetInput(2, 1.0f);
    // Noted before the output, which may overflow: the view shows where.
    views.noteStep(presentation());
    edits.showOutput(neuron.Output(), neuron.AnalogOutput);
}

void NeuronPanel::evaluate()
{
    Ui::MainWindow &c = context.c;
    if (c.in1Edit->text().isEmpty() || c.in2Edit->text().isEmpty()) {
        report::showNotice(text(Text::MissingInputs, context.language));
        return;
    }
    Neuron &neuron = context.session.neuron();
    neuron.SetWeight(0, edits.weightAsShown(0));
    neuron.SetWeight(1, edits.weightAsShown(1));
    neuron.SetInput(0, edits.input(0));
    neuron.SetInput(1, edits.input(1));
    // A bias weight the user typed counts here as in a lesson.
    if (c.biasCBox->isChecked()) {
        neuron.SetInput(2, 1.0f);
        neuron.SetWeight(2, edits.weightAsShown(2));
    }
    showNeuron();
}

void NeuronPanel::presentNextPattern()
{
    LessonSession &session = context.session;
    const Pattern &pattern = session.advancePattern();
    presentedPattern = session.patternIndex();
    edits.showInputs(pattern.In1, pattern.In2);
    evaluate();
}

void NeuronPanel::randomise()
{
    Ui::MainWindow &c = context.c;
    context.session.neuron().RandomizeWeights();
    const QString threshold = c.biasCBox->isChecked() ? QStringLiteral("0") : numtext::localized("0,5000");
    // The neuron always takes the shown threshold, also when the text stays.
    if (!context.dispatch.setEditText(c.thresholdEdit, threshold))
        takeThreshold();
    edits.resetLessonCounter();
    c.errorChart->clearPoints();
    c.nextPatternB->setEnabled(false);
    presentedPattern = 0; // random inputs
    showNeuron();
}

void NeuronPanel::applyAnalogOutput()
{
    context.session.neuron().AnalogOutput = context.c.showAnalogCBox->isChecked();
    showNeuron();
}

void NeuronPanel::applyActivation()
{
    context.session.neuron().ActivationMode = edits.activationMode();
}

void NeuronPanel::takeThreshold()
{
    context.session.neuron().Threshold = edits.thresholdLeniently();
}

WorkedStep NeuronPanel::presentation() const
{
    const LessonSession &session = context.session;
    const Neuron &neuron = session.neuron();
    // A pattern only while the neuron still holds its inputs.
    int pattern = 0;
    float target = 0.0f;
    if (presentedPattern >= 1 && presentedPattern <= 4) {
        const Pattern &shown = session.pattern(presentedPattern);
        if (neuron.GetInput(0) == shown.In1 && neuron.GetInput(1) == shown.In2) {
            pattern = presentedPattern;
            target = shown.Target;
        }
    }
    return presentedStep(neuron, pattern, target);
}

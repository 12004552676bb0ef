#include "workbench/neuron_panel.h"

#include "chart/error_chart.h"
#include "lesson/worked_step_rule.h"
#include "runtime/number_text.h"
#include "runtime/random.h"
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
    d.wire(c.randomNeuronB, [this] { RandomNeuronBClick(); });
    d.wire(c.showAnalogCBox, [this] { ShowAnalogCBoxClick(); });
    // Not a slip: every change of the output text re-reads the threshold.
    d.wire(c.outputEdit, [this] { ThresholdEditChange(); });
    d.wire(c.thresholdEdit, [this] { ThresholdEditChange(); });
    d.wire(c.nextPatternB, [this] { NextPatternBClick(); });
    d.wire(c.sigmoidCB, [this] { sigmoidCBClick(); });
}

void NeuronPanel::ShowNeuron()
{
    Neuron &neuron = *context.lesson.neuron;
    edits.showWeightsAndInputs(neuron);
    if (context.c.biasCBox->isChecked())
        neuron.SetInput(2, 1.0f);
    // Noted before the output, which may overflow: the view shows where.
    views.noteStep(presentation());
    edits.showOutput(neuron.Output(), neuron.AnalogOutput);
}

void NeuronPanel::ThinkBClick()
{
    Ui::MainWindow &c = context.c;
    if (c.in1Edit->text().isEmpty() || c.in2Edit->text().isEmpty()) {
        report::showNotice(text(Text::MissingInputs, context.language));
        return;
    }
    Neuron &neuron = *context.lesson.neuron;
    edits.readWeights(neuron);
    edits.readInputs(neuron);
    // A bias weight the user typed counts here as in a lesson.
    edits.readBias(neuron);
    ShowNeuron();
}

void NeuronPanel::NextPatternBClick()
{
    LessonState &lesson = context.lesson;
    lesson.advancePattern();
    presentedPattern = lesson.patternIndex;
    const Pattern &pattern = lesson.pattern(lesson.patternIndex);
    edits.showInputs(pattern.In1, pattern.In2);
    ThinkBClick();
}

void NeuronPanel::RandomNeuronBClick()
{
    Ui::MainWindow &c = context.c;
    context.lesson.neuron->RandomizeWeights();
    const QString threshold = c.biasCBox->isChecked() ? QStringLiteral("0") : numtext::localized("0,5000");
    // The neuron always takes the shown threshold, also when the text stays.
    if (!context.dispatch.setEditText(c.thresholdEdit, threshold))
        ThresholdEditChange();
    edits.resetLessonCounter();
    c.errorChart->clearPoints();
    c.nextPatternB->setEnabled(false);
    presentedPattern = 0; // random inputs
    ShowNeuron();
}

void NeuronPanel::ShowAnalogCBoxClick()
{
    context.lesson.neuron->AnalogOutput = context.c.showAnalogCBox->isChecked();
    ShowNeuron();
}

void NeuronPanel::sigmoidCBClick()
{
    edits.readOutputKind(*context.lesson.neuron);
}

void NeuronPanel::ThresholdEditChange()
{
    edits.readThresholdLeniently(*context.lesson.neuron);
}

WorkedStep NeuronPanel::presentation() const
{
    const LessonState &lesson = context.lesson;
    const Neuron &neuron = *lesson.neuron;
    // A pattern only while the neuron still holds its inputs.
    int pattern = 0;
    float target = 0.0f;
    if (presentedPattern >= 1 && presentedPattern <= 4) {
        const Pattern &shown = lesson.patterns[std::size_t(presentedPattern - 1)];
        if (neuron.GetInput(0) == shown.In1 && neuron.GetInput(1) == shown.In2) {
            pattern = presentedPattern;
            target = shown.Target;
        }
    }
    return presentedStep(neuron, pattern, target);
}

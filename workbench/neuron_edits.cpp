#include "workbench/neuron_edits.h"

#include "neuron/neuron.h"
#include "runtime/float32.h"
#include "runtime/number_text.h"
#include "ui_main_window.h"

#include <QCheckBox>
#include <QLineEdit>

QString lessonCounterNumber(const QString &text)
{
    QString rest = text.mid(text.indexOf(u'/') + 1);
    qsizetype begin = 0, end = rest.size();
    while (begin < end && rest[begin].unicode() <= u' ')
        ++begin;
    while (end > begin && rest[end - 1].unicode() <= u' ')
        --end;
    return rest.mid(begin, end - begin);
}

void NeuronEdits::readWeights(Neuron &neuron) const
{
    neuron.SetWeight(0, numtext::parseFloat32(context.c.weight1Edit->text()));
    neuron.SetWeight(1, numtext::parseFloat32(context.c.weight2Edit->text()));
}

void NeuronEdits::readInputs(Neuron &neuron) const
{
    neuron.SetInput(0, numtext::parseFloat32(context.c.in1Edit->text()));
    neuron.SetInput(1, numtext::parseFloat32(context.c.in2Edit->text()));
}

void NeuronEdits::readBias(Neuron &neuron) const
{
    if (!context.c.biasCBox->isChecked())
        return;
    neuron.SetInput(2, 1.0f);
    neuron.SetWeight(2, numtext::parseFloat32(context.bias.weight0Edit->text()));
}

void NeuronEdits::readThresholdLeniently(Neuron &neuron) const
{
    const auto value = numtext::tryParseFloat(context.c.thresholdEdit->text());
    neuron.Threshold = value ? float32::store(*value) : 0.0f;
}

void NeuronEdits::readThreshold(Neuron &neuron) const
{
    neuron.Threshold = numtext::parseFloat32(context.c.thresholdEdit->text());
}

void NeuronEdits::readOutputKind(Neuron &neuron) const
{
    neuron.ActivationMode = context.c.sigmoidCB->isChecked() ? 1 : 0;
}

float NeuronEdits::learningRate() const
{
    return numtext::parseFloat32(context.c.lRateEdit->text());
}

int32_t NeuronEdits::repeatCount() const
{
    return numtext::parseInt32(context.c.repeatEdit->text());
}

QString NeuronEdits::lessonCounterText() const
{
    return lessonCounterNumber(context.c.lessonCntEdit->text());
}

void NeuronEdits::showWeightsAndInputs(const Neuron &neuron) const
{
    ControlDispatch &d = context.dispatch;
    d.setEditText(context.c.weight1Edit, numtext::formatFixed(neuron.GetWeight(0)));
    d.setEditText(context.c.weight2Edit, numtext::formatFixed(neuron.GetWeight(1)));
    showInputs(neuron.GetInput(0), neuron.GetInput(1));
    if (context.c.biasCBox->isChecked())
        d.setEditText(context.bias.weight0Edit, numtext::formatFixed(neuron.GetWeight(2)));
}

void NeuronEdits::showInputs(float in1, float in2) const
{
    context.dispatch.setEditText(context.c.in1Edit, numtext::formatFixed(in1));
    context.dispatch.setEditText(context.c.in2Edit, numtext::formatFixed(in2));
}

void NeuronEdits::showOutput(float output, bool analog) const
{
    context.dispatch.setEditText(context.c.outputEdit,
                                 analog ? numtext::formatFixed(output) : numtext::formatPlain(output));
}

void NeuronEdits::resetLessonCounter() const
{
    context.dispatch.setEditText(context.c.lessonCntEdit, QStringLiteral("0"));
}

void NeuronEdits::showLessonTotal(int64_t total) const
{
    context.dispatch.setEditText(context.c.lessonCntEdit, QStringLiteral("0 / ") + QString::number(total));
}

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

int64_t NeuronEdits::lessonTotal() const
{
    return numtext::parseInt64(lessonCounterNumber(context.c.lessonCntEdit->text()));
}

AppError NeuronEdits::lessonTotalOutOfRange() const
{
    return errors::invalidInteger(lessonCounterNumber(context.c.lessonCntEdit->text()));
}

int32_t NeuronEdits::repeatCount() const
{
    return numtext::parseInt32(context.c.repeatEdit->text());
}

float NeuronEdits::learningRate() const
{
    return numtext::parseFloat32(context.c.lRateEdit->text());
}

float NeuronEdits::threshold() const
{
    return numtext::parseFloat32(context.c.thresholdEdit->text());
}

uint8_t NeuronEdits::activationMode() const
{
    return context.c.sigmoidCB->isChecked() ? 1 : 0;
}

float NeuronEdits::weightAsShown(int input) const
{
    const QLineEdit *edit = input == 0 ? context.c.weight1Edit
        : input == 1                   ? context.c.weight2Edit
                                       : context.bias.weight0Edit;
    return edit ? numtext::parseFloat32(edit->text()) : 0.0f;
}

float NeuronEdits::thresholdLeniently() const
{
    const auto value = numtext::tryParseFloat(context.c.thresholdEdit->text());
    return value ? float32::store(*value) : 0.0f;
}

float NeuronEdits::input(int index) const
{
    return numtext::parseFloat32((index == 0 ? context.c.in1Edit : context.c.in2Edit)->text());
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

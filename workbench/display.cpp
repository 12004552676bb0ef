// Presenting patterns and showing the neuron in the edits.

#include "workbench/main_window.h"

#include "runtime/float32.h"
#include "runtime/number_text.h"
#include "ui_common/report.h"
#include "ui_main_window.h"

#include <QCheckBox>
#include <QLineEdit>

void MainWindow::ShowNeuron()
{
    Ui::MainWindow &c = *ui;
    Neuron &neuron = *workbench.neuron;
    setEditText(c.weight1Edit, numtext::formatFixed(neuron.GetWeight(0)));
    setEditText(c.weight2Edit, numtext::formatFixed(neuron.GetWeight(1)));
    setEditText(c.in1Edit, numtext::formatFixed(neuron.GetInput(0)));
    setEditText(c.in2Edit, numtext::formatFixed(neuron.GetInput(1)));
    if (c.biasCBox->isChecked()) {
        setEditText(workbench.weight0Edit, numtext::formatFixed(neuron.GetWeight(2)));
        neuron.SetInput(2, 1.0f);
    }
    const float output = neuron.Output();
    setEditText(c.outputEdit, neuron.AnalogOutput ? numtext::formatFixed(output) : numtext::formatPlain(output));
}

void MainWindow::NextPatternBClick()
{
    Ui::MainWindow &c = *ui;
    workbench.advancePattern();
    const Pattern &pattern = workbench.pattern(workbench.patternIndex);
    setEditText(c.in1Edit, numtext::formatFixed(pattern.In1));
    setEditText(c.in2Edit, numtext::formatFixed(pattern.In2));
    ThinkBClick();
}

void MainWindow::ThinkBClick()
{
    Ui::MainWindow &c = *ui;
    if (c.in1Edit->text().isEmpty() || c.in2Edit->text().isEmpty()) {
        report::showNotice(QStringLiteral("Missing input values!"));
        return;
    }
    Neuron &neuron = *workbench.neuron;
    neuron.SetWeight(0, numtext::parseFloat32(c.weight1Edit->text()));
    neuron.SetWeight(1, numtext::parseFloat32(c.weight2Edit->text()));
    neuron.SetInput(0, numtext::parseFloat32(c.in1Edit->text()));
    neuron.SetInput(1, numtext::parseFloat32(c.in2Edit->text()));
    if (c.biasCBox->isChecked()) {
        neuron.SetInput(2, 1.0f);
        // A bias weight the user typed counts here as in a lesson.
        neuron.SetWeight(2, numtext::parseFloat32(workbench.weight0Edit->text()));
    }
    ShowNeuron();
}

void MainWindow::ShowAnalogCBoxClick()
{
    workbench.neuron->AnalogOutput = ui->showAnalogCBox->isChecked();
    ShowNeuron();
}

void MainWindow::sigmoidCBClick()
{
    workbench.neuron->ActivationMode = ui->sigmoidCB->isChecked() ? 1 : 0;
}

void MainWindow::ThresholdEditChange()
{
    // An unreadable text means threshold 0, without a message; a readable one
    // beyond the 32-bit range is still an overflow.
    const auto value = numtext::tryParseFloat(ui->thresholdEdit->text());
    workbench.neuron->Threshold = value ? float32::store(*value) : 0.0f;
}

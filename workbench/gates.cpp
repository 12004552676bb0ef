// Loading the truth table of a gate as the training set.

#include "workbench/main_window.h"

#include "chart/error_chart.h"
#include "lesson/gate_table.h"
#include "runtime/number_text.h"
#include "ui_main_window.h"
#include "workbench/captions.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

void MainWindow::LoadGate(uint8_t gate)
{
    Ui::MainWindow &c = *ui;
    const bool bias = c.biasCBox->isChecked();
    c.targetMemo->clear();
    if (c.errGraphCB->isChecked())
        c.errorChart->clearPoints();
    for (int p = 1; p <= 4; ++p) {
        Pattern &pattern = workbench.pattern(p);
        QString line = bias ? QStringLiteral("| 1 | ") : QStringLiteral("| ");
        pattern.In1 = gateValue(gate, p, 0);
        line += numtext::formatPlain(pattern.In1) + QStringLiteral(" |");
        pattern.In2 = gateValue(gate, p, 1);
        line += numtext::formatPlain(pattern.In2) + QStringLiteral(" |");
        pattern.Target = gateValue(gate, p, 2);
        line += QStringLiteral("  ->") + numtext::formatPlain(pattern.Target) + QStringLiteral(" |");
        c.targetMemo->appendPlainText(line);
    }
    const Pattern &first = workbench.pattern(1);
    setEditText(c.in1Edit, numtext::formatFixed(first.In1));
    setEditText(c.in2Edit, numtext::formatFixed(first.In2));
    workbench.neuron->SetInput(0, first.In1);
    workbench.neuron->SetInput(1, first.In2);
    if (bias)
        workbench.neuron->SetInput(2, 1.0f);
}

void MainWindow::AndGateBClick()
{
    Ui::MainWindow &c = *ui;
    LoadGate(AndGate);
    ShowNeuron();
    setCaption(c.infoLab, QStringLiteral("AND gate"));
    setEditText(c.lessonCntEdit, QStringLiteral("0"));
    c.nextPatternB->setEnabled(true);
    c.lessonB->setEnabled(true);
}

void MainWindow::loadGateAndThreshold(uint8_t gate, const char *caption, const char *thresholdWithBias,
                                      const char *thresholdWithoutBias)
{
    Ui::MainWindow &c = *ui;
    LoadGate(gate);
    setEditText(c.lessonCntEdit, QStringLiteral("0"));
    setCaption(c.infoLab, QString::fromLatin1(caption));
    setEditText(c.thresholdEdit,
                numtext::localized(c.biasCBox->isChecked() ? thresholdWithBias : thresholdWithoutBias));
    c.nextPatternB->setEnabled(true);
    c.lessonB->setEnabled(true);
}

void MainWindow::OrGateBClick()
{
    loadGateAndThreshold(OrGate, "OR gate", "0", "0,5");
}

void MainWindow::NandGateBClick()
{
    loadGateAndThreshold(NandGate, "NAND gate", "0", "1,0");
}

void MainWindow::XorGateBClick()
{
    loadGateAndThreshold(XorGate, "XOR gate", "0", "1,0");
}

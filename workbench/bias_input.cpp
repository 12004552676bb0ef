// Switching the bias input: a three-input neuron and four controls of its own.

#include "workbench/main_form.h"

#include "runtime/number_text.h"
#include "runtime/random.h"
#include "ui_main_window.h"
#include "workbench/accessible_names.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <utility>

namespace {

// The output controls sit this much higher while the bias controls exist.
constexpr int outputShift = 30;

void paintBlue(QWidget *control, int pointSize, bool bold)
{
    QFont font = control->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    control->setFont(font);
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    palette.setColor(QPalette::Text, Qt::blue);
    control->setPalette(palette);
}

void moveBy(QWidget *control, int dy)
{
    control->move(control->x(), control->y() + dy);
}

} // namespace

void TForm1::BiasCBoxClick()
{
    Ui::Form1 &c = *ui;
    workbench.neuron.reset();
    c.targetMemo->clear();
    const bool on = c.biasCBox->isChecked();
    if (on) {
        CreateBiasControls();
    } else if (workbench.biasLab) {
        delete std::exchange(workbench.biasLab, nullptr);
        delete std::exchange(workbench.biasEdit, nullptr);
        delete std::exchange(workbench.weight0Lab, nullptr);
        delete std::exchange(workbench.weight0Edit, nullptr);
        moveBy(c.outputLab, outputShift);
        moveBy(c.outputEdit, outputShift);
    }
    workbench.neuron = std::make_unique<TNeuron>(on ? 3 : 2);
    // The new neuron computes what the check boxes and the threshold edit show.
    workbench.neuron->AnalogOutput = c.showAnalogCBox->isChecked();
    sigmoidCBClick();
    ThresholdEditChange();
}

void TForm1::CreateBiasControls()
{
    Ui::Form1 &c = *ui;

    auto *biasLab = new QLabel(QStringLiteral("Bias"), this);
    paintBlue(biasLab, 10, true);
    biasLab->move(c.in1Lab->x(), c.in1Lab->y() - 70);
    biasLab->adjustSize();
    biasLab->setObjectName(QStringLiteral("biasLab"));
    workbench.biasLab = biasLab;

    auto *biasEdit = new QLineEdit(this);
    paintBlue(biasEdit, c.in1Edit->font().pointSize(), true);
    biasEdit->setGeometry(c.in1Edit->x(), biasLab->y() + 15, c.in1Edit->width(), c.in1Edit->height());
    biasEdit->setText(QStringLiteral("1"));
    biasEdit->setReadOnly(true);
    biasEdit->setObjectName(QStringLiteral("biasEdit"));
    workbench.biasEdit = biasEdit;

    auto *weight0Lab = new QLabel(QStringLiteral("weight 0"), this);
    paintBlue(weight0Lab, 10, false);
    weight0Lab->move(c.w1Lab->x(), c.in1Lab->y() - 35);
    weight0Lab->adjustSize();
    weight0Lab->setObjectName(QStringLiteral("weight0Lab"));
    workbench.weight0Lab = weight0Lab;

    auto *weight0Edit = new QLineEdit(this);
    paintBlue(weight0Edit, 10, false);
    weight0Edit->setGeometry(c.weight1Edit->x(), weight0Lab->y() + 15, c.weight1Edit->width(),
                             c.weight1Edit->height());
    weight0Edit->setText(numtext::formatFixed(static_cast<float>(rng::draw())));
    weight0Edit->setObjectName(QStringLiteral("weight0Edit"));
    workbench.weight0Edit = weight0Edit;

    for (QWidget *control : {static_cast<QWidget *>(biasLab), static_cast<QWidget *>(biasEdit),
                             static_cast<QWidget *>(weight0Lab), static_cast<QWidget *>(weight0Edit)})
        control->show();

    moveBy(c.outputLab, -outputShift);
    moveBy(c.outputEdit, -outputShift);
    nameControlsForScreenReaders(this);
}

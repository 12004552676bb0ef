#include "workbench/bias_input.h"

#include "runtime/number_text.h"
#include "runtime/random.h"
#include "ui_main_window.h"
#include "workbench/neuron_panel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <utility>

namespace {

// The output controls sit this much higher while the bias controls exist.
constexpr int outputShift = 30;

// One of the bias controls: a child of the window in blue, in the given size
// and weight, named for tests and screen readers, shown at once.
template <class Control>
Control *createBlue(QWidget *window, const char *name, int pointSize, bool bold)
{
    auto *control = new Control(window); // the window owns it
    control->setObjectName(QString::fromLatin1(name));
    QFont font = control->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    control->setFont(font);
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    palette.setColor(QPalette::Text, Qt::blue);
    control->setPalette(palette);
    control->show();
    return control;
}

void placeLabel(QLabel *label, const QString &caption, int left, int top)
{
    label->setText(caption);
    label->move(left, top);
    label->adjustSize();
}

void moveBy(QWidget *control, int dy)
{
    control->move(control->x(), control->y() + dy);
}

} // namespace

BiasInput::BiasInput(WindowContext &context, NeuronPanel &panel, std::function<void()> controlsCreated)
    : context(context), panel(panel), controlsCreated(std::move(controlsCreated))
{
    context.dispatch.wire(context.c.biasCBox, [this] { toggleBias(); });
}

void BiasInput::toggleBias()
{
    Ui::MainWindow &c = context.c;
    LessonSession &session = context.session;
    session.releaseNeuron();
    c.targetMemo->clear();
    const bool on = c.biasCBox->isChecked();
    if (on)
        createBiasControls();
    else
        removeBiasControls();
    session.makeNeuron(on ? 3 : 2);
    // The new neuron computes what the check boxes and the threshold edit show.
    session.neuron().AnalogOutput = c.showAnalogCBox->isChecked();
    panel.applyActivation();
    panel.takeThreshold();
}

void BiasInput::showBiasControls(bool on)
{
    if (on == (context.bias.biasLab != nullptr))
        return;
    if (on)
        createBiasControls();
    else
        removeBiasControls();
}

void BiasInput::removeBiasControls()
{
    BiasControls &bias = context.bias;
    if (!bias.biasLab)
        return;
    delete std::exchange(bias.biasLab, nullptr);
    delete std::exchange(bias.biasEdit, nullptr);
    delete std::exchange(bias.weight0Lab, nullptr);
    delete std::exchange(bias.weight0Edit, nullptr);
    moveBy(context.c.outputLab, outputShift);
    moveBy(context.c.outputEdit, outputShift);
}

void BiasInput::createBiasControls()
{
    Ui::MainWindow &c = context.c;
    QWidget *window = context.form;
    BiasControls &bias = context.bias;

    QLabel *biasLab = createBlue<QLabel>(window, "biasLab", 10, true);
    placeLabel(biasLab, QStringLiteral("Bias"), c.in1Lab->x(), c.in1Lab->y() - 70);
    bias.biasLab = biasLab;

    QLineEdit *biasEdit = createBlue<QLineEdit>(window, "biasEdit", c.in1Edit->font().pointSize(), true);
    biasEdit->setGeometry(c.in1Edit->x(), biasLab->y() + 15, c.in1Edit->width(), c.in1Edit->height());
    biasEdit->setText(QStringLiteral("1"));
    biasEdit->setReadOnly(true);
    bias.biasEdit = biasEdit;

    QLabel *weight0Lab = createBlue<QLabel>(window, "weight0Lab", 10, false);
    placeLabel(weight0Lab, QStringLiteral("weight 0"), c.w1Lab->x(), c.in1Lab->y() - 35);
    bias.weight0Lab = weight0Lab;

    QLineEdit *weight0Edit = createBlue<QLineEdit>(window, "weight0Edit", 10, false);
    weight0Edit->setGeometry(c.weight1Edit->x(), weight0Lab->y() + 15, c.weight1Edit->width(), c.weight1Edit->height());
    weight0Edit->setText(numtext::formatFixed(static_cast<float>(rng::draw())));
    bias.weight0Edit = weight0Edit;

    moveBy(c.outputLab, -outputShift);
    moveBy(c.outputEdit, -outputShift);
    controlsCreated();
}

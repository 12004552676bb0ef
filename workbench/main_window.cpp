#include "workbench/main_window.h"

#include "chart/error_chart.h"
#include "info/description_window.h"
#include "runtime/number_text.h"
#include "runtime/random.h"
#include "ui_common/toolkit_language.h"
#include "ui_common/user_action.h"
#include "ui_main_window.h"
#include "workbench/accessible_names.h"
#include "workbench/captions.h"
#include "workbench/grow_to_text.h"
#include "workbench/status_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

MainWindow::MainWindow(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::MainWindow>())
{
    ui->setupUi(this);
    // The layout's learning rate, in the user's own number format. Set before
    // the controls are wired, as a layout text is: no handler runs, so
    // learningRate stays 0 until the first lesson reset reads the edit.
    ui->lRateEdit->setText(numtext::localized("0,1"));
    // Edits the layout marks (the lesson counter) grow with their text,
    // never below their designed width.
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        if (growsToText(edit)) {
            edit->setMinimumWidth(edit->width());
            connect(edit, &QLineEdit::textChanged, this, [edit] { growToText(edit); });
        }
    }
    wireControls();
    // Before FormCreate, whose language switch names the view's entry.
    setUpDecisionView();
    setUpWorkedStepView();
    runUserAction(this, [this] { FormCreate(); });
    // Created once, hidden; the description button shows it.
    description = new DescriptionWindow(workbench.language, this);
}

MainWindow::~MainWindow() = default;

void MainWindow::wireControls()
{
    Ui::MainWindow &c = *ui;
    wiring = {
        {c.randomNeuronB, &MainWindow::RandomNeuronBClick},
        {c.andGateB, &MainWindow::AndGateBClick},
        {c.orGateB, &MainWindow::OrGateBClick},
        {c.nandGateB, &MainWindow::NandGateBClick},
        {c.xorGateB, &MainWindow::XorGateBClick},
        {c.showAnalogCBox, &MainWindow::ShowAnalogCBoxClick},
        // Not a slip: every change of the output text re-reads the threshold.
        {c.outputEdit, &MainWindow::ThresholdEditChange},
        {c.thresholdEdit, &MainWindow::ThresholdEditChange},
        {c.lRateEdit, &MainWindow::LRateEditChange},
        {c.repeatEdit, &MainWindow::RepeatEditChange},
        {c.lessonB, &MainWindow::LessonBClick},
        {c.nextPatternB, &MainWindow::NextPatternBClick},
        {c.endB, &MainWindow::EndBClick},
        {c.biasCBox, &MainWindow::BiasCBoxClick},
        {c.errGraphCB, &MainWindow::ErrGraphCBClick},
        {c.sigmoidCB, &MainWindow::sigmoidCBClick},
        {c.deRB, &MainWindow::deRBClick},
        {c.enRB, &MainWindow::deRBClick},
        {c.skRB, &MainWindow::deRBClick},
        {c.descriptionB, &MainWindow::descriptionBClick},
    };
    for (const Wiring &w : wiring) {
        const Handler handler = w.handler;
        auto run = [this, handler] {
            runUserAction(this, [this, handler] { (this->*handler)(); });
            // Also after an error: what was done before it stays done.
            runUserAction(this, [this] {
                refreshDecisionView();
                refreshWorkedStepView();
            });
        };
        if (auto *edit = qobject_cast<QLineEdit *>(w.control))
            connect(edit, &QLineEdit::textChanged, this, run);
        else if (auto *radio = qobject_cast<QRadioButton *>(w.control))
            connect(radio, &QRadioButton::toggled, this, [run](bool checked) {
                if (checked)
                    run();
            });
        else if (auto *box = qobject_cast<QCheckBox *>(w.control))
            connect(box, &QCheckBox::toggled, this, run);
        else if (auto *button = qobject_cast<QPushButton *>(w.control))
            connect(button, &QPushButton::clicked, this, run);
    }
}

MainWindow::Handler MainWindow::handlerOf(QObject *control) const
{
    for (const Wiring &w : wiring)
        if (w.control == control)
            return w.handler;
    return nullptr;
}

void MainWindow::runNested(QObject *control)
{
    if (const Handler handler = handlerOf(control))
        (this->*handler)();
}

bool MainWindow::setEditText(QLineEdit *edit, const QString &text)
{
    if (edit->text() == text)
        return false;
    {
        const QSignalBlocker quiet(edit);
        edit->setText(text);
    }
    // The text changed without a signal.
    if (growsToText(edit))
        growToText(edit);
    runNested(edit);
    return true;
}

bool MainWindow::setChecked(QAbstractButton *box, bool checked)
{
    if (box->isChecked() == checked)
        return false;
    {
        const QSignalBlocker quiet(box);
        box->setChecked(checked);
    }
    // A radio button's handler runs only when it becomes checked.
    if (checked || !qobject_cast<QRadioButton *>(box))
        runNested(box);
    return true;
}

void MainWindow::FormCreate()
{
    Ui::MainWindow &c = *ui;
    workbench.neuron = std::make_unique<Neuron>(2);
    setCaption(c.in1Lab, text(Text::Input1Label, workbench.language));
    setCaption(c.in2Lab, text(Text::Input2Label, workbench.language));
    setChecked(c.showAnalogCBox, true);
    setChecked(c.biasCBox, false);
    c.nextPatternB->setEnabled(false);
    c.lessonB->setEnabled(false);
    c.errorChart->hide();
    rng::reseedFromClock();
    setEditText(c.thresholdEdit, numtext::localized("0,500"));
    setEditText(c.repeatEdit, QStringLiteral("100"));
    workbench.language = Language::German;
    ApplyLanguage();
    c.deRB->setText(QStringLiteral("DE"));
    c.enRB->setText(QStringLiteral("EN"));
    c.skRB->setText(QStringLiteral("SK"));
    ShowNeuron();
    setCaption(c.mesLab, UnscrambleText(scrambledStatus()));
}

void MainWindow::FormClose()
{
    workbench.neuron.reset();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    runUserAction(this, [this] { FormClose(); });
    QWidget::closeEvent(event);
}

void MainWindow::changeEvent(QEvent *event)
{
    // The user changed the system's number format while we run.
    if (event->type() == QEvent::LocaleChange)
        numtext::setDecimalSeparator(numtext::systemDecimalSeparator());
    QWidget::changeEvent(event);
}

void MainWindow::EndBClick()
{
    close();
}

void MainWindow::RandomNeuronBClick()
{
    Ui::MainWindow &c = *ui;
    workbench.neuron->RandomizeWeights();
    const QString threshold = c.biasCBox->isChecked() ? QStringLiteral("0") : numtext::localized("0,5000");
    // The neuron always takes the shown threshold, also when the text stays.
    if (!setEditText(c.thresholdEdit, threshold))
        ThresholdEditChange();
    setEditText(c.lessonCntEdit, QStringLiteral("0"));
    c.errorChart->clearPoints();
    c.nextPatternB->setEnabled(false);
    presentedPattern = 0; // random inputs
    ShowNeuron();
}

void MainWindow::descriptionBClick()
{
    if (!description)
        return;
    // This window takes no action while the description is open; a close
    // of it closes the description first, then this window.
    ActionHold hold(this, nullptr, description);
    hold.lockControls();
    hold.onCloseRequest([this] { description->close(); });
    description->showModally();
}

void MainWindow::deRBClick()
{
    Ui::MainWindow &c = *ui;
    if (c.deRB->isChecked())
        workbench.language = Language::German;
    else if (c.enRB->isChecked())
        workbench.language = Language::English;
    else if (c.skRB->isChecked())
        workbench.language = Language::Slovak;
    ApplyLanguage();
}

void MainWindow::nameEditsForScreenReaders()
{
    Ui::MainWindow &c = *ui;
    nameEditsAfterLabels({
        {c.in1Edit, c.in1Lab},
        {c.in2Edit, c.in2Lab},
        {c.weight1Edit, c.w1Lab},
        {c.weight2Edit, c.w2Lab},
        {c.outputEdit, c.outputLab},
        {c.thresholdEdit, c.thresholdLab},
        {c.lRateEdit, c.learningRateLab},
        {c.repeatEdit, c.repeatLab},
        {c.lessonCntEdit, c.lesonDoneLab},
        {c.targetMemo, c.targetLab},
        {workbench.biasEdit, workbench.biasLab},
        {workbench.weight0Edit, workbench.weight0Lab},
    });
}

void MainWindow::ApplyLanguage()
{
    const Language language = workbench.language;
    Ui::MainWindow &c = *ui;
    const std::pair<QWidget *, Text> captions[] = {
        {c.showAnalogCBox, Text::ShowAnalogBox},
        {c.randomNeuronB, Text::RandomiseButton},
        {c.targetLab, Text::TargetLabel},
        {c.lessonB, Text::LessonButton},
        {c.descriptionB, Text::DescriptionButton},
        {c.repeatLab, Text::RepeatLabel},
        {c.lesonDoneLab, Text::DoneLabel},
        {c.infoLab, Text::ChooseGatePrompt},
        {c.nextPatternB, Text::NextPatternButton},
        {c.learningRateLab, Text::LearningRateLabel},
        {c.biasCBox, Text::BiasBox},
        {c.errGraphCB, Text::ErrorGraphBox},
        {c.endB, Text::EndButton},
        {c.sigmoidCB, Text::SigmoidBox},
        {c.spracheRG, Text::LanguageGroup},
    };
    for (const auto &[control, key] : captions) {
        // The prompt to choose a gate only while none is chosen: a loaded
        // gate keeps its name, which reads the same in every language.
        if (control == c.infoLab && workbench.gateLoaded())
            continue;
        setCaption(control, text(key, language));
    }
    c.errorChart->leftAxis().setTitle(text(Text::ErrorAxisTitle, language));
    c.errorChart->bottomAxis().setTitle(text(Text::IterationAxisTitle, language));
    useToolkitLanguage(language);
    ui->errorChart->setTexts(pictureMenuTexts(language));
    // The chart has no caption of its own to announce.
    ui->errorChart->setAccessibleName(
        QStringLiteral("Tivaro: %1 / %2")
            .arg(ui->errorChart->leftAxis().title(), ui->errorChart->bottomAxis().title()));
    nameEditsForScreenReaders();
    retitleDecisionView();
    retitleWorkedStepView();
}

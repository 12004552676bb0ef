// Feeding the worked-step view from the workbench: opening and closing it,
// and handing it the neuron's last step after every action and during long
// lessons.

#include "workbench/main_window.h"

#include "chart/error_chart.h"
#include "lesson/worked_step_rule.h"
#include "ui_common/texts.h"
#include "ui_common/user_action.h"
#include "ui_common/window_placement.h"
#include "ui_main_window.h"
#include "workbench/diagram_image.h"
#include "worked_step/worked_step_view.h"

#include <QAction>

void MainWindow::setUpWorkedStepView()
{
    workedStepAction = addViewToggle(Qt::Key_F3, &MainWindow::toggleWorkedStepView,
                                     [this] { return workedStep && workedStep->isVisible(); });
    ui->errorChart->setExtraMenuActions({decisionAction, workedStepAction});
}

void MainWindow::toggleWorkedStepView()
{
    if (workedStep && workedStep->isVisible()) {
        workedStep->close();
        return;
    }
    if (!workedStep) {
        workedStep = new WorkedStepView(this);
        workedStep->bindToggle(workedStepAction);
        retitleWorkedStepView();
    }
    refreshWorkedStepView(true);
    workedStep->makeRoomForText();
    moveBeside(workedStep, this, diagramAndChart());
    workedStep->show();
}

void MainWindow::refreshWorkedStepView(bool evenHidden)
{
    if (!workedStep || (!evenHidden && !workedStep->isVisible()))
        return;
    workedStep->showStep(lastStep ? std::optional<WorkedStep>(workOut(*lastStep)) : std::nullopt);
}

void MainWindow::retitleWorkedStepView()
{
    const Language language = workbench.language;
    if (workedStepAction)
        workedStepAction->setText(text(Text::WorkedStepEntry, language));
    if (workedStep)
        workedStep->setLanguage(language);
}

WorkedStep MainWindow::presentation() const
{
    const Neuron &neuron = *workbench.neuron;
    // A pattern only while the neuron still holds its inputs.
    int pattern = 0;
    float target = 0.0f;
    if (presentedPattern >= 1 && presentedPattern <= 4) {
        const Pattern &shown = workbench.patterns[std::size_t(presentedPattern - 1)];
        if (neuron.GetInput(0) == shown.In1 && neuron.GetInput(1) == shown.In2) {
            pattern = presentedPattern;
            target = shown.Target;
        }
    }
    return presentedStep(neuron, pattern, target);
}

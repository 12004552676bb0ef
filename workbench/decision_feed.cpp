// Feeding the decision view from the workbench: opening and closing it, and
// handing it the neuron's numbers after every action and during long lessons.

#include "workbench/main_window.h"

#include "chart/error_chart.h"
#include "decision/decision_texts.h"
#include "decision/decision_view.h"
#include "ui_common/texts.h"
#include "ui_common/user_action.h"
#include "ui_common/window_placement.h"
#include "ui_main_window.h"
#include "workbench/captions.h"
#include "workbench/diagram_image.h"

#include <QAction>
#include <QCheckBox>
#include <algorithm>

namespace {

// No gate has been chosen while every pattern is still all zero.
std::optional<Patterns> loadedGate(const LessonState &lesson)
{
    if (!lesson.gateLoaded())
        return std::nullopt;
    return lesson.patterns;
}

} // namespace

QAction *MainWindow::addViewToggle(Qt::Key key, void (MainWindow::*toggle)(), std::function<bool()> shown)
{
    // A function key, not Ctrl+D or the like: a focused line edit takes
    // those as its own.
    auto *action = new QAction(this);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setCheckable(true);
    addAction(action);
    connect(action, &QAction::triggered, this, [this, action, toggle, shown = std::move(shown)] {
        runUserAction(this, [this, toggle] { (this->*toggle)(); });
        // The action checks itself when triggered; during a lesson the entry
        // turns the toggle away, so the mark must follow the view, not the key.
        action->setChecked(shown());
    });
    ui->diagramImage->setContextMenuPolicy(Qt::ActionsContextMenu);
    ui->diagramImage->addAction(action);
    return action;
}

void MainWindow::setUpDecisionView()
{
    decisionAction = addViewToggle(Qt::Key_F2, &MainWindow::toggleDecisionView,
                                   [this] { return decision && decision->isVisible(); });
    ui->errorChart->setExtraMenuActions({decisionAction});
}

QRect MainWindow::diagramAndChart() const
{
    const auto within = [this](const QWidget *part) { return QRect(part->mapTo(this, QPoint(0, 0)), part->size()); };
    return within(ui->diagramImage).united(within(ui->errorChart));
}

void MainWindow::toggleDecisionView()
{
    if (decision && decision->isVisible()) {
        decision->close();
        return;
    }
    if (!decision) {
        decision = new DecisionView(this);
        decision->bindToggle(decisionAction);
        retitleDecisionView();
    }
    // Beside this window, never over the diagram or the chart it explains.
    moveBeside(decision, this, diagramAndChart());
    decision->show();
    refreshDecisionView();
}

void MainWindow::refreshDecisionView()
{
    if (!decision || !decision->isVisible() || !workbench.neuron)
        return;
    const Neuron &neuron = *workbench.neuron;
    DecisionNeuron shown;
    shown.weight1 = neuron.GetWeight(0);
    shown.weight2 = neuron.GetWeight(1);
    shown.bias = ui->biasCBox->isChecked();
    shown.biasWeight = shown.bias ? neuron.GetWeight(2) : 0.0f;
    shown.threshold = neuron.Threshold;
    shown.mode = outputKindOf(neuron);
    decision->showNeuron(shown, loadedGate(workbench));
}

void MainWindow::noteLessonInDecisionView()
{
    if (!decision || !decision->isVisible())
        return;
    refreshDecisionView();
    decision->noteLesson();
}

void MainWindow::retitleDecisionView()
{
    const Language language = workbench.language;
    if (decisionAction)
        decisionAction->setText(text(Text::DecisionEntry, language));
    if (decision) {
        decision->setLanguage(language);
        decision->setMenuTexts(pictureMenuTexts(language));
    }
}

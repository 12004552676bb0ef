#include "workbench/side_views.h"

#include "chart/error_chart.h"
#include "decision/decision_texts.h"
#include "decision/decision_view.h"
#include "lesson/worked_step_rule.h"
#include "ui_common/texts.h"
#include "ui_common/user_action.h"
#include "ui_main_window.h"
#include "workbench/diagram_image.h"
#include "worked_step/worked_step_view.h"

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QMainWindow>

namespace {

// No gate has been chosen while every pattern is still all zero.
std::optional<Patterns> loadedGate(const LessonSession &session)
{
    if (!session.gateLoaded())
        return std::nullopt;
    return session.patterns();
}

} // namespace

SideViews::SideViews(WindowContext &context, QMainWindow *window)
    : context(context), window(window), docks(window), decisionPane(docks.addDock(QStringLiteral("decisionDock"))),
      workedStepPane(docks.addDock(QStringLiteral("workedStepDock")))
{
    decisionAction = addViewToggle(Qt::Key_F2, &SideViews::toggleDecisionView, decisionPane);
    workedStepAction = addViewToggle(Qt::Key_F3, &SideViews::toggleWorkedStepView, workedStepPane);
    docks.onClosed(
        [this](QDockWidget *dock) { (dock == decisionPane ? decisionAction : workedStepAction)->setChecked(false); });
}

QAction *SideViews::addViewToggle(Qt::Key key, void (SideViews::*toggle)(), QDockWidget *dock)
{
    // A function key, not Ctrl+D or the like: a focused line edit takes
    // those as its own.
    auto *action = new QAction(window);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setCheckable(true);
    window->addAction(action);
    // The key also works while the view floats in a window of its own.
    dock->addAction(action);
    connect(action, &QAction::triggered, this, [this, action, toggle, dock] {
        runUserAction(window, [this, toggle] { (this->*toggle)(); });
        // The action checks itself when triggered; during a lesson the entry
        // turns the toggle away, so the mark must follow the view, not the key.
        action->setChecked(docks.isOpen(dock));
    });
    return action;
}

template <class View>
void SideViews::toggle(View *&view, QDockWidget *dock, QAction *entry, void (SideViews::*make)(),
                       void (SideViews::*fill)())
{
    if (docks.isOpen(dock)) {
        docks.close(dock);
        return;
    }
    if (!view) {
        view = new View;
        view->setToggle(entry);
        dock->setWidget(view); // the dock owns it
        (this->*make)();
    }
    // Filled first: the dock is sized to what the view shows.
    (this->*fill)();
    docks.open(dock);
}

void SideViews::toggleDecisionView()
{
    toggle(decision, decisionPane, decisionAction, &SideViews::makeDecisionView, &SideViews::refreshDecisionView);
}

void SideViews::toggleWorkedStepView()
{
    toggle(workedStep, workedStepPane, workedStepAction, &SideViews::makeWorkedStepView,
           &SideViews::refreshWorkedStepView);
}

void SideViews::makeDecisionView()
{
    // Its own menu offers the entry that closes it, as the worked step's does.
    decision->setExtraMenuActions({decisionAction});
    retitleDecisionView();
}

void SideViews::makeWorkedStepView()
{
    retitleWorkedStepView();
}

void SideViews::refresh()
{
    if (decision && docks.isOpen(decisionPane))
        refreshDecisionView();
    if (workedStep && docks.isOpen(workedStepPane))
        refreshWorkedStepView();
}

void SideViews::refreshDecisionView()
{
    if (!context.session.hasNeuron())
        return;
    const Neuron &neuron = context.session.neuron();
    DecisionNeuron shown;
    shown.weight1 = neuron.GetWeight(0);
    shown.weight2 = neuron.GetWeight(1);
    shown.bias = context.c.biasCBox->isChecked();
    shown.biasWeight = shown.bias ? neuron.GetWeight(2) : 0.0f;
    shown.threshold = neuron.Threshold;
    shown.mode = outputKindOf(neuron);
    decision->showNeuron(shown, loadedGate(context.session));
}

void SideViews::refreshWorkedStepView()
{
    workedStep->showStep(lastStep ? std::optional<WorkedStep>(workOut(*lastStep)) : std::nullopt);
}

std::vector<DecisionNeuron> SideViews::decisionTrail() const
{
    if (!decision)
        return {};
    return {decision->trail().begin(), decision->trail().end()};
}

void SideViews::restore(bool decisionOpen, bool workedStepOpen, const std::optional<WorkedStep> &step,
                        const std::vector<DecisionNeuron> &trail)
{
    lastStep = step;
    if (decisionViewOpen() != decisionOpen)
        toggleDecisionView();
    if (workedStepViewOpen() != workedStepOpen)
        toggleWorkedStepView();
    decisionAction->setChecked(decisionOpen);
    workedStepAction->setChecked(workedStepOpen);
    refresh();
    if (decision)
        decision->setTrail({trail.begin(), trail.end()});
}

void SideViews::noteLesson()
{
    if (!decision || !docks.isOpen(decisionPane))
        return;
    refreshDecisionView();
    decision->noteLesson();
}

void SideViews::retitle()
{
    retitleDecisionView();
    retitleWorkedStepView();
    docks.retranslate();
}

void SideViews::retitleDecisionView()
{
    const Language language = context.language;
    decisionAction->setText(text(Text::DecisionEntry, language));
    decisionPane->setWindowTitle(text(Text::DecisionTitle, language));
    if (decision) {
        decision->setLanguage(language);
        decision->setMenuTexts(pictureMenuTexts(language));
    }
}

void SideViews::retitleWorkedStepView()
{
    const Language language = context.language;
    workedStepAction->setText(text(Text::WorkedStepEntry, language));
    workedStepPane->setWindowTitle(text(Text::WorkedStepTitle, language));
    if (workedStep)
        workedStep->setLanguage(language);
}

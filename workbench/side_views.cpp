#include "workbench/side_views.h"

#include "chart/error_chart.h"
#include "decision/decision_texts.h"
#include "decision/decision_view.h"
#include "lesson/worked_step_rule.h"
#include "ui_common/texts.h"
#include "ui_common/user_action.h"
#include "ui_common/window_placement.h"
#include "ui_main_window.h"
#include "workbench/diagram_image.h"
#include "worked_step/worked_step_view.h"

#include <QAction>
#include <QCheckBox>

namespace {

// No gate has been chosen while every pattern is still all zero.
std::optional<Patterns> loadedGate(const LessonSession &session)
{
    if (!session.gateLoaded())
        return std::nullopt;
    return session.patterns();
}

} // namespace

SideViews::SideViews(WindowContext &context) : context(context)
{
    decisionAction =
        addViewToggle(Qt::Key_F2, &SideViews::toggleDecisionView, [this] { return decision && decision->isVisible(); });
    workedStepAction = addViewToggle(Qt::Key_F3, &SideViews::toggleWorkedStepView,
                                     [this] { return workedStep && workedStep->isVisible(); });
    context.c.errorChart->setExtraMenuActions({decisionAction, workedStepAction});
}

QAction *SideViews::addViewToggle(Qt::Key key, void (SideViews::*toggle)(), std::function<bool()> shown)
{
    QWidget *window = context.window;
    // A function key, not Ctrl+D or the like: a focused line edit takes
    // those as its own.
    auto *action = new QAction(window);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setCheckable(true);
    window->addAction(action);
    connect(action, &QAction::triggered, this, [this, window, action, toggle, shown = std::move(shown)] {
        runUserAction(window, [this, toggle] { (this->*toggle)(); });
        // The action checks itself when triggered; during a lesson the entry
        // turns the toggle away, so the mark must follow the view, not the key.
        action->setChecked(shown());
    });
    context.c.diagramImage->setContextMenuPolicy(Qt::ActionsContextMenu);
    context.c.diagramImage->addAction(action);
    return action;
}

QRect SideViews::diagramAndChart() const
{
    const QWidget *window = context.window;
    const auto within = [window](const QWidget *part) {
        return QRect(part->mapTo(window, QPoint(0, 0)), part->size());
    };
    return within(context.c.diagramImage).united(within(context.c.errorChart));
}

template <class View>
void SideViews::toggle(View *&view, QAction *entry, void (SideViews::*retitleView)(), void (SideViews::*fill)())
{
    if (view && view->isVisible()) {
        view->close();
        return;
    }
    if (!view) {
        view = new View(context.window);
        view->bindToggle(entry);
        (this->*retitleView)();
    }
    (this->*fill)();
    // Beside the window, never over the diagram or the chart it explains.
    moveBeside(view, context.window, diagramAndChart());
    view->show();
}

void SideViews::toggleDecisionView()
{
    toggle(decision, decisionAction, &SideViews::retitleDecisionView, &SideViews::fillDecisionView);
}

void SideViews::toggleWorkedStepView()
{
    toggle(workedStep, workedStepAction, &SideViews::retitleWorkedStepView, &SideViews::fillWorkedStepView);
}

void SideViews::fillDecisionView()
{
    refreshDecisionView(true);
}

void SideViews::fillWorkedStepView()
{
    refreshWorkedStepView(true);
    workedStep->makeRoomForText();
}

void SideViews::refresh()
{
    refreshDecisionView();
    refreshWorkedStepView();
}

void SideViews::refreshDecisionView(bool evenHidden)
{
    if (!decision || (!evenHidden && !decision->isVisible()) || !context.session.hasNeuron())
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

void SideViews::refreshWorkedStepView(bool evenHidden)
{
    if (!workedStep || (!evenHidden && !workedStep->isVisible()))
        return;
    workedStep->showStep(lastStep ? std::optional<WorkedStep>(workOut(*lastStep)) : std::nullopt);
}

void SideViews::noteLesson()
{
    if (!decision || !decision->isVisible())
        return;
    refreshDecisionView();
    decision->noteLesson();
}

void SideViews::retitle()
{
    retitleDecisionView();
    retitleWorkedStepView();
}

void SideViews::retitleDecisionView()
{
    const Language language = context.language;
    decisionAction->setText(text(Text::DecisionEntry, language));
    if (decision) {
        decision->setLanguage(language);
        decision->setMenuTexts(pictureMenuTexts(language));
    }
}

void SideViews::retitleWorkedStepView()
{
    const Language language = context.language;
    workedStepAction->setText(text(Text::WorkedStepEntry, language));
    if (workedStep)
        workedStep->setLanguage(language);
}

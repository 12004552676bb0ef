#pragma once
// The views beside the main window: the decision view (F2) and the worked
// step (F3), each also in the context menu of the diagram and the chart.
// Opening and closing them, and handing them the neuron's numbers after
// every action and during long lessons. Each is null until first opened,
// and cheap to refresh while closed: one check.

#include "lesson/worked_step.h"
#include "workbench/window_context.h"

#include <QObject>
#include <QRect>
#include <functional>
#include <optional>

class DecisionView;
class QAction;
class WorkedStepView;

// A QObject only to end its connections with it.
class SideViews : public QObject {
public:
    explicit SideViews(WindowContext &context);

    void toggleDecisionView();
    DecisionView *decisionView() const { return decision; }
    QAction *decisionViewAction() const { return decisionAction; }

    void toggleWorkedStepView();
    WorkedStepView *workedStepView() const { return workedStep; }
    QAction *workedStepViewAction() const { return workedStepAction; }

    void refresh();
    // The step that the neuron computed last, as it was given.
    void noteStep(const WorkedStep &step) { lastStep = step; }
    // A lesson ended: the decision view marks it.
    void noteLesson();
    // The entries and the views in the chosen language.
    void retitle();

private:
    // An entry that opens and closes a view beside the window: a function
    // key that reaches the window from inside an edit, checkable while the
    // view shows, and in the diagram's menu.
    QAction *addViewToggle(Qt::Key key, void (SideViews::*toggle)(), std::function<bool()> shown);
    // Where the diagram and the chart sit: a view beside the window keeps
    // them clear.
    QRect diagramAndChart() const;
    // Closes the view where it shows; otherwise makes it (once), fills it
    // and shows it beside the window.
    template <class View>
    void toggle(View *&view, QAction *entry, void (SideViews::*retitleView)(), void (SideViews::*fill)());
    void fillDecisionView();
    void fillWorkedStepView();
    void refreshDecisionView(bool evenHidden = false);
    void refreshWorkedStepView(bool evenHidden = false);
    void retitleDecisionView();
    void retitleWorkedStepView();

    WindowContext &context;
    DecisionView *decision = nullptr;     // owned by the window
    QAction *decisionAction = nullptr;    // owned by the window
    WorkedStepView *workedStep = nullptr; // owned by the window
    QAction *workedStepAction = nullptr;  // owned by the window
    std::optional<WorkedStep> lastStep;
};

#pragma once
// The views beside the main window: the decision view (F2) and the worked
// step (F3), each also in the context menu of the diagram, the chart and
// the views themselves. Opening and closing them in their docks, and handing
// them the neuron's numbers after every action and during long lessons.
// Each is null until first opened, and cheap to refresh while closed: one
// check.

#include "decision/decision_rule.h"
#include "lesson/worked_step.h"
#include "workbench/view_docks.h"
#include "workbench/window_context.h"

#include <QObject>
#include <optional>
#include <vector>

class DecisionView;
class QAction;
class QDockWidget;
class QMainWindow;
class WorkedStepView;

// A QObject only to end its connections with it.
class SideViews : public QObject {
public:
    SideViews(WindowContext &context, QMainWindow *window);

    void toggleDecisionView();
    DecisionView *decisionView() const { return decision; }
    QAction *decisionViewAction() const { return decisionAction; }
    QDockWidget *decisionDock() const { return decisionPane; }

    void toggleWorkedStepView();
    WorkedStepView *workedStepView() const { return workedStep; }
    QAction *workedStepViewAction() const { return workedStepAction; }
    QDockWidget *workedStepDock() const { return workedStepPane; }

    void refresh();
    // The step that the neuron computed last, as it was given.
    void noteStep(const WorkedStep &step) { lastStep = step; }
    const std::optional<WorkedStep> &stepNoted() const { return lastStep; }

    // What the views show that the neuron does not, as a lesson file keeps it.
    bool decisionViewOpen() const { return docks.isOpen(decisionPane); }
    bool workedStepViewOpen() const { return docks.isOpen(workedStepPane); }
    std::vector<DecisionNeuron> decisionTrail() const;
    // The views opened or closed as given, with that step and that trail.
    void restore(bool decisionOpen, bool workedStepOpen, const std::optional<WorkedStep> &step,
                 const std::vector<DecisionNeuron> &trail);
    // A lesson ended: the decision view marks it.
    void noteLesson();
    // The entries and the views in the chosen language.
    void retitle();

    // The views' arrangement as the user left it in the last run, and for
    // the next one.
    void restoreArrangement() { docks.restoreArrangement(); }
    void saveArrangement() const { docks.saveArrangement(); }

private:
    // An entry that opens and closes a view beside the window: a function
    // key that reaches the window from inside an edit, checked while the
    // view is open.
    QAction *addViewToggle(Qt::Key key, void (SideViews::*toggle)(), QDockWidget *dock);
    // Closes the view where it is open; otherwise makes it (once), fills it
    // and opens its dock.
    template <class View>
    void toggle(View *&view, QDockWidget *dock, QAction *entry, void (SideViews::*make)(), void (SideViews::*fill)());
    void makeDecisionView();
    void makeWorkedStepView();
    void refreshDecisionView();
    void refreshWorkedStepView();
    void retitleDecisionView();
    void retitleWorkedStepView();

    WindowContext &context;
    QMainWindow *window;
    ViewDocks docks;
    QDockWidget *decisionPane;            // owned by the window
    QDockWidget *workedStepPane;          // owned by the window
    DecisionView *decision = nullptr;     // owned by its dock
    WorkedStepView *workedStep = nullptr; // owned by its dock
    QAction *decisionAction = nullptr;    // owned by the window
    QAction *workedStepAction = nullptr;  // owned by the window
    std::optional<WorkedStep> lastStep;
};

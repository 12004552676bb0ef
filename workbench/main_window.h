#pragma once
// The workbench window: shows the neuron, loads gates, runs lessons.
//
// User events arrive through Qt signals into runUserAction(), which shows any
// error once. When code changes a control's state, the control's handler runs
// at once, nested, and only if the state really changed (setEditText,
// setChecked); errors from nested handlers end the whole user action.

#include "lesson/worked_step.h"
#include "ui_common/texts.h"
#include "workbench/workbench_state.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class MainWindow;
}
class DecisionView;
class QAbstractButton;
class QAction;
class QLineEdit;
class DescriptionWindow;
class WorkedStepView;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    Ui::MainWindow &controls() { return *ui; }
    WorkbenchState &state() { return workbench; }
    DescriptionWindow *descriptionWindow() const { return description; }

    // Handlers, named after control and event, grouped by the file that
    // defines them.

    // main_window.cpp: the window's life, its buttons, the language switch.
    void FormCreate();
    void FormClose();
    void RandomNeuronBClick();
    void descriptionBClick();
    void EndBClick();
    void deRBClick();
    void ApplyLanguage();

    // gates.cpp: loading a truth table.
    void AndGateBClick();
    void OrGateBClick();
    void NandGateBClick();
    void XorGateBClick();
    void LoadGate(uint8_t gate);

    // display.cpp: presenting patterns, showing the neuron, output settings.
    void NextPatternBClick();
    void ThinkBClick();
    void ShowNeuron();
    void ShowAnalogCBoxClick();
    void sigmoidCBClick();
    void ThresholdEditChange();

    // lesson.cpp: the lesson.
    void LessonBClick();
    // lesson_settings.cpp: the lesson's learning rate and repeat count.
    void LRateEditChange();
    void RepeatEditChange();

    // bias_input.cpp: switching the bias input.
    void BiasCBoxClick();

    // error_graph.cpp: the diagram or the error chart.
    void ErrGraphCBClick();

    // decision_feed.cpp: the decision view beside the window (F2, or the
    // context menu of the diagram and the chart). Null until first opened.
    void toggleDecisionView();
    DecisionView *decisionView() const { return decision; }
    QAction *decisionViewAction() const { return decisionAction; }
    // Cheap while the view is closed: one check.
    void refreshDecisionView();

    // worked_step_feed.cpp: the worked step beside the window (F3, or the
    // context menu of the diagram, the chart and the view itself). Null
    // until first opened.
    void toggleWorkedStepView();
    WorkedStepView *workedStepView() const { return workedStep; }
    QAction *workedStepViewAction() const { return workedStepAction; }
    // Cheap while the view is closed: one check.
    void refreshWorkedStepView(bool evenHidden = false);

    // Code-driven state changes; return whether the state changed (and so
    // the control's handler ran).
    bool setEditText(QLineEdit *edit, const QString &text);
    bool setChecked(QAbstractButton *box, bool checked);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    using Handler = void (MainWindow::*)();
    struct Wiring {
        QObject *control;
        Handler handler;
    };

    void wireControls();
    Handler handlerOf(QObject *control) const;
    void runNested(QObject *control);

    void CreateBiasControls(); // bias_input.cpp
    void nameEditsForScreenReaders();
    void ResetLesson(); // lesson.cpp
    void loadGateAndThreshold(uint8_t gate, Text caption, const char *thresholdWithBias,
                              const char *thresholdWithoutBias); // gates.cpp
    void rescaleIterationAxis(int64_t count);                    // error_graph.cpp
    // An entry that opens and closes a view beside the window: a function
    // key that reaches the window from inside an edit, checkable while the
    // view shows, and in the diagram's menu.
    QAction *addViewToggle(Qt::Key key, void (MainWindow::*toggle)(), std::function<bool()> shown); // decision_feed.cpp
    void setUpDecisionView();                                                                       // decision_feed.cpp
    // Where the diagram and the chart sit: a view beside the window keeps
    // them clear.
    QRect diagramAndChart() const;
    void retitleDecisionView();
    void noteLessonInDecisionView();
    void setUpWorkedStepView(); // worked_step_feed.cpp
    void retitleWorkedStepView();
    // The step that the neuron computed last, as it was given.
    void noteStep(const WorkedStep &step) { lastStep = step; }
    WorkedStep presentation() const;

    std::unique_ptr<Ui::MainWindow> ui;
    WorkbenchState workbench;
    std::vector<Wiring> wiring;
    DescriptionWindow *description = nullptr; // owned by this window
    DecisionView *decision = nullptr;         // owned by this window
    QAction *decisionAction = nullptr;        // owned by this window
    WorkedStepView *workedStep = nullptr;     // owned by this window
    QAction *workedStepAction = nullptr;      // owned by this window
    std::optional<WorkedStep> lastStep;
    // The pattern whose inputs a gate button, the next-pattern button or a
    // lesson presented last; 0 after the randomize button.
    int32_t presentedPattern = 0;
};

#include "workbench/lesson_controller.h"

#include "chart/error_chart.h"
#include "lesson/lesson_repeat.h"
#include "lesson/lesson_run.h"
#include "lesson/worked_step_rule.h"
#include "runtime/app_error.h"
#include "runtime/number_text.h"
#include "ui_main_window.h"
#include "workbench/error_graph_switch.h"
#include "workbench/lesson_progress.h"
#include "workbench/neuron_panel.h"
#include "workbench/side_views.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <limits>
#include <vector>

LessonController::LessonController(WindowContext &context, const NeuronEdits &edits, NeuronPanel &panel,
                                   ErrorGraphSwitch &errorGraph, SideViews &views)
    : context(context), edits(edits), panel(panel), errorGraph(errorGraph), views(views)
{
    Ui::MainWindow &c = context.c;
    ControlDispatch &d = context.dispatch;
    d.wire(c.lRateEdit, [this] { LRateEditChange(); });
    d.wire(c.repeatEdit, [this] { RepeatEditChange(); });
    d.wire(c.lessonB, [this] { LessonBClick(); });
}

void LessonController::ResetLesson()
{
    LessonState &s = context.lesson;
    s.repeatCount = edits.repeatCount();
    s.patternIndex = 0;
    s.learningRate = edits.learningRate();
    edits.readThreshold(*s.neuron);
    // A checked sigmoid box always means a sigmoid lesson.
    panel.sigmoidCBClick();
}

void LessonController::LessonBClick()
{
    Ui::MainWindow &c = context.c;
    LessonState &s = context.lesson;
    Neuron &neuron = *s.neuron;

    const QString counter = edits.lessonCounterText();
    s.lessonTotal = numtext::parseInt64(counter);
    if (s.lessonTotal == 0)
        ResetLesson();
    s.repeatCount = edits.repeatCount();
    // The running total must stay countable to the end of this lesson.
    if (s.repeatCount > 0 && s.lessonTotal > std::numeric_limits<int64_t>::max() - s.repeatCount)
        throw errors::invalidInteger(counter);
    int64_t done = 0;
    s.patternIndex = 1;
    edits.readWeights(neuron);
    edits.readBias(neuron);

    const bool graph = c.errGraphCB->isChecked();
    const int64_t total = s.lessonTotal;
    ErrorChart &chart = *c.errorChart;
    LessonRun lesson(neuron, s.patterns, s.learningRate, s.patternIndex);
    LessonProgress progress(context.window, c.endB, s.repeatCount, context.language);
    progress.onRepaint([this] { views.refresh(); });
    // Every run's last iteration is noted as it is given, for the worked
    // step: two looks at the neuron per chunk, with the view open or not.
    // An overflow earlier in the run is found by working it out again.
    std::optional<WorkedStep> lastIteration;
    const auto nextIteration = [&] {
        const int32_t next = nextPatternIndex(s.patternIndex);
        return lessonStep(neuron, s.pattern(next), next, s.learningRate);
    };
    // `next` null: the errors go nowhere.
    const auto runNoted = [&](int64_t count, float **next) -> int64_t {
        if (count <= 0)
            return 0;
        const auto run = [&](int64_t n) { return next ? lesson.runCollecting(n, *next) : lesson.runQuietly(n); };
        const WorkedStep first = nextIteration();
        int64_t before = 0;
        try {
            before = run(count - 1);
        } catch (const AppError &) {
            views.noteStep(raisingIteration(first, s.patterns, count - 1));
            throw;
        }
        lastIteration = nextIteration();
        views.noteStep(*lastIteration); // also when it overflows
        return before + run(1);
    };

    if (graph && s.repeatCount > 0) {
        // The first iteration scales the axis to the count just read. The
        // repeat text cannot change while the lesson runs, so later
        // iterations would only set the same maximum again, which does
        // nothing.
        float error = 0.0f;
        float *next = &error;
        done += runNoted(1, &next);
        errorGraph.rescaleIterationAxis(total + s.repeatCount);
        chart.addPoint(static_cast<double>(total + 1), error);
        s.repeatCount -= 1;
    }
    // A chunk's errors are collected in a plain array and handed to the chart
    // after it: the loop keeps its registers for the weights, and the chart's
    // bookkeeping runs in a tight loop of its own.
    std::vector<float> errors(graph ? static_cast<std::size_t>(LessonProgress::chunk) : 0);
    LessonRepeat repeat(lesson, neuron, s.patternIndex);
    while (s.repeatCount > 0 && progress.keepGoing(done)) {
        const int64_t count = std::min(s.repeatCount, LessonProgress::chunk);
        if (graph) {
            float *next = errors.data();
            const auto plotCollected = [&] {
                chart.addPoints(total + done + 1, errors.data(), static_cast<std::size_t>(next - errors.data()));
            };
            try {
                runNoted(count, &next);
            } catch (...) {
                plotCollected(); // the iterations before the error stay plotted
                throw;
            }
            plotCollected();
        } else {
            runNoted(count, nullptr);
        }
        done += count;
        s.repeatCount -= count;
        // Once the lesson repeats itself, the whole periods still to run are
        // finished at once, and the chart gets their errors all the same.
        if (const LessonRepeat::Shortcut cut = repeat.afterRun(count, s.repeatCount); cut.count > 0) {
            const std::vector<float> &period = repeat.periodErrors();
            if (graph)
                chart.addRepeatingPoints(total + done + 1, period.data(), period.size(), cut.count);
            done += cut.count;
            s.repeatCount -= cut.count;
        }
    }
    if (progress.cancelled()) {
        // As if the repeat count had been what ran.
        s.repeatCount = 0;
        if (graph && total + done >= chart.bottomAxis().minimum())
            errorGraph.rescaleIterationAxis(total + done);
    }

    s.lessonTotal += done;
    edits.showLessonTotal(s.lessonTotal);
    panel.presentPattern(s.patternIndex);
    panel.ShowNeuron();
    // The lesson's last iteration, not the output shown after it.
    if (lastIteration)
        views.noteStep(*lastIteration);
    views.noteLesson();
}

void LessonController::LRateEditChange()
{
    context.lesson.learningRate = edits.learningRate();
}

// The lesson reads the count from the edit itself; here only the chart's
// iteration axis follows it.
void LessonController::RepeatEditChange()
{
    errorGraph.rescaleIterationAxis(edits.repeatCount());
}

// The lesson: trains the neuron on the loaded patterns for the repeat count.

#include "workbench/main_window.h"

#include "chart/error_chart.h"
#include "lesson/lesson_repeat.h"
#include "lesson/lesson_run.h"
#include "lesson/worked_step_rule.h"
#include "runtime/app_error.h"
#include "runtime/number_text.h"
#include "ui_main_window.h"
#include "workbench/lesson_counter.h"
#include "workbench/lesson_progress.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <limits>
#include <vector>

QString lessonCounterNumber(const QString &text)
{
    QString rest = text.mid(text.indexOf(u'/') + 1);
    qsizetype begin = 0, end = rest.size();
    while (begin < end && rest[begin].unicode() <= u' ')
        ++begin;
    while (end > begin && rest[end - 1].unicode() <= u' ')
        --end;
    return rest.mid(begin, end - begin);
}

void MainWindow::ResetLesson()
{
    Ui::MainWindow &c = *ui;
    workbench.repeatCount = numtext::parseInt32(c.repeatEdit->text());
    workbench.patternIndex = 0;
    workbench.learningRate = numtext::parseFloat32(c.lRateEdit->text());
    workbench.neuron->Threshold = numtext::parseFloat32(c.thresholdEdit->text());
    // A checked sigmoid box always means a sigmoid lesson.
    sigmoidCBClick();
}

void MainWindow::LessonBClick()
{
    Ui::MainWindow &c = *ui;
    WorkbenchState &s = workbench;
    Neuron &neuron = *s.neuron;

    const QString counter = lessonCounterNumber(c.lessonCntEdit->text());
    s.lessonTotal = numtext::parseInt64(counter);
    if (s.lessonTotal == 0)
        ResetLesson();
    s.repeatCount = numtext::parseInt32(c.repeatEdit->text());
    // The running total must stay countable to the end of this lesson.
    if (s.repeatCount > 0 && s.lessonTotal > std::numeric_limits<int64_t>::max() - s.repeatCount)
        throw errors::invalidInteger(counter);
    int64_t done = 0;
    s.patternIndex = 1;
    neuron.SetWeight(0, numtext::parseFloat32(c.weight1Edit->text()));
    neuron.SetWeight(1, numtext::parseFloat32(c.weight2Edit->text()));
    if (c.biasCBox->isChecked()) {
        neuron.SetInput(2, 1.0f);
        neuron.SetWeight(2, numtext::parseFloat32(s.weight0Edit->text()));
    }

    const bool graph = c.errGraphCB->isChecked();
    const int64_t total = s.lessonTotal;
    ErrorChart &chart = *c.errorChart;
    LessonRun lesson(neuron, s.patterns, s.learningRate, s.patternIndex);
    LessonProgress progress(this, c.endB, s.repeatCount, s.language);
    progress.onRepaint([this] {
        refreshDecisionView();
        refreshWorkedStepView();
    });
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
            noteStep(raisingIteration(first, s.patterns, count - 1));
            throw;
        }
        lastIteration = nextIteration();
        noteStep(*lastIteration); // also when it overflows
        return before + run(1);
    };

    if (graph && s.repeatCount > 0) {
        // The first iteration scales the axis. The repeat text cannot change
        // while the lesson runs, so later iterations would only set the same
        // maximum again, which does nothing.
        float error = 0.0f;
        float *next = &error;
        done += runNoted(1, &next);
        rescaleIterationAxis(total + numtext::parseInt32(c.repeatEdit->text()));
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
            rescaleIterationAxis(total + done);
    }

    s.lessonTotal += done;
    setEditText(c.lessonCntEdit, QStringLiteral("0 / ") + QString::number(s.lessonTotal));
    presentedPattern = s.patternIndex;
    ShowNeuron();
    // The lesson's last iteration, not the output shown after it.
    if (lastIteration)
        noteStep(*lastIteration);
    noteLessonInDecisionView();
}

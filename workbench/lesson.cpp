// The lesson: trains the neuron on the loaded patterns for the repeat count.

#include "workbench/main_window.h"

#include "chart/error_chart.h"
#include "lesson/lesson_run.h"
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
    progress.onRepaint([this] { refreshDecisionView(); });

    if (graph && s.repeatCount > 0) {
        // The first iteration scales the axis. The repeat text cannot change
        // while the lesson runs, so later iterations would only set the same
        // maximum again, which does nothing.
        float error = 0.0f;
        done += lesson.run(1, [&error](float e) noexcept { error = e; });
        rescaleIterationAxis(total + numtext::parseInt32(c.repeatEdit->text()));
        chart.addPoint(static_cast<double>(total + 1), error);
        s.repeatCount -= 1;
    }
    // A chunk's errors are collected in a plain array and handed to the chart
    // after it: the loop keeps its registers for the weights, and the chart's
    // bookkeeping runs in a tight loop of its own.
    std::vector<float> errors(graph ? static_cast<std::size_t>(LessonProgress::chunk) : 0);
    while (s.repeatCount > 0 && progress.keepGoing(done)) {
        const int64_t count = std::min(s.repeatCount, LessonProgress::chunk);
        if (graph) {
            float *next = errors.data();
            const auto plotCollected = [&] {
                chart.addPoints(total + done + 1, errors.data(), static_cast<std::size_t>(next - errors.data()));
            };
            try {
                lesson.run(count, [&next](float error) noexcept { *next++ = error; });
            } catch (...) {
                plotCollected(); // the iterations before the error stay plotted
                throw;
            }
            plotCollected();
        } else {
            lesson.run(count, [](float) noexcept {});
        }
        done += count;
        s.repeatCount -= count;
    }
    if (progress.cancelled()) {
        // As if the repeat count had been what ran.
        s.repeatCount = 0;
        if (graph && total + done >= chart.bottomAxis().minimum())
            rescaleIterationAxis(total + done);
    }

    s.lessonTotal += done;
    setEditText(c.lessonCntEdit, QStringLiteral("0 / ") + QString::number(s.lessonTotal));
    ShowNeuron();
    noteLessonInDecisionView();
}

#include "workbench/lesson_controller.h"

#include "ui_main_window.h"
#include "workbench/error_graph_switch.h"
#include "workbench/lesson_feed.h"
#include "workbench/neuron_panel.h"
#include "workbench/side_views.h"

#include <QLineEdit>
#include <QPushButton>

LessonController::LessonController(WindowContext &context, const NeuronEdits &edits, NeuronPanel &panel,
                                   ErrorGraphSwitch &errorGraph, SideViews &views)
    : context(context), edits(edits), panel(panel), errorGraph(errorGraph), views(views)
{
    Ui::MainWindow &c = context.c;
    ControlDispatch &d = context.dispatch;
    d.wire(c.lRateEdit, [this] { takeLearningRate(); });
    d.wire(c.repeatEdit, [this] { scaleToRepeatCount(); });
    d.wire(c.lessonB, [this] { startLesson(); });
}

void LessonController::startLesson()
{
    LessonFeed feed(context, errorGraph, views);
    context.session.runLesson(edits, feed);
    showLesson(feed);
}

void LessonController::showLesson(const LessonFeed &feed)
{
    const LessonSession &session = context.session;
    edits.showLessonTotal(session.lessonTotal());
    panel.presentPattern(session.patternIndex());
    panel.showNeuron();
    // The lesson's last iteration, not the output shown after it.
    if (feed.lastIteration())
        views.noteStep(*feed.lastIteration());
    views.noteLesson();
}

void LessonController::takeLearningRate()
{
    context.session.setLearningRate(edits.learningRate());
}

// The lesson reads the count itself; here only the chart's iteration axis
// follows it.
void LessonController::scaleToRepeatCount()
{
    errorGraph.rescaleIterationAxis(edits.repeatCount());
}

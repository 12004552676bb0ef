#include "workbench/lesson_feed.h"

#include "chart/error_chart.h"
#include "ui_main_window.h"
#include "workbench/error_graph_switch.h"
#include "workbench/side_views.h"

#include <QCheckBox>
#include <QPushButton>

LessonFeed::LessonFeed(WindowContext &context, ErrorGraphSwitch &errorGraph, SideViews &views)
    : context(context), errorGraph(errorGraph), views(views), graph(context.c.errGraphCB->isChecked())
{
}

void LessonFeed::lessonStarts(int64_t lessonTotal, int64_t lessonCount)
{
    total = lessonTotal;
    count = lessonCount;
    progress.emplace(context.window, context.c.endB, count, context.language);
    progress->onRepaint([this] { views.refresh(); });
}

bool LessonFeed::keepGoing(int64_t done)
{
    return progress->keepGoing(done);
}

void LessonFeed::errorsRun(int64_t first, std::span<const float> errors)
{
    // The first iteration scales the axis to the count just read. The
    // repeat text cannot change while the lesson runs, so later iterations
    // would only set the same maximum again, which does nothing.
    if (first == total + 1)
        errorGraph.rescaleIterationAxis(total + count);
    context.c.errorChart->addPoints(first, errors.data(), errors.size());
}

void LessonFeed::errorsRepeat(int64_t first, std::span<const float> period, int64_t repeated)
{
    context.c.errorChart->addRepeatingPoints(first, period.data(), period.size(), repeated);
}

void LessonFeed::stepWorked(const WorkedStep &step)
{
    lastStep = step;
    views.noteStep(step);
}

void LessonFeed::lessonEnded(const LessonEnd &end)
{
    // A cancelled lesson's axis ends where the lesson did.
    if (end.cancelled && graph && total + end.done >= context.c.errorChart->bottomAxis().minimum())
        errorGraph.rescaleIterationAxis(total + end.done);
}

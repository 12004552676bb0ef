#pragma once
// How the window follows a lesson: the progress dialog, which holds the
// window and lets the user cancel; the error chart, fed with every
// iteration's error while the graph is on; and the views beside the window.

#include "lesson/lesson_session.h"
#include "workbench/lesson_progress.h"
#include "workbench/window_context.h"

#include <optional>

class ErrorGraphSwitch;
class SideViews;

class LessonFeed final : public LessonObserver {
public:
    LessonFeed(WindowContext &context, ErrorGraphSwitch &errorGraph, SideViews &views);

    void lessonStarts(int64_t total, int64_t count) override;
    bool keepGoing(int64_t done) override;
    bool wantsErrors() const override { return graph; }
    void errorsRun(int64_t first, std::span<const float> errors) override;
    void errorsRepeat(int64_t first, std::span<const float> period, int64_t count) override;
    void stepWorked(const WorkedStep &step) override;
    void lessonEnded(const LessonEnd &end) override;

    // The lesson's last iteration as it was given.
    const std::optional<WorkedStep> &lastIteration() const { return lastStep; }

private:
    WindowContext &context;
    ErrorGraphSwitch &errorGraph;
    SideViews &views;
    const bool graph;
    int64_t total = 0;
    int64_t count = 0;
    std::optional<LessonProgress> progress;
    std::optional<WorkedStep> lastStep;
};

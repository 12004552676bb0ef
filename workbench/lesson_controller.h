#pragma once
// The lesson button and the lesson's settings: hands the edits to the
// lesson session, which trains the neuron on the loaded patterns for the
// repeat count, and shows what the lesson leaves.

#include "workbench/neuron_edits.h"

class ErrorGraphSwitch;
class LessonFeed;
class NeuronPanel;
class SideViews;

class LessonController {
public:
    LessonController(WindowContext &context, const NeuronEdits &edits, NeuronPanel &panel, ErrorGraphSwitch &errorGraph,
                     SideViews &views);

private:
    void startLesson();
    void showLesson(const LessonFeed &feed);
    void takeLearningRate();
    void scaleToRepeatCount();

    WindowContext &context;
    const NeuronEdits &edits;
    NeuronPanel &panel;
    ErrorGraphSwitch &errorGraph;
    SideViews &views;
};

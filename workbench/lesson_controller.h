#pragma once
// The lesson button and the lesson's settings: trains the neuron on the
// loaded patterns for the repeat count, in chunks that keep the window
// alive, and plots every iteration's error while the graph is on.

#include "workbench/neuron_edits.h"

#include <QObject>

class ErrorGraphSwitch;
class NeuronPanel;
class SideViews;

class LessonController : public QObject {
    Q_OBJECT
public:
    LessonController(WindowContext &context, const NeuronEdits &edits, NeuronPanel &panel, ErrorGraphSwitch &errorGraph,
                     SideViews &views);

private slots:
    void LessonBClick();
    void LRateEditChange();
    void RepeatEditChange();

private:
    // A lesson that starts from a zero counter takes its settings afresh.
    void ResetLesson();

    WindowContext &context;
    const NeuronEdits &edits;
    NeuronPanel &panel;
    ErrorGraphSwitch &errorGraph;
    SideViews &views;
};

#pragma once
// The lesson below every window: the neuron, the patterns of the gate
// loaded last, the learning rate, the running total and the pattern cursor,
// and the lessons that train the neuron on them. It knows no window: what a
// lesson takes from the user comes in through LessonSettings, in the order
// the lesson asks for it, and what happens while it runs goes out through
// LessonObserver.

#include "lesson/gate_table.h"
#include "lesson/pattern.h"
#include "lesson/worked_step.h"
#include "neuron/neuron.h"
#include "runtime/app_error.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

class LessonRun;

// What a lesson takes from the user, asked for in this order: the running
// total; the repeat count; at a reset the learning rate, the threshold and
// the activation; the weights as shown. Each may raise
// AppError (a text that does not parse): the lesson stops there, and what it
// took before stays taken.
class LessonSettings {
public:
    // Iterations run since the last reset; 0 makes the lesson start afresh.
    virtual int64_t lessonTotal() const = 0;
    // The error for a running total that cannot count this lesson's
    // iterations any more.
    virtual AppError lessonTotalOutOfRange() const = 0;
    virtual int32_t repeatCount() const = 0;
    virtual float learningRate() const = 0;
    virtual float threshold() const = 0;
    // The activation a reset gives the neuron: 1 for the sigmoid family.
    virtual uint8_t activationMode() const = 0;
    // The weight of input `input` (0, 1, or 2 for the bias input) as the
    // user sees it. A lesson goes on from the weights as shown, so their
    // rounding on screen carries into training.
    virtual float weightAsShown(int input) const = 0;

protected:
    ~LessonSettings() = default;
};

// How a lesson ended.
struct LessonEnd {
    int64_t done = 0;                // iterations run (finished at once included)
    bool cancelled = false;          // stopped by LessonObserver::keepGoing
    const AppError *error = nullptr; // what stopped it, raised right after
};

// What a lesson tells while it runs. Any of these may raise AppError, which
// ends the lesson there as an overflow would.
class LessonObserver {
public:
    // The lesson has taken its settings: `count` iterations after the
    // `total` run since the last reset.
    virtual void lessonStarts(int64_t total, int64_t count) = 0;
    // Asked between chunks, with the iterations done so far: false stops
    // the lesson there, as if that had been its count.
    virtual bool keepGoing(int64_t done) = 0;
    // Whether errorsRun() and errorsRepeat() are wanted; a lesson whose
    // errors go nowhere runs faster.
    virtual bool wantsErrors() const = 0;
    // The errors of the iterations numbered `first`, `first` + 1, ... in
    // the running total. A lesson's first iteration comes alone.
    virtual void errorsRun(int64_t first, std::span<const float> errors) = 0;
    // `count` errors from `first` on that repeat `period` over and over.
    virtual void errorsRepeat(int64_t first, std::span<const float> period, int64_t count) = 0;
    // A lesson iteration as it was given: the last of each chunk, or the
    // one that left the float range.
    virtual void stepWorked(const WorkedStep &step) = 0;
    // The lesson is over; an error in `end` is raised once this returns.
    virtual void lessonEnded(const LessonEnd &end) = 0;

protected:
    ~LessonObserver() = default;
};

// Everything a session holds, as plain numbers: what a saved lesson keeps
// of it, bit for bit.
struct SessionState {
    int32_t inputs = 2; // 2, or 3 with the bias input
    std::array<float, 3> values{};
    std::array<float, 3> weights{};
    float threshold = 0.0f;
    bool analogOutput = false;
    uint8_t activationMode = 0;
    std::optional<Gate> gate; // none chosen yet
    float learningRate = 0.0f;
    int64_t repeatsLeft = 0;
    int64_t lessonTotal = 0;
    int32_t patternIndex = 0;
    bool operator==(const SessionState &) const = default;
};

class LessonSession {
public:
    // Iterations between two looks at the observer.
    static constexpr int64_t defaultChunk = 1 << 15;

    explicit LessonSession(int64_t chunk = defaultChunk);
    ~LessonSession();

    // The neuron: 2 inputs, or 3 with the bias input, whose value is 1.
    // Making one replaces the one before; it draws random inputs, weights
    // and threshold.
    void makeNeuron(int32_t inputs);
    void releaseNeuron() { trained.reset(); }
    bool hasNeuron() const { return trained != nullptr; }
    Neuron &neuron() { return *trained; }
    const Neuron &neuron() const { return *trained; }
    bool hasBiasInput() const { return trained && trained->InputCount == 3; }

    // The gate's truth table becomes the training set, and the neuron's
    // inputs those of its first pattern.
    void loadGate(Gate gate);
    // Every gate has a pattern with a 1 in it, so all zeros mean none was
    // ever chosen; once chosen, a gate stays loaded until the next one.
    bool gateLoaded() const { return trainingSet != Patterns{}; }
    const Patterns &patterns() const { return trainingSet; }
    // Pattern 1..4.
    const Pattern &pattern(int32_t index) const { return trainingSet[static_cast<std::size_t>(index - 1)]; }

    // The pattern presented last, 1..4; 0 after a reset and at start.
    int32_t patternIndex() const { return cursor; }
    // Moves the cursor on to the next pattern and returns it.
    const Pattern &advancePattern();

    float learningRate() const { return rate; }
    void setLearningRate(float value) { rate = value; }
    // Iterations still to run in the lesson under way; 0 once it is over.
    int64_t repeatCount() const { return repeatsLeft; }
    // Iterations run since the last reset.
    int64_t lessonTotal() const { return total; }

    // The gate chosen last; none before the first.
    std::optional<Gate> gate() const;
    SessionState state() const;
    // Whether a session can come to hold `state`: not with an input count
    // other than 2 or 3, a value that is no finite float, a cursor beyond
    // the patterns, an activation or a count out of range.
    static bool canHold(const SessionState &state);
    // Takes `state` over whole, or refuses one it cannot hold (false) and
    // changes nothing.
    bool restore(const SessionState &state);

    // Trains the neuron for the repeat count the settings give. A lesson
    // whose weights come back to earlier values finishes the periods still
    // to go at once. Raises what stopped it: a setting that does not parse,
    // a result beyond the float range, or an error of the observer.
    LessonEnd runLesson(const LessonSettings &settings, LessonObserver &observer);

private:
    // A lesson that finds the running total 0 takes its settings afresh.
    void resetLesson(const LessonSettings &settings);
    void takeWeightsAsShown(const LessonSettings &settings);
    // Counts what ran into `end` as it goes, so an error leaves it true.
    void runIterations(LessonRun &run, LessonObserver &observer, LessonEnd &end);
    // Runs `count` iterations, each error to *next++ (or nowhere), and tells
    // the observer the last one given, or the one that overflowed.
    int64_t runNoted(LessonRun &run, int64_t count, float **next, LessonObserver &observer);
    WorkedStep nextIteration(const LessonRun &run) const;

    const int64_t chunk;
    std::unique_ptr<Neuron> trained;
    Patterns trainingSet{};
    float rate = 0.0f;
    int64_t repeatsLeft = 0;
    int64_t total = 0;
    int32_t cursor = 0;
};

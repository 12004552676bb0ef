#include "lesson/lesson_session.h"

#include "lesson/lesson_repeat.h"
#include "lesson/lesson_run.h"
#include "lesson/worked_step_rule.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

LessonSession::LessonSession(int64_t chunk) : chunk(std::max<int64_t>(chunk, 1))
{
}

LessonSession::~LessonSession() = default;

void LessonSession::makeNeuron(int32_t inputs)
{
    trained.reset(); // the old one goes first
    trained = std::make_unique<Neuron>(inputs);
}

void LessonSession::loadGate(Gate gate)
{
    trainingSet = gatePatterns(gate);
    const Pattern &first = pattern(1);
    trained->SetInput(0, first.In1);
    trained->SetInput(1, first.In2);
    if (hasBiasInput())
        trained->SetInput(2, 1.0f);
}

std::optional<Gate> LessonSession::gate() const
{
    for (const Gate each : {NandGate, OrGate, AndGate, XorGate})
        if (gatePatterns(each) == trainingSet)
            return each;
    return std::nullopt;
}

SessionState LessonSession::state() const
{
    SessionState state;
    state.inputs = trained->InputCount;
    for (int i = 0; i < state.inputs; ++i) {
        state.values[std::size_t(i)] = trained->GetInput(i);
        state.weights[std::size_t(i)] = trained->GetWeight(i);
    }
    state.threshold = trained->Threshold;
    state.analogOutput = trained->AnalogOutput;
    state.activationMode = trained->ActivationMode;
    state.gate = gate();
    state.learningRate = rate;
    state.repeatsLeft = repeatsLeft;
    state.lessonTotal = total;
    state.patternIndex = cursor;
    return state;
}

bool LessonSession::canHold(const SessionState &state)
{
    const auto finite = [](float value) { return std::isfinite(value); };
    return (state.inputs == 2 || state.inputs == 3) && state.activationMode <= 1 && state.patternIndex >= 0 &&
        state.patternIndex <= 4 && state.repeatsLeft >= 0 &&
        std::all_of(state.values.begin(), state.values.end(), finite) &&
        std::all_of(state.weights.begin(), state.weights.end(), finite) && finite(state.threshold) &&
        finite(state.learningRate);
}

bool LessonSession::restore(const SessionState &state)
{
    if (!canHold(state))
        return false;
    // A new neuron draws from the clock; everything it drew is set anew.
    makeNeuron(state.inputs);
    for (int i = 0; i < state.inputs; ++i) {
        trained->SetInput(i, state.values[std::size_t(i)]);
        trained->SetWeight(i, state.weights[std::size_t(i)]);
    }
    trained->Threshold = state.threshold;
    trained->AnalogOutput = state.analogOutput;
    trained->ActivationMode = state.activationMode;
    trainingSet = state.gate ? gatePatterns(*state.gate) : Patterns{};
    rate = state.learningRate;
    repeatsLeft = state.repeatsLeft;
    total = state.lessonTotal;
    cursor = state.patternIndex;
    return true;
}

const Pattern &LessonSession::advancePattern()
{
    cursor = nextPatternIndex(cursor);
    return pattern(cursor);
}

void LessonSession::resetLesson(const LessonSettings &settings)
{
    cursor = 0;
    rate = settings.learningRate();
    trained->Threshold = settings.threshold();
    // A checked sigmoid box always means a sigmoid lesson.
    trained->ActivationMode = settings.activationMode();
}

void LessonSession::takeWeightsAsShown(const LessonSettings &settings)
{
    trained->SetWeight(0, settings.weightAsShown(0));
    trained->SetWeight(1, settings.weightAsShown(1));
    if (hasBiasInput()) {
        trained->SetInput(2, 1.0f);
        trained->SetWeight(2, settings.weightAsShown(2));
    }
}

LessonEnd LessonSession::runLesson(const LessonSettings &settings, LessonObserver &observer)
{
    total = settings.lessonTotal();
    // Read before a reset, so that a bad count is the first text reported.
    // A count of 0 or less runs nothing: none is left to run.
    repeatsLeft = std::max(settings.repeatCount(), 0);
    if (total == 0)
        resetLesson(settings);
    // The running total must stay countable to the end of this lesson.
    if (repeatsLeft > 0 && total > std::numeric_limits<int64_t>::max() - repeatsLeft)
        throw settings.lessonTotalOutOfRange();
    cursor = 1;
    takeWeightsAsShown(settings);

    observer.lessonStarts(total, repeatsLeft);
    LessonRun run(*trained, trainingSet, rate, cursor);
    LessonEnd end;
    try {
        runIterations(run, observer, end);
    } catch (const AppError &error) {
        cursor = run.patternIndex();
        observer.lessonEnded({end.done, false, &error});
        throw;
    }
    cursor = run.patternIndex();
    total += end.done;
    observer.lessonEnded(end);
    return end;
}

void LessonSession::runIterations(LessonRun &run, LessonObserver &observer, LessonEnd &end)
{
    int64_t &done = end.done;
    const bool collect = observer.wantsErrors();
    if (collect && repeatsLeft > 0) {
        // Alone, so that an observer that refuses the lesson's numbers
        // stops it inside its first iteration.
        float error = 0.0f;
        float *next = &error;
        done += runNoted(run, 1, &next, observer);
        observer.errorsRun(total + 1, {&error, 1});
        repeatsLeft -= 1;
    }
    // A chunk's errors are collected in a plain array and handed over after
    // it: the loop keeps its registers for the weights.
    std::vector<float> errors(collect ? static_cast<std::size_t>(chunk) : 0);
    LessonRepeat repeat(run);
    while (repeatsLeft > 0 && observer.keepGoing(done)) {
        const int64_t count = std::min(repeatsLeft, chunk);
        if (collect) {
            float *next = errors.data();
            const auto handOver = [&] {
                observer.errorsRun(total + done + 1, {errors.data(), static_cast<std::size_t>(next - errors.data())});
            };
            try {
                runNoted(run, count, &next, observer);
            } catch (const AppError &) {
                handOver(); // the iterations before the error count
                throw;
            }
            handOver();
        } else {
            runNoted(run, count, nullptr, observer);
        }
        done += count;
        repeatsLeft -= count;
        // Once the lesson repeats itself, the whole periods still to run are
        // finished at once; the observer gets their errors all the same.
        if (const LessonRepeat::Shortcut cut = repeat.afterRun(count, repeatsLeft); cut.count > 0) {
            if (collect)
                observer.errorsRepeat(total + done + 1, repeat.periodErrors(), cut.count);
            done += cut.count;
            repeatsLeft -= cut.count;
        }
    }
    if (repeatsLeft > 0) {
        // As if the repeat count had been what ran.
        end.cancelled = true;
        repeatsLeft = 0;
    }
}

int64_t LessonSession::runNoted(LessonRun &run, int64_t count, float **next, LessonObserver &observer)
{
    if (count <= 0)
        return 0;
    const auto iterate = [&](int64_t n) { return next ? run.runCollecting(n, *next) : run.runQuietly(n); };
    // Two looks at the neuron per chunk: an overflow earlier in the chunk
    // is found by working its iterations out again.
    const WorkedStep first = nextIteration(run);
    int64_t before = 0;
    try {
        before = iterate(count - 1);
    } catch (const AppError &) {
        observer.stepWorked(raisingIteration(first, trainingSet, count - 1));
        throw;
    }
    observer.stepWorked(nextIteration(run)); // also when it overflows
    return before + iterate(1);
}

WorkedStep LessonSession::nextIteration(const LessonRun &run) const
{
    const int32_t next = nextPatternIndex(run.patternIndex());
    return lessonStep(*trained, pattern(next), next, rate);
}

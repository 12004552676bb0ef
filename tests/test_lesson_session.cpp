// Whole lessons on the session alone, with no window and no Qt GUI module:
// what a recording observer hears of a lesson that settles and finishes at
// once, one that leaves the float range, and one that is cancelled.

#include "lesson/lesson_run.h"
#include "lesson/lesson_session.h"
#include "lesson/worked_step_rule.h"

#include <QTest>
#include <bit>
#include <vector>

namespace {

// Every weight shown as 0; the rest as given.
struct Settings final : LessonSettings {
    int64_t total = 0;
    int32_t count = 0;
    float rate = 0.1f;
    float thresholdValue = 0.0f;
    uint8_t activation = 0;

    int64_t lessonTotal() const override { return total; }
    AppError lessonTotalOutOfRange() const override { return errors::invalidInteger(QString::number(total)); }
    int32_t repeatCount() const override { return count; }
    float learningRate() const override { return rate; }
    float threshold() const override { return thresholdValue; }
    uint8_t activationMode() const override { return activation; }
    float weightAsShown(int) const override { return 0.0f; }
};

struct Recorder final : LessonObserver {
    int64_t cancelAfter = -1; // looks between chunks before a Cancel
    int64_t started = -1, looks = 0, errorCount = 0, repeated = 0, nextFirst = 0;
    std::vector<float> errors; // of runs, as they came
    std::vector<WorkedStep> steps;
    LessonEnd end;
    QString endError;
    bool gapless = true;

    void lessonStarts(int64_t total, int64_t) override { started = nextFirst = total + 1; }
    bool keepGoing(int64_t) override { return looks++ != cancelAfter; }
    bool wantsErrors() const override { return true; }
    void errorsRun(int64_t first, std::span<const float> run) override
    {
        gapless = gapless && first == nextFirst;
        errors.insert(errors.end(), run.begin(), run.end());
        nextFirst = first + int64_t(run.size());
    }
    void errorsRepeat(int64_t first, std::span<const float>, int64_t count) override
    {
        gapless = gapless && first == nextFirst;
        repeated += count;
        nextFirst = first + count;
    }
    void stepWorked(const WorkedStep &step) override { steps.push_back(step); }
    void lessonEnded(const LessonEnd &ended) override
    {
        end = ended;
        endError = ended.error ? ended.error->message() : QString();
        end.error = nullptr; // gone once the lesson is
    }
};

// AND with every weight 0, as the window shows it after typing them in.
void prepare(LessonSession &session, int inputs, OutputKind kind)
{
    session.makeNeuron(inputs);
    session.neuron().AnalogOutput = kind != OutputKind::Step;
    session.loadGate(AndGate);
}

} // namespace

class LessonSessionTest : public QObject {
    Q_OBJECT
private slots:
    // 2^31 - 1 iterations of a lesson whose weights stand still once AND
    // is learnt: the repeating rest is finished at once, its errors handed
    // over as one period, and the neuron ends where the plain loop ends.
    void settledLessonFinishesAtOnce()
    {
        LessonSession session;
        prepare(session, 3, OutputKind::Step);
        Settings settings;
        settings.count = 2147483647;
        Recorder recorder;
        const LessonEnd end = session.runLesson(settings, recorder);
        QCOMPARE(end.done, int64_t(settings.count));
        QVERIFY(!end.cancelled);
        QCOMPARE(session.lessonTotal(), int64_t(settings.count));
        QCOMPARE(session.repeatCount(), int64_t(0));
        QCOMPARE(int64_t(recorder.errors.size()) + recorder.repeated, int64_t(settings.count));
        QVERIFY(recorder.gapless);
        QVERIFY(recorder.repeated > 2000000000);
        QVERIFY(recorder.looks < 100);

        Neuron plain(3);
        for (int i = 0; i < 3; ++i)
            plain.SetWeight(i, 0.0f);
        plain.SetInput(2, 1.0f);
        plain.Threshold = 0.0f;
        LessonRun run(plain, session.patterns(), 0.1f, 1);
        run.runQuietly((1 << 20) + settings.count % (1 << 20));
        QCOMPARE(session.patternIndex(), run.patternIndex());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(std::bit_cast<uint32_t>(session.neuron().GetWeight(i)),
                     std::bit_cast<uint32_t>(plain.GetWeight(i)));
    }

    // A linear output with rate 2 on AND from weights 0 overflows in
    // iteration 324: the lesson raises the overflow, the iterations before
    // it count in the errors, the step that overflowed is the last one
    // noted, and the running total stays as it was.
    void overflowStopsTheLessonWhereItHappens()
    {
        LessonSession session;
        prepare(session, 2, OutputKind::Linear);
        Settings settings;
        settings.count = 1000;
        settings.rate = 2.0f;
        Recorder recorder;
        QVERIFY_THROWS_EXCEPTION(AppError, session.runLesson(settings, recorder));
        QCOMPARE(recorder.endError, QStringLiteral("Floating point overflow"));
        QCOMPARE(recorder.errors.size(), std::size_t(323));
        QCOMPARE(session.lessonTotal(), int64_t(0));
        const WorkedStep raising = workOut(recorder.steps.back());
        QVERIFY(!raising.sum || !raising.error || !raising.newWeights[0] || !raising.newWeights[1]);
        QCOMPARE(raising.pattern, int32_t(324 % 4 + 1)); // iteration n presents pattern n % 4 + 1
    }

    // Cancelled after three chunks of 100: as if that had been the count.
    void cancelEndsTheLessonAsIfThatWasTheCount()
    {
        LessonSession session(100);
        prepare(session, 2, OutputKind::Linear);
        Settings settings;
        settings.count = 1000000;
        settings.rate = -0.0000001f; // unlearns: never comes back to earlier weights
        Recorder recorder;
        recorder.cancelAfter = 3;
        const LessonEnd end = session.runLesson(settings, recorder);
        QVERIFY(end.cancelled);
        QCOMPARE(end.done, int64_t(301)); // the first iteration alone, then 3 chunks
        QCOMPARE(session.lessonTotal(), int64_t(301));
        QCOMPARE(session.repeatCount(), int64_t(0));
        QCOMPARE(recorder.errors.size(), std::size_t(301));
        QCOMPARE(session.patternIndex(), int32_t(301 % 4 + 1));

        // The next lesson counts on from there.
        settings.total = session.lessonTotal();
        settings.count = 10;
        Recorder next;
        session.runLesson(settings, next);
        QCOMPARE(next.started, int64_t(302));
        QCOMPARE(session.lessonTotal(), int64_t(311));
    }
};

QTEST_GUILESS_MAIN(LessonSessionTest)
#include "test_lesson_session.moc"

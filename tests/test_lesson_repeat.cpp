// A lesson that repeats itself is finished at once. Against the plain loop,
// over random lessons run chunk by chunk as the lesson button runs them, the
// weights, the pattern cursor, the counter and the error chart's store must
// come out bit for bit the same.

#include "chart/error_series.h"
#include "lesson/lesson_repeat.h"

#include <QTest>
#include <bit>
#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <vector>

namespace {

struct Lesson {
    int inputs = 2;
    float weights[3] = {};
    float threshold = 0;
    float rate = 0;
    OutputKind kind = OutputKind::Step;
    std::array<Pattern, 4> patterns{};
    int64_t count = 0;
    int64_t firstX = 1; // lesson total + 1
    int64_t chunk = 4;
    int64_t cancelAfter = -1; // chunks, as a Cancel between two of them
    int64_t earlier = 0;      // points of an earlier lesson from X = 1 on (a typed-back counter)
};

struct Outcome {
    std::array<uint32_t, 3> weights{};
    int32_t patternIndex = 0;
    int64_t done = 0;
    int64_t period = 0;     // of the shortcut taken; 0: none
    int64_t periodFrom = 0; // iterations run before it
    std::unique_ptr<ErrorSeries> series = std::make_unique<ErrorSeries>();
};

std::array<Pattern, 4> gate(unsigned which)
{
    std::array<Pattern, 4> patterns{};
    for (int i = 0; i < 4; ++i) {
        const bool a = !(i & 2), b = !(i & 1); // (1, 1) first, as the gates list them
        const bool target = which == 0 ? a && b : which == 1 ? a || b : which == 2 ? !(a && b) : a != b;
        patterns[std::size_t(i)] = {float(a), float(b), float(target)};
    }
    return patterns;
}

Lesson randomLesson(std::mt19937_64 &gen)
{
    Lesson k;
    k.inputs = 2 + int(gen() % 2);
    k.kind = OutputKind(gen() % 3);
    k.patterns = gate(unsigned(gen() % 4));
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    for (float &w : k.weights) // often as the edits give them: two digits
        w = gen() % 2 ? std::round(unit(gen) * 100) / 100 : unit(gen);
    k.threshold = gen() % 3 ? std::round(unit(gen) * 10) / 10 : unit(gen);
    k.rate = float(std::pow(10.0, -3.0 * std::uniform_real_distribution<double>(0, 1)(gen)));
    // Now and then a long one: lessons that settle only after many chunks.
    k.count = int64_t(std::exp2(std::uniform_real_distribution<double>(0, gen() % 20 ? 18 : 22)(gen)));
    const int64_t chunks[] = {4, 8, 12, 20, 64, 4096, 32768, 6, 7};
    k.chunk = chunks[gen() % std::size(chunks)];
    if (gen() % 8 == 0)
        k.cancelAfter = int64_t(gen() % 20);
    switch (gen() % 8) {
    case 0:
        k.earlier = int64_t(gen() % 50000) + 1;
        k.firstX = int64_t(gen() % uint64_t(k.earlier)) + 1;
        break;
    case 1: k.firstX = -int64_t(gen() % 5000); break;
    case 2: k.firstX = (int64_t{1} << 53) - int64_t(gen() % 100000); break;
    case 3: k.firstX = (int64_t{1} << 62) + int64_t(gen() % 100000); break;
    default: k.firstX = int64_t(gen() % 3000000) + 1; break;
    }
    return k;
}

// Runs the lesson as the lesson button does: the first iteration alone, the
// rest in chunks, the errors handed to the store after each; with
// `shortcut`, whole periods are finished at once once the lesson repeats,
// and a Cancel may come between chunks; the plain loop is then given the
// count that the lesson ran.
Outcome run(const Lesson &k, bool shortcut, int64_t count)
{
    Outcome out;
    Neuron neuron(k.inputs);
    for (int i = 0; i < k.inputs; ++i)
        neuron.SetWeight(i, k.weights[i]);
    neuron.SetInput(2, 1.0f);
    neuron.Threshold = k.threshold;
    neuron.AnalogOutput = k.kind != OutputKind::Step;
    neuron.ActivationMode = k.kind == OutputKind::Sigmoid ? 1 : 0;
    ErrorSeries &series = *out.series;
    std::vector<float> earlier(std::size_t(k.earlier), 0.5f);
    for (std::size_t i = 0; i < earlier.size(); i += 3)
        earlier[i] = -0.25f;
    series.addRun(1, earlier.data(), earlier.size());

    out.patternIndex = 1;
    LessonRun lesson(neuron, k.patterns, k.rate, out.patternIndex);
    LessonRepeat repeat(lesson, neuron, out.patternIndex);
    std::vector<float> errors(std::size_t(k.chunk));
    int64_t left = count;
    if (left > 0) {
        float error = 0;
        lesson.run(1, [&error](float e) noexcept { error = e; });
        series.add(double(k.firstX), error);
        out.done = 1;
        left -= 1;
    }
    const int64_t cancelAfter = shortcut ? k.cancelAfter : -1;
    for (int64_t chunks = 0; left > 0 && chunks != cancelAfter; ++chunks) {
        const int64_t n = std::min(left, k.chunk);
        float *next = errors.data();
        lesson.run(n, [&next](float e) noexcept { *next++ = e; });
        series.addRun(k.firstX + out.done, errors.data(), std::size_t(n));
        out.done += n;
        left -= n;
        if (!shortcut)
            continue;
        if (const LessonRepeat::Shortcut cut = repeat.afterRun(n, left); cut.count > 0) {
            const std::vector<float> &period = repeat.periodErrors();
            out.periodFrom = out.done;
            series.addRepeating(k.firstX + out.done, period.data(), period.size(), cut.count);
            out.done += cut.count;
            left -= cut.count;
            out.period = cut.period;
        }
    }
    for (int i = 0; i < k.inputs; ++i)
        out.weights[std::size_t(i)] = std::bit_cast<uint32_t>(neuron.GetWeight(i));
    return out;
}

uint64_t testSeed()
{
    const uint64_t seed =
        qEnvironmentVariableIsSet("TIVARO_SEED") ? qEnvironmentVariable("TIVARO_SEED").toULongLong() : 20261208;
    qInfo("seed %llu (TIVARO_SEED=N runs others)", static_cast<unsigned long long>(seed));
    return seed;
}

} // namespace

class LessonRepeatTest : public QObject {
    Q_OBJECT
private slots:
    // Random lessons of every output, gate, rate and start; settling early,
    // late, at a chunk edge or never; cancelled between chunks; after a
    // counter typed back over earlier points, below the axis, and where
    // whole numbers stop being doubles. The plain loop runs as many
    // iterations as the shortcut's lesson did: a cancel ends both alike.
    void shortcutEqualsThePlainLoop()
    {
        std::mt19937_64 gen(testSeed());
        std::map<int64_t, int> periods;
        int64_t latest = 0; // iterations before the latest shortcut
        constexpr int cases = 2000;
        for (int n = 0; n < cases; ++n) {
            const Lesson k = randomLesson(gen);
            const Outcome fast = run(k, true, k.count);
            const Outcome plain = run(k, false, fast.done);
            const QByteArray where = "case " + QByteArray::number(n);
            QVERIFY2(k.cancelAfter >= 0 || fast.done == k.count, where + ": lesson cut short");
            QVERIFY2(fast.weights == plain.weights, where + ": weights differ");
            QCOMPARE(fast.patternIndex, plain.patternIndex);
            QVERIFY2(*fast.series == *plain.series, where + ": chart store differs");
            ++periods[fast.period];
            latest = std::max(latest, fast.periodFrom);
        }
        QString seen;
        for (const auto &[period, times] : periods)
            seen += QStringLiteral(" %1:%2").arg(period).arg(times);
        qInfo("periods (0: no shortcut) and cases:%s; latest after %lld iterations", qPrintable(seen),
              static_cast<long long>(latest));
        QVERIFY2(periods[4] > cases / 4, qPrintable(seen));
        QVERIFY(latest > 100000);
    }

    // Two billion iterations with the graph on: the store counts them all
    // and holds what point-by-point adding gives, from a settled start
    // (the AND gate learnt) whose errors are all 0 but one pattern's.
    void twoBillionPointsAtOnce()
    {
        const float period[] = {0.0f, -0.0f, 0.25f, -1.0f, 0.25f, -1.0f};
        for (const int64_t firstX :
             {int64_t{1}, int64_t{-7}, int64_t{4000}, (int64_t{1} << 53) - 3, (int64_t{1} << 62) + 5}) {
            ErrorSeries fast, plain;
            constexpr int64_t count = 2147483647;
            fast.addRepeating(firstX, period, std::size(period), count);
            QCOMPARE(fast.count(), count);
            // Point by point over the start, a bucket edge and the end.
            ErrorSeries head;
            for (int64_t x = firstX; x < firstX + 20000; ++x)
                head.add(double(x), double(period[(x - firstX) % 6]));
            ErrorSeries headFast;
            headFast.addRepeating(firstX, period, std::size(period), 20000);
            QVERIFY(head == headFast);
            const QList<QPointF> drawn =
                fast.drawnPoints(double(firstX + count), ErrorSeries::evenColumns(double(firstX + count), 500));
            QVERIFY(!drawn.isEmpty());
            QCOMPARE(drawn.last().y(), double(period[(count - 1) % 6]));
        }
    }
};

QTEST_GUILESS_MAIN(LessonRepeatTest)
#include "test_lesson_repeat.moc"

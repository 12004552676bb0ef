// The lesson's fast float loop against the rule itself (products and sums in
// extended precision, every stored result rounded to 32 bits): with inputs of
// 0 and 1 the two must agree bit for bit, also in the iteration that
// overflows and in what that leaves in the neuron.

#include "runtime/app_error.h"
#include "workbench/lesson_run.h"

#include <QTest>
#include <bit>
#include <cfloat>
#include <cmath>
#include <random>
#include <vector>

namespace {

using Bits = std::vector<uint32_t>;

uint32_t bitsOf(float value) { return std::bit_cast<uint32_t>(value); }

// Floats of every kind the rule can meet: zeros, ordinary values, huge and
// tiny magnitudes, subnormals, and values at the edge of the range.
float anyFloat(std::mt19937_64 &gen)
{
    const uint32_t sign = (gen() & 1) ? 0x80000000u : 0u;
    switch (gen() % 8) {
    case 0: return std::bit_cast<float>(sign);
    case 1: return std::uniform_real_distribution<float>(-2.0f, 2.0f)(gen);
    case 2: return std::ldexp(std::uniform_real_distribution<float>(0.5f, 1.0f)(gen), int(gen() % 28) + 100) * (sign ? -1 : 1);
    case 3: return std::ldexp(std::uniform_real_distribution<float>(0.5f, 1.0f)(gen), -int(gen() % 26) - 100) * (sign ? -1 : 1);
    case 4: return std::bit_cast<float>(sign | uint32_t(gen() % 0x7FFFFF + 1)); // subnormal
    case 5: return std::bit_cast<float>(sign | uint32_t(gen() % (255u << 23))); // any finite
    case 6: return float(int(gen() % 17) - 8) * 0.25f;
    default: return std::nextafter(FLT_MAX, 0.0f) * (sign ? -1.0f : 1.0f) / float(1 + gen() % 4);
    }
}

struct Case {
    int inputs = 2;
    float biasValue = 1.0f;
    float weights[3] = {};
    float threshold = 0.0f;
    float rate = 0.0f;
    bool analog = false;
    uint8_t mode = 0;
    std::array<TPattern, 4> patterns{};
    int32_t startIndex = 0;
    std::vector<int64_t> pieces; // run() calls, as the lesson makes them in chunks
};

Case randomCase(std::mt19937_64 &gen)
{
    Case k;
    k.inputs = 2 + int(gen() % 2);
    // Mostly the bias value the workbench uses; now and then others.
    const unsigned biasKind = unsigned(gen() % 10);
    k.biasValue = biasKind < 8 ? 1.0f : biasKind == 8 ? 0.0f : 0.5f;
    for (float &w : k.weights)
        w = anyFloat(gen);
    k.threshold = anyFloat(gen);
    k.rate = gen() % 4 ? std::uniform_real_distribution<float>(-3.0f, 3.0f)(gen) : anyFloat(gen);
    const unsigned kind = unsigned(gen() % 4);
    k.analog = kind != 0;
    k.mode = kind == 3 ? 1 : (kind == 0 ? uint8_t(gen() % 2) : 0);
    for (TPattern &p : k.patterns) {
        p.In1 = float(gen() % 2);
        p.In2 = float(gen() % 2);
        // Targets are 0 or 1 in every gate; a few others test the subtraction.
        p.Target = gen() % 10 ? float(gen() % 2) : anyFloat(gen);
    }
    k.startIndex = int32_t(gen() % 5);
    for (int n = 1 + int(gen() % 3); n > 0; --n)
        k.pieces.push_back(int64_t(gen() % 40));
    return k;
}

std::unique_ptr<TNeuron> neuronFor(const Case &k)
{
    auto neuron = std::make_unique<TNeuron>(k.inputs);
    for (int i = 0; i < k.inputs; ++i)
        neuron->SetWeight(i, k.weights[i]);
    neuron->SetInput(0, 0.0f);
    neuron->SetInput(1, 0.0f);
    neuron->SetInput(2, k.biasValue);
    neuron->Threshold = k.threshold;
    neuron->AnalogOutput = k.analog;
    neuron->ActivationMode = k.mode;
    return neuron;
}

struct Outcome {
    Bits errors;
    QString failure;
    int32_t patternIndex = 0;
    Bits state; // weights, then input values, then the threshold
};

Bits stateOf(const TNeuron &neuron)
{
    Bits bits;
    for (int i = 0; i < neuron.InputCount; ++i)
        bits.push_back(bitsOf(neuron.GetWeight(i)));
    for (int i = 0; i < neuron.InputCount; ++i)
        bits.push_back(bitsOf(neuron.GetInput(i)));
    bits.push_back(bitsOf(neuron.Threshold));
    return bits;
}

Outcome viaLessonRun(const Case &k)
{
    Outcome out;
    auto neuron = neuronFor(k);
    out.patternIndex = k.startIndex;
    LessonRun run(*neuron, k.patterns, k.rate, out.patternIndex);
    try {
        for (const int64_t piece : k.pieces) {
            const int64_t done = run.run(piece, [&out](float error) { out.errors.push_back(bitsOf(error)); });
            if (done != piece)
                out.failure = QStringLiteral("ran %1 of %2 without an error").arg(done).arg(piece);
        }
    } catch (const AppError &error) {
        out.failure = error.message();
    }
    out.state = stateOf(*neuron);
    return out;
}

Outcome viaExactRule(const Case &k)
{
    Outcome out;
    auto neuron = neuronFor(k);
    out.patternIndex = k.startIndex;
    int64_t total = 0;
    for (const int64_t piece : k.pieces)
        total += piece;
    try {
        for (int64_t i = 0; i < total; ++i) {
            out.patternIndex = nextPatternIndex(out.patternIndex);
            const TPattern &pattern = k.patterns[std::size_t(out.patternIndex - 1)];
            out.errors.push_back(bitsOf(exactIteration(*neuron, pattern, k.rate)));
        }
    } catch (const AppError &error) {
        out.failure = error.message();
    }
    out.state = stateOf(*neuron);
    return out;
}

} // namespace

class LessonRuleTest : public QObject {
    Q_OBJECT
private slots:
    void floatLoopMatchesTheExactRule()
    {
        std::mt19937_64 gen(20240611);
        int overflows = 0, sigmoids = 0, threeInputs = 0;
        for (int n = 0; n < 100000; ++n) {
            const Case k = randomCase(gen);
            const Outcome fast = viaLessonRun(k);
            const Outcome exact = viaExactRule(k);
            const QByteArray where = QByteArray("case ") + QByteArray::number(n);
            QVERIFY2(fast.failure == exact.failure,
                     where + ": " + fast.failure.toUtf8() + " vs " + exact.failure.toUtf8());
            QVERIFY2(fast.errors == exact.errors, where + ": errors differ");
            QVERIFY2(fast.state == exact.state, where + ": neuron differs");
            QVERIFY2(fast.patternIndex == exact.patternIndex, where + ": pattern cursor differs");
            overflows += !exact.failure.isEmpty();
            sigmoids += k.analog && k.mode == 1;
            threeInputs += k.inputs == 3;
        }
        // The cases reached every kind of path, overflow included.
        QVERIFY2(overflows > 5000, QByteArray::number(overflows));
        QVERIFY(sigmoids > 10000);
        QVERIFY(threeInputs > 30000);
    }

    void overflowIsTheFloatingPointMessage()
    {
        Case k;
        k.weights[0] = FLT_MAX;
        k.weights[1] = FLT_MAX;
        k.analog = true;
        k.rate = 1.0f;
        k.patterns = {{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}}};
        k.pieces = {5};
        const Outcome fast = viaLessonRun(k);
        QCOMPARE(fast.failure, QStringLiteral("Floating point overflow"));
        QVERIFY(fast.errors.empty());
        // Nothing changed: the sum of the first iteration already overflowed.
        QCOMPARE(fast.state[0], bitsOf(FLT_MAX));
        QCOMPARE(fast.state[1], bitsOf(FLT_MAX));
        QCOMPARE(fast.patternIndex, 1);
    }
};

QTEST_MAIN(LessonRuleTest)
#include "test_lesson_rule.moc"

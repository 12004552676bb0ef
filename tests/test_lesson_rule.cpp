// The lesson's fast float loop against the rule itself (products and sums in
// extended precision, every stored result rounded to 32 bits): with inputs of
// 0 and 1 the two must agree bit for bit, also in the iteration that
// overflows and in what that leaves in the neuron. The same for the fast
// sigmoids (the cursor's cubic, plain and fused, and the double exponential)
// against the extended one.

#include "lesson/lesson_run.h"
#include "runtime/app_error.h"
#include "runtime/sigmoid_cursor.h"

#include <QTest>
#include <bit>
#include <cfloat>
#include <cmath>
#include <random>
#include <vector>

namespace {

// Cases checked against the rule: all of them where the rule is x87's own
// arithmetic, a quarter where it runs in software (under an emulator that
// would take many minutes).
constexpr int samples(int count)
{
    return TIVARO_NATIVE_EXTENDED ? count : count / 4;
}

using Bits = std::vector<uint32_t>;

uint32_t bitsOf(float value)
{
    return std::bit_cast<uint32_t>(value);
}

// Floats of every kind the rule can meet: zeros, ordinary values, huge and
// tiny magnitudes, subnormals, and values at the edge of the range.
float anyFloat(std::mt19937_64 &gen)
{
    const uint32_t sign = (gen() & 1) ? 0x80000000u : 0u;
    switch (gen() % 8) {
    case 0: return std::bit_cast<float>(sign);
    case 1: return std::uniform_real_distribution<float>(-2.0f, 2.0f)(gen);
    case 2:
        return std::ldexp(std::uniform_real_distribution<float>(0.5f, 1.0f)(gen), int(gen() % 28) + 100) *
            (sign ? -1 : 1);
    case 3:
        return std::ldexp(std::uniform_real_distribution<float>(0.5f, 1.0f)(gen), -int(gen() % 26) - 100) *
            (sign ? -1 : 1);
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
    std::array<Pattern, 4> patterns{};
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
    for (Pattern &p : k.patterns) {
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

std::unique_ptr<Neuron> neuronFor(const Case &k)
{
    auto neuron = std::make_unique<Neuron>(k.inputs);
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

Bits stateOf(const Neuron &neuron)
{
    Bits bits;
    for (int i = 0; i < neuron.InputCount; ++i)
        bits.push_back(bitsOf(neuron.GetWeight(i)));
    for (int i = 0; i < neuron.InputCount; ++i)
        bits.push_back(bitsOf(neuron.GetInput(i)));
    bits.push_back(bitsOf(neuron.Threshold));
    return bits;
}

// `fused`: the sigmoid's cubic with fused multiply-adds, as on processors
// that have them. A callback that cannot raise takes the loop without an
// exception handler, the one lessons use.
Outcome viaLessonRun(const Case &k, bool fused, bool nothrowCallback = false)
{
    Outcome out;
    auto neuron = neuronFor(k);
    LessonRun run(*neuron, k.patterns, k.rate, k.startIndex, fused);
    out.errors.reserve(4096);
    try {
        for (const int64_t piece : k.pieces) {
            const int64_t done = nothrowCallback
                ? run.run(piece, [&out](float error) noexcept { out.errors.push_back(bitsOf(error)); })
                : run.run(piece, [&out](float error) { out.errors.push_back(bitsOf(error)); });
            if (done != piece)
                out.failure = QStringLiteral("ran %1 of %2 without an error").arg(done).arg(piece);
        }
    } catch (const AppError &error) {
        out.failure = error.message();
    }
    out.state = stateOf(*neuron);
    out.patternIndex = run.patternIndex();
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
            const Pattern &pattern = k.patterns[std::size_t(out.patternIndex - 1)];
            out.errors.push_back(bitsOf(exactIteration(*neuron, pattern, k.rate)));
        }
    } catch (const AppError &error) {
        out.failure = error.message();
    }
    out.state = stateOf(*neuron);
    return out;
}

// Both loops against the rule; empty when all agree, else what differs.
QByteArray lessonMismatch(const Case &k, bool nothrowCallback)
{
    const Outcome exact = viaExactRule(k);
    for (const bool fused : {false, true}) {
        const Outcome fast = viaLessonRun(k, fused, nothrowCallback);
        const QByteArray loop = fused ? "fused loop: " : "plain loop: ";
        if (fast.failure != exact.failure)
            return loop + fast.failure.toUtf8() + " vs " + exact.failure.toUtf8();
        if (fast.errors != exact.errors)
            return loop + "errors differ";
        if (fast.state != exact.state)
            return loop + "neuron differs";
        if (fast.patternIndex != exact.patternIndex)
            return loop + "pattern cursor differs";
    }
    return {};
}

// A sigmoid's float bits, or the message it raised.
struct SigmoidOutcome {
    uint32_t bits = 0;
    QString failure;
    bool operator==(const SigmoidOutcome &) const = default;
};

template <class Sigmoid>
SigmoidOutcome sigmoidOutcome(Sigmoid sigmoid, float threshold, float sum)
{
    try {
        return {bitsOf(sigmoid(threshold, sum)), {}};
    } catch (const AppError &error) {
        return {0, error.message()};
    }
}

// Empty when `fast` agrees with the rule, else what differs.
template <class Sigmoid>
QByteArray mismatchWithRule(const char *what, Sigmoid fast, float threshold, float sum)
{
    const SigmoidOutcome mine = sigmoidOutcome(fast, threshold, sum);
    const SigmoidOutcome rule = sigmoidOutcome(float32::sigmoidExtended, threshold, sum);
    if (mine == rule)
        return {};
    return QStringLiteral("%1, threshold %2, sum %3: %4 %5 vs %6 %7")
        .arg(QLatin1String(what))
        .arg(double(threshold), 0, 'g', 9)
        .arg(double(sum), 0, 'g', 9)
        .arg(mine.bits, 0, 16)
        .arg(mine.failure)
        .arg(rule.bits, 0, 16)
        .arg(rule.failure)
        .toUtf8();
}

QByteArray sigmoidMismatch(float threshold, float sum)
{
    return mismatchWithRule("exponential", float32::sigmoid, threshold, sum);
}

// The cursor is left where the call moved it.
QByteArray cursorMismatch(float32::SigmoidCursor &cursor, bool fused, float threshold, float sum)
{
    const auto plain = [&cursor](float, float s) { return cursor.at<false>(s); };
    const auto withFma = [&cursor](float, float s) { return cursor.at<true>(s); };
    return fused ? mismatchWithRule("fused cursor", withFma, threshold, sum)
                 : mismatchWithRule("plain cursor", plain, threshold, sum);
}

// The sum whose argument threshold - sum lies nearest to x, and `ulps`
// float neighbours on each side of it.
QByteArray sigmoidMismatchAround(float threshold, long double x, int ulps)
{
    float sum = static_cast<float>(threshold - x);
    for (int i = 0; i < ulps; ++i)
        sum = std::nextafter(sum, -INFINITY);
    for (int i = -ulps; i <= ulps; ++i, sum = std::nextafter(sum, INFINITY))
        if (const QByteArray mismatch = sigmoidMismatch(threshold, sum); !mismatch.isEmpty())
            return mismatch;
    return {};
}

} // namespace

class LessonRuleTest : public QObject {
    Q_OBJECT
private slots:
    void floatLoopMatchesTheExactRule()
    {
        std::mt19937_64 gen(20240611);
        int overflows = 0, sigmoids = 0, threeInputs = 0;
        for (int n = 0; n < samples(100000); ++n) {
            const Case k = randomCase(gen);
            const Outcome fast = viaLessonRun(k, LessonRun::processorHasFusedMultiplyAdd());
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
        QVERIFY2(overflows > samples(5000), QByteArray::number(overflows));
        QVERIFY(sigmoids > samples(10000));
        QVERIFY(threeInputs > samples(30000));
    }

    // Lessons as students give them, long enough for each pattern's cursor
    // to walk across many pieces, with both loops; now and then a threshold
    // beyond the cursor's reach or a rate that overflows.
    void sigmoidLessonsMatchTheExactRule()
    {
        std::mt19937_64 gen(31);
        std::uniform_real_distribution<float> small(-4.0f, 4.0f);
        for (int n = 0; n < samples(300); ++n) {
            Case k;
            k.inputs = 2 + int(gen() % 2);
            for (float &w : k.weights)
                w = small(gen);
            k.threshold = gen() % 10 ? small(gen) : anyFloat(gen);
            k.rate = gen() % 10 ? std::uniform_real_distribution<float>(0.01f, 3.0f)(gen) : anyFloat(gen);
            k.analog = true;
            k.mode = 1;
            const unsigned gate = unsigned(gen() % 4); // AND, OR, NAND, XOR
            for (int i = 0; i < 4; ++i) {
                const bool a = i & 2, b = i & 1;
                const bool target = gate == 0 ? a && b : gate == 1 ? a || b : gate == 2 ? !(a && b) : a != b;
                k.patterns[std::size_t(i)] = {float(a), float(b), float(target)};
            }
            k.startIndex = int32_t(gen() % 5);
            k.pieces = {int64_t(gen() % 3000), 1, int64_t(gen() % 1000)};
            const QByteArray mismatch = lessonMismatch(k, n % 2 == 0);
            QVERIFY2(mismatch.isEmpty(), "case " + QByteArray::number(n) + ": " + mismatch);
        }
    }

    // The cursor, plain and fused: walks of sums the way a pattern's sum
    // moves in a lesson, jumps, the edges of its pieces and of its reach,
    // and arguments where the float result steps to the next value.
    void sigmoidCursorMatchesTheExtendedRule()
    {
        std::mt19937_64 gen(13);
        std::uniform_real_distribution<float> nearZero(-4.0f, 4.0f);
        std::uniform_real_distribution<double> band(-20.0, 42.0);
        const uint64_t fallbacksBefore = float32::sigmoidFallbacks;
        int64_t calls = 0;
        for (const bool fused : {false, true}) {
            for (int walk = 0; walk < samples(2000); ++walk) {
                const float threshold = walk % 8 ? nearZero(gen) : walk % 16 ? 0.0f : anyFloat(gen);
                float32::SigmoidCursor cursor(threshold);
                float sum = float(threshold - band(gen));
                const double stride = std::ldexp(1.0, -int(gen() % 16));
                for (int n = 0; n < 500; ++n, ++calls) {
                    const QByteArray mismatch = cursorMismatch(cursor, fused, threshold, sum);
                    QVERIFY2(mismatch.isEmpty(), mismatch);
                    sum = gen() % 64 ? float(sum + stride * std::uniform_real_distribution<double>(-1, 1)(gen))
                                     : float(threshold - band(gen));
                }
            }
            // The edges: piece borders (nodes lie 2^-7 apart), saturation at
            // -18, the end of the pieces at 40, thresholds where the offset
            // reaches 256, and sums of every kind.
            for (int n = 0; n < samples(200000); ++n, ++calls) {
                const float threshold = n % 3 ? nearZero(gen) : float(std::ldexp(double(nearZero(gen)), 6));
                float32::SigmoidCursor cursor(threshold);
                const long double x = n % 4 == 0 ? -18.0L + std::ldexp(double(nearZero(gen)), -20)
                    : n % 4 == 1                 ? 40.0L + std::ldexp(double(nearZero(gen)), -20)
                    : n % 4 == 2                 ? std::round(band(gen) * 128) / 128 + 1.0L / 256
                                                 : band(gen);
                const float sum = n % 50 ? float(threshold - x) : anyFloat(gen);
                QByteArray mismatch = cursorMismatch(cursor, fused, threshold, sum);
                QVERIFY2(mismatch.isEmpty(), mismatch);
                mismatch = cursorMismatch(cursor, fused, threshold, std::nextafter(sum, INFINITY));
                QVERIFY2(mismatch.isEmpty(), mismatch);
            }
            const uint32_t smallest = bitsOf(1e-18f), one = bitsOf(1.0f);
            for (int n = 0; n < samples(200000); ++n, ++calls) {
                const float below = std::bit_cast<float>(uint32_t(smallest + gen() % (one - smallest)));
                const long double midpoint = (static_cast<long double>(below) + std::nextafter(below, 2.0f)) / 2;
                const float threshold = nearZero(gen);
                float32::SigmoidCursor cursor(threshold);
                float sum = static_cast<float>(threshold - std::log(1 / midpoint - 1));
                for (int i = 0; i < 3; ++i, sum = std::nextafter(sum, INFINITY)) {
                    const QByteArray mismatch = cursorMismatch(cursor, fused, threshold, sum);
                    QVERIFY2(mismatch.isEmpty(), mismatch);
                }
            }
        }
        QVERIFY(float32::sigmoidFallbacks - fallbacksBefore < uint64_t(calls / 100));
    }

    // The fast sigmoid's proof leans on glibc's exp being within one ulp.
    void doubleExponentialIsWithinOneUlp()
    {
        std::mt19937_64 gen(7);
        std::uniform_real_distribution<double> argument(-88.0, 88.0);
        for (int n = 0; n < 1000000; ++n) {
            const double x = argument(gen);
            const double e = std::exp(x);
            const long double ulp = std::nextafter(e, INFINITY) - e;
            QVERIFY2(std::fabs(e - std::exp(static_cast<long double>(x))) <= ulp, QByteArray::number(x, 'a'));
        }
    }

    void fastSigmoidMatchesTheExtendedRule()
    {
        std::mt19937_64 gen(11);
        std::uniform_real_distribution<float> nearZero(-4.0f, 4.0f);
        QByteArray mismatch;

        // Floats of every kind, almost all outside the fast path's range.
        for (int n = 0; n < samples(1000000); ++n) {
            mismatch = sigmoidMismatch(anyFloat(gen), anyFloat(gen));
            QVERIFY2(mismatch.isEmpty(), mismatch);
        }

        // Arguments across the fast path's range;
        // nearly all must take it.
        std::uniform_real_distribution<double> band(-20.0, 87.0);
        const uint64_t fallbacksBefore = float32::sigmoidFallbacks;
        for (int n = 0; n < samples(2000000); ++n) {
            const float threshold = gen() % 8 ? nearZero(gen) : anyFloat(gen);
            mismatch = sigmoidMismatch(threshold, static_cast<float>(threshold - band(gen)));
            QVERIFY2(mismatch.isEmpty(), mismatch);
        }
        QVERIFY(float32::sigmoidFallbacks - fallbacksBefore < samples(2000000) / 100);

        // Arguments where the float result steps from one value to the next:
        // the sigmoid equals the midpoint of two neighbouring floats there.
        const uint32_t smallest = bitsOf(1e-38f), one = bitsOf(1.0f);
        for (int n = 0; n < samples(200000); ++n) {
            const float below = std::bit_cast<float>(uint32_t(smallest + gen() % (one - smallest)));
            const long double midpoint = (static_cast<long double>(below) + std::nextafter(below, 2.0f)) / 2;
            mismatch = sigmoidMismatchAround(nearZero(gen), std::log(1 / midpoint - 1), 4);
            QVERIFY2(mismatch.isEmpty(), mismatch);
        }

        // The exponential's overflow, the edges of the fast path, results at
        // or near 0 (and subnormal), near 1, and where 1 + e^x rounds to 1.
        for (const long double x : {11356.5234062941439L, 87.0L, -87.0L, 88.72L, 103.97L, -17.33L, -36.7L, 0.0L}) {
            for (int n = 0; n < samples(200); ++n) {
                mismatch = sigmoidMismatchAround(n % 4 ? nearZero(gen) : 0.0f, x, 500);
                QVERIFY2(mismatch.isEmpty(), mismatch);
            }
        }
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
        const Outcome fast = viaLessonRun(k, LessonRun::processorHasFusedMultiplyAdd());
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

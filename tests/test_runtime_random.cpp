// The pseudo-random generator and its clock seam (runtime/random.h).

#include "runtime/random.h"

#include <QTest>

#include <chrono>
#include <thread>

namespace {
const Extended twoTo32 = Extended(4294967296.0);

uint32_t next(uint32_t seed)
{
    return uint32_t((uint64_t(seed) * 134775813u + 1u) % (uint64_t(1) << 32));
}
} // namespace

class RuntimeRandomTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { clock_source::setTicksSource({}); }

    void knownSequence();
    void followsRecurrence();
    void drawsAreExactAndInRange();
    void wrapsAround();
    void clockSeam();
    void systemClock();
};

void RuntimeRandomTest::knownSequence()
{
    rng::setSeed(0);
    QCOMPARE(rng::seed(), 0u);
    QCOMPARE(rng::draw(), Extended(1u) / twoTo32);
    QCOMPARE(rng::seed(), 1u);
    QCOMPARE(rng::draw(), Extended(134775814u) / twoTo32);
    QCOMPARE(rng::seed(), 134775814u);
    // 134775814 * 134775813 + 1 = 18164519904586783 = 4229256 * 2^32 + 3698175007
    QCOMPARE(rng::draw(), Extended(3698175007u) / twoTo32);
    QCOMPARE(rng::seed(), 3698175007u);

    rng::setSeed(1);
    QCOMPARE(rng::draw(), Extended(134775814u) / twoTo32);
}

void RuntimeRandomTest::followsRecurrence()
{
    for (const uint32_t start : {0u, 1u, 12345u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 3141592653u}) {
        rng::setSeed(start);
        uint32_t expected = start;
        for (int i = 0; i < 10000; ++i) {
            expected = next(expected);
            const Extended value = rng::draw();
            QCOMPARE(rng::seed(), expected);
            QCOMPARE(value, Extended(expected) / twoTo32);
        }
    }
}

void RuntimeRandomTest::drawsAreExactAndInRange()
{
    rng::setSeed(987654321u);
    for (int i = 0; i < 100000; ++i) {
        const Extended value = rng::draw();
        QVERIFY(value >= 0);
        QVERIFY(value < 1);
        // Exact: times 2^32 gives the seed back.
        QCOMPARE(value * twoTo32, Extended(rng::seed()));
    }
}

void RuntimeRandomTest::wrapsAround()
{
    // The seed whose successor is 0: s * 134775813 + 1 == 0 (mod 2^32).
    // 134775813 is odd, so it has an inverse modulo 2^32.
    uint32_t inverse = 1;
    for (int i = 0; i < 5; ++i) // Newton: x := x * (2 - a * x)
        inverse *= 2u - 134775813u * inverse;
    QCOMPARE(uint32_t(134775813u * inverse), 1u);
    const uint32_t beforeZero = uint32_t(0u - 1u) * inverse; // -1 / a
    rng::setSeed(beforeZero);
    QCOMPARE(rng::draw(), Extended(0));
    QCOMPARE(rng::seed(), 0u);
    // The largest draw.
    const uint32_t beforeMax = uint32_t(0xFFFFFFFFu - 1u) * inverse;
    rng::setSeed(beforeMax);
    QCOMPARE(rng::draw(), Extended(4294967295u) / twoTo32);
    QVERIFY(Extended(4294967295u) / twoTo32 < 1);
}

void RuntimeRandomTest::clockSeam()
{
    clock_source::setTicksSource([] { return 12345u; });
    QCOMPARE(clock_source::ticks(), 12345u);
    rng::setSeed(7);
    rng::reseedFromClock();
    QCOMPARE(rng::seed(), 12345u);
    QCOMPARE(rng::draw(), Extended(next(12345u)) / twoTo32);

    // A moving fake clock: every reseed takes the clock's value at that time.
    uint32_t now = 0xFFFFFFF0u;
    clock_source::setTicksSource([&now] { return now++; });
    rng::reseedFromClock();
    QCOMPARE(rng::seed(), 0xFFFFFFF0u);
    rng::reseedFromClock();
    QCOMPARE(rng::seed(), 0xFFFFFFF1u);
    QCOMPARE(clock_source::ticks(), 0xFFFFFFF2u);

    // Two reseeds from the same instant give the same draws.
    clock_source::setTicksSource([] { return 42u; });
    rng::reseedFromClock();
    const Extended a = rng::draw(), b = rng::draw();
    rng::reseedFromClock();
    QCOMPARE(rng::draw(), a);
    QCOMPARE(rng::draw(), b);
}

void RuntimeRandomTest::systemClock()
{
    // An empty source restores the system clock, which moves.
    clock_source::setTicksSource([] { return 5u; });
    clock_source::setTicksSource({});
    const uint32_t first = clock_source::ticks();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    const uint32_t second = clock_source::ticks();
    QVERIFY(first != second);
    // Nanoseconds: 2 ms are at least 2,000,000 ticks (modulo 2^32).
    QVERIFY(uint32_t(second - first) >= 2000000u);
    rng::reseedFromClock();
    const uint32_t seeded = rng::seed();
    const uint32_t after = clock_source::ticks();
    QVERIFY(uint32_t(after - seeded) < 1000000000u); // taken just now
}

QTEST_GUILESS_MAIN(RuntimeRandomTest)
#include "test_runtime_random.moc"

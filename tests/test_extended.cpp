// The software extended type (runtime/soft_extended.h) against x87's own
// arithmetic, where the processor has it, and against x87's semantics
// written out everywhere: a 64-bit significand, ties to even, subnormals and
// overflow at x87's bounds.

#include "extended_support.h"
#include "runtime/soft_extended.h"

#include <QTest>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>

namespace {

SoftExtended soft(uint64_t significand, int exponent, bool negative = false)
{
    const SoftExtended magnitude = SoftExtended::scaled(significand, exponent);
    return negative ? -magnitude : magnitude;
}

bool sameSoft(const SoftExtended &a, const SoftExtended &b)
{
    if (a.isNan() || b.isNan())
        return a.isNan() && b.isNan();
    return a == b && a.signBit() == b.signBit();
}

#if TIVARO_NATIVE_EXTENDED
// Operands of every size x87 holds, most of them near each other's
// magnitude so that sums cancel and round, some at the range's ends.
struct Operands {
    std::mt19937_64 random;
    explicit Operands(uint64_t seed) : random(seed) {}

    int exponent()
    {
        switch (random() % 6) {
        case 0: return int(random() % 32800) - 16400 - 63; // anywhere, subnormals too
        case 1: return 16383 - 63 - int(random() % 4);     // near the top
        case 2: return -16382 - 63 - int(random() % 70);   // near and below the least normal
        default: return int(random() % 80) - 40 - 63;      // ordinary numbers
        }
    }
    uint64_t significand()
    {
        uint64_t bits = random() | uint64_t{1} << 63;
        switch (random() % 4) {
        case 0: return bits & ~uint64_t{0} << (random() % 64); // trailing zeros: exact cases and ties
        case 1: return bits | ((uint64_t{1} << (random() % 64)) - 1);
        default: return bits;
        }
    }
    // Any operand, or one within a factor of 4 of 2^(near + 63).
    std::pair<long double, SoftExtended> next(std::optional<int> near = std::nullopt)
    {
        const uint64_t m = significand();
        const int e = near ? *near + int(random() % 5) - 2 : exponent();
        const bool negative = random() % 2;
        const long double native = std::ldexp(static_cast<long double>(m), e);
        return {negative ? -native : native, soft(m, e, negative)};
    }
};

bool agrees(long double native, const SoftExtended &emulated)
{
    if (std::isnan(native))
        return emulated.isNan();
    const extended::Fields n = extended::fieldsOf(native);
    const SoftExtended::Fields s = emulated.fields();
    return n.negative == s.negative && n.exponent == s.exponent && n.significand == s.significand;
}

QByteArray mismatch(const char *what, long double a, long double b, long double native, const SoftExtended &emulated)
{
    char text[256];
    std::snprintf(text, sizeof text, "%s of %La and %La: x87 %La, software %s", what, a, b, native,
                  extended::fieldsText(native).c_str());
    return QByteArray(text) + " / " + QByteArray::number(qulonglong(emulated.fields().significand), 16) + " e" +
        QByteArray::number(emulated.fields().exponent);
}
#endif

} // namespace

class ExtendedTest : public QObject {
    Q_OBJECT

private slots:
    void x87Semantics()
    {
        const SoftExtended one = 1;
        // 1 + 2^-64 is the midpoint to the next value: to even, down.
        QVERIFY(sameSoft(one + soft(1, -64), one));
        QVERIFY(sameSoft(one + soft(3, -65), one + soft(1, -63)));
        // The least subnormal, half of it (to even: zero), and the largest.
        const SoftExtended least = soft(1, -16445);
        QCOMPARE(least.fields().exponent, uint16_t{0});
        QCOMPARE(least.fields().significand, uint64_t{1});
        QVERIFY(sameSoft(least / 2, SoftExtended(0)));
        QVERIFY(sameSoft(soft(3, -16446), soft(2, -16445)));
        const SoftExtended largest = soft(~uint64_t{0}, 16383 - 63);
        QVERIFY(largest.isFinite());
        QVERIFY(!(largest * 2).isFinite());
        QVERIFY(sameSoft(largest + soft(1, 16383 - 65), largest)); // below half an ulp: no overflow
        QVERIFY(!(largest + soft(1, 16383 - 64)).isFinite());      // half an ulp, odd: up, to infinity
        // Subnormal results round once, on the subnormal grid.
        QVERIFY(sameSoft(soft(0xC000000000000001u, -16445 - 64), soft(1, -16445)));
        QVERIFY(sameSoft(soft(0xC000000000000001u, -16445 - 63), soft(2, -16445)));
        QVERIFY(sameSoft(soft(1, -16382) - soft(1, -16445), soft(~uint64_t{0} >> 1, -16445)));
        // Neighbours, on both grids, and into infinity.
        QVERIFY(sameSoft(SoftExtended(0).nextToward(one), least));
        QVERIFY(sameSoft(one.nextToward(SoftExtended(2)), one + soft(1, -63)));
        QVERIFY(sameSoft(one.nextToward(SoftExtended(0)), one - soft(1, -64)));
        QVERIFY(!largest.nextToward(SoftExtended::infinity()).isFinite());
        // To float: ties to even, subnormal floats, overflow.
        QCOMPARE(static_cast<float>(one + soft(1, -24)), 1.0f);
        QCOMPARE(static_cast<float>(one + soft(3, -24)), 1.0f + FLT_EPSILON);
        QCOMPARE(static_cast<float>(soft(3, -151)), 2 * std::numeric_limits<float>::denorm_min());
        QVERIFY(std::isinf(static_cast<float>(SoftExtended(FLT_MAX) * SoftExtended(2))));
        // e^x and its overflow; a correctly rounded value from text.
        QVERIFY(sameSoft(SoftExtended(0).exp(), one));
        QVERIFY(!SoftExtended(11357).exp().isFinite());
        QVERIFY(SoftExtended(11356).exp().isFinite());
        QVERIFY(sameSoft(SoftExtended::fromDecimal("0.5"), SoftExtended(0.5)));
        int exponent = 0;
        QCOMPARE(SoftExtended(0.125).decimalDigits(2, exponent), std::string("12"));
        QCOMPARE(exponent, 0);
        // NaN compares unordered and keeps no sign.
        const SoftExtended nan = SoftExtended::quietNaN();
        QVERIFY(!(nan == nan) && !(nan < one) && !(one < nan) && nan != nan);
        QVERIFY(-SoftExtended(0) == SoftExtended(0) && (-SoftExtended(0)).signBit());
    }

    // Bit for bit what x87 gives: every operation, conversion and text.
    void matchesX87()
    {
#if TIVARO_NATIVE_EXTENDED
        Operands operands(20261208);
        for (int n = 0; n < 200000; ++n) {
            const int exponent = operands.exponent();
            const auto [a, softA] = operands.next(exponent);
            // Nearby magnitudes every third time: cancellation and ties.
            const auto [b, softB] = n % 3 ? operands.next() : operands.next(exponent);
            QVERIFY(agrees(a, softA) && agrees(b, softB));
            QVERIFY2(agrees(a + b, softA + softB), mismatch("sum", a, b, a + b, softA + softB));
            QVERIFY2(agrees(a - b, softA - softB), mismatch("difference", a, b, a - b, softA - softB));
            QVERIFY2(agrees(a * b, softA * softB), mismatch("product", a, b, a * b, softA * softB));
            QVERIFY2(agrees(a / b, softA / softB), mismatch("quotient", a, b, a / b, softA / softB));
            QCOMPARE(a < b, softA < softB);
            QCOMPARE(a == b, softA == softB);
            const float narrowed = static_cast<float>(a * 0x1p-16300L);
            const float softNarrowed = static_cast<float>(softA * soft(1, -16300));
            QVERIFY(std::memcmp(&narrowed, &softNarrowed, sizeof narrowed) == 0);
            QCOMPARE(static_cast<float>(a), static_cast<float>(softA));
            // Decimal digits as the C library prints them, half to even.
            if (n % 20 == 0 && std::isfinite(a) && a != 0) {
                const int digits = int(1 + operands.random() % 25);
                int exponent = 0;
                const std::string emulated = softA.abs().decimalDigits(digits, exponent);
                const extended::DecimalDigits native = extended::toDecimal(std::fabs(a), digits);
                QCOMPARE(emulated, native.digits);
                QCOMPARE(exponent, native.exponent);
            }
        }
        // Floats and doubles convert exactly; small integers too.
        for (int n = 0; n < 100000; ++n) {
            const uint64_t bits = operands.random();
            const float f = std::bit_cast<float>(uint32_t(bits));
            const double d = std::bit_cast<double>(bits);
            QVERIFY(agrees(f, SoftExtended(f)));
            QVERIFY(agrees(d, SoftExtended(d)));
            QVERIFY(agrees(static_cast<long double>(uint32_t(bits)), SoftExtended(unsigned(bits))));
        }
#else
        QSKIP("no x87 arithmetic on this processor: the goldens stand in for it");
#endif
    }

    // x87's expl is within an ulp, not always correctly rounded as MPFR's
    // exp is: count how often they part, and check that it stays that close.
    void exponentialWithinAnUlpOfX87()
    {
#if TIVARO_NATIVE_EXTENDED
        std::mt19937_64 random(7);
        std::uniform_real_distribution<double> argument(-100.0, 100.0);
        int differ = 0;
        const int count = 20000;
        for (int n = 0; n < count; ++n) {
            const float x = static_cast<float>(argument(random));
            const long double native = std::exp(static_cast<long double>(x));
            const SoftExtended emulated = SoftExtended(x).exp();
            if (!agrees(native, emulated)) {
                ++differ;
                QVERIFY(agrees(std::nextafter(native, INFINITY), emulated) ||
                        agrees(std::nextafter(native, -INFINITY), emulated));
            }
        }
        qInfo("expl and the correctly rounded e^x differ for %d of %d float arguments", differ, count);
        QVERIFY(differ < count / 10);
#else
        QSKIP("no x87 arithmetic on this processor");
#endif
    }
};

QTEST_GUILESS_MAIN(ExtendedTest)
#include "test_extended.moc"

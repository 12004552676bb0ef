#pragma once
// The neuron's sigmoid 1 / (1 + e^(threshold - sum)), rounded to a 32-bit
// float. sigmoidExtended is the rule itself, in extended precision; sigmoid
// gives the same bits several times faster. Lessons go through the faster
// still cursor of sigmoid_cursor.h, which leaves to sigmoid what it cannot
// serve.

#include "float32.h"

#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>

namespace float32 {

// The rule: extended precision throughout; an exponential beyond the
// extended range raises errors::floatOverflow().
inline float sigmoidExtended(float threshold, float sum)
{
    const Extended e = float32::exp(Extended(threshold) - sum);
    return store(Extended(1) / (Extended(1) + e));
}

// Calls of sigmoid() that fell back to the extended rule; only the fallback
// touches it, so counting costs the fast path nothing. The bench reads it.
inline std::atomic<uint64_t> sigmoidFallbacks{0};

// True when a positive normal double lies within 2^marginBits of its ulps
// of a midpoint between two floats: the 29 bits that rounding to float drops
// are that close to the halfway pattern. Away from it, any value nearer than
// 2^marginBits ulps rounds to the same float.
template <int marginBits>
inline bool nearFloatMidpoint(double value)
{
    constexpr uint64_t droppedBits = 29; // 52 - 23 fraction bits
    constexpr uint64_t halfway = uint64_t{1} << (droppedBits - 1);
    constexpr uint64_t margin = uint64_t{1} << marginBits;
    const uint64_t dropped = std::bit_cast<uint64_t>(value) & ((uint64_t{1} << droppedBits) - 1);
    return dropped - (halfway - margin) <= 2 * margin;
}

// Why the double evaluation below rounds to the same float as the rule.
// Let x = threshold - sum exactly; |x| <= 87 here.
// - Arguments: the rule rounds x to 64 bits, we round it to 53; both are
//   within 88 * 2^-53 of x. The sigmoid's relative slope is -(1 - result),
//   below 1 in size, so that moves either result by a factor within
//   1 +- 2^-46.4.
// - Our arithmetic: glibc's exp is within 1 ulp (tests/test_lesson_rule
//   checks it), counted here as 2^-51 relative; 1 + e and the division add
//   2^-53 each: within 2^-50.4 of the sigmoid of our argument.
// - The rule's: expl within a few 64-bit ulps, plus its add and division:
//   within 2^-60.
// Together the two results differ by less than 2^-46 relative, i.e. at most
// 2^7 ulps of the double result. Both lie between e^-87 and 1, above the
// subnormal floats, so each rounds to float once, by its 24 leading bits.
// Unless the 29 bits that the double drops are within 2^9 of the halfway
// pattern, no float midpoint lies between the two, and they round alike.
// Below -87 the result is exactly 1. Everything else (x > 87, the
// near-midpoints) takes the rule itself, which also raises its overflow
// exactly where it would.
// What depends on the platform:
// - glibc's exp within 1 ulp: the C library of each platform (x86-64's and
//   arm64's are built apart); test_lesson_rule checks it in both suites,
//   under qemu for arm64.
// - The rule's exp: x87's expl on x86-64; off it, the software type's, which
//   is correctly rounded (within half an ulp), so the 2^-60 holds there too.
//   The two can differ by an ulp of e^x (see extended.h).
// - Double arithmetic rounding each operation to nearest even, with nothing
//   fused: IEEE on both, and -ffp-contract=off wherever the processor could
//   fuse (every target on arm64; on x86-64 the lesson, whose fused loop
//   inlines this).
inline float sigmoid(float threshold, float sum)
{
    constexpr double provenRange = 87.0; // e^-87 is still a normal float

    const double x = static_cast<double>(threshold) - static_cast<double>(sum);
    if (std::fabs(x) <= provenRange) [[likely]] {
        const double result = 1.0 / (1.0 + std::exp(x));
        if (!nearFloatMidpoint<9>(result)) [[likely]]
            return static_cast<float>(result);
    }
    // e^x below 2^-125: 1 + e^x is 1 even in extended precision.
    if (x < -provenRange)
        return 1.0f;
    sigmoidFallbacks.fetch_add(1, std::memory_order_relaxed);
    return sigmoidExtended(threshold, sum);
}

} // namespace float32

#include "runtime/sigmoid_cursor.h"

#include <cmath>
#include <cstddef>
#include <vector>

// Why a piece's cubic rounds to the same float as the rule, sigmoid(x) =
// 1 / (1 + e^x) with x = threshold - sum. A piece serves the arguments within
// h = 2^-8 of its node; nodes lie 2^-7 apart from -18 to 40.
// - Argument: offset = threshold - node is rounded once, and below 256 in
//   size, so within 2^-46; r = offset - sum, below 2^-8, within 2^-62. The
//   computed r is within 2^-45.9 of x - node. The sigmoid's relative slope
//   is -(1 - sigmoid), below 1 in size: the result moves by a factor within
//   1 +- 2^-45.8.
// - Cubic: every derivative of the sigmoid up to the fourth is the sigmoid
//   times a polynomial in 1 - sigmoid that stays within [-1, 1] on [0, 1].
//   So the Taylor remainder is at most e^h h^4 / 24 < 2^-36.57 of the result.
// - Arithmetic: the coefficients rounded to double and the roundings of
//   evaluate(), plain or fused, add under 2^-51 relative; the rule's own
//   extended arithmetic is within 2^-60.
// Together under 2^-36.5 relative: at most 2^16.5 ulps of the double result,
// which lies between e^-41 and 1 - e^-19, a normal float's range. Unless the
// 29 bits the double drops lie within 2^17 of the halfway pattern, both
// round to the same float. Below x = -18, e^x < 2^-25: every result is
// exactly 1. Beyond 40, or where threshold - node reaches 256 in size
// (thresholds beyond about 216), the cursor leaves the work to sigmoid().
// What depends on the platform: the coefficients come from long double,
// x87's 64 bits on x86-64 and 113 bits on arm64; either is far within the
// 2^-51 of their rounding to double, so the tables may differ in a last bit
// and the proof holds for both. Lessons evaluate fused where the processor
// has fused multiply-adds (always on arm64), plain elsewhere; both are
// covered. The rule's side is as in sigmoid.h.

namespace float32 {

namespace {

constexpr double firstNode = -18.0;
constexpr double lastNode = 40.0;
constexpr double nodesPerUnit = 128.0;
constexpr double halfWidth = 0.5 / nodesPerUnit;
constexpr double offsetBound = 256.0;
constexpr std::size_t pieceCount = static_cast<std::size_t>((lastNode - firstNode) * nodesPerUnit) + 1;

// With s the sigmoid and t = 1 - s, the n-th derivative is s * P_n(t) with
// P_1 = -t, P_2 = t (2t - 1), P_3 = -t (6t^2 - 6t + 1).
SigmoidPiece pieceAt(long double node)
{
    const long double e = std::exp(node);
    const long double s = 1 / (1 + e);
    const long double t = e / (1 + e);
    return {static_cast<double>(s), static_cast<double>(-s * t), static_cast<double>(s * t * (2 * t - 1) / 2),
            static_cast<double>(-s * t * (6 * t * t - 6 * t + 1) / 6)};
}

// About 240 KB, built on the first sigmoid lesson in about a millisecond.
const std::vector<SigmoidPiece> &pieces()
{
    static const std::vector<SigmoidPiece> table = [] {
        std::vector<SigmoidPiece> built(pieceCount);
        for (std::size_t k = 0; k < pieceCount; ++k)
            built[k] = pieceAt(firstNode + static_cast<long double>(k) / nodesPerUnit);
        return built;
    }();
    return table;
}

// Every argument up to -18 gives exactly 1.
constexpr SigmoidPiece saturated{1.0, 0.0, 0.0, 0.0};

} // namespace

const SigmoidPiece SigmoidCursor::noPiece{nan, nan, nan, nan};

float SigmoidCursor::moveTo(float sum)
{
    sigmoidCursorMoves.fetch_add(1, std::memory_order_relaxed);
    const double x = static_cast<double>(threshold) - static_cast<double>(sum);
    piece = &noPiece;
    offset = nan;
    if (x < firstNode) {
        // Also an infinite sum: 1 + e^x is 1 and nothing overflows.
        const double saturatedOffset = static_cast<double>(threshold) - firstNode;
        if (std::fabs(saturatedOffset) < offsetBound) {
            piece = &saturated;
            offset = saturatedOffset;
            low = -std::numeric_limits<double>::max();
            high = 0.0;
        }
        return 1.0f;
    }
    if (x <= lastNode) {
        const double k = std::nearbyint((x - firstNode) * nodesPerUnit);
        const double nodeOffset = static_cast<double>(threshold) - (firstNode + k / nodesPerUnit);
        if (std::fabs(nodeOffset) < offsetBound) {
            piece = &pieces()[static_cast<std::size_t>(k)];
            offset = nodeOffset;
            low = -halfWidth;
            high = halfWidth;
            if (float result; tryAt(sum, result))
                return result;
        }
    }
    // Near a float midpoint the exponential's double result, closer to the
    // rule's, still decides most cases.
    return sigmoid(threshold, sum);
}

} // namespace float32

#pragma once
// The sigmoid of sigmoid.h, bit for bit, at about the cost of a few
// multiplications. A cursor holds the cubic that fits the sigmoid near the
// last argument it saw, so when the next argument lies near it, the cubic is
// at hand before the sum is even known. A lesson keeps one cursor per
// pattern: each pattern's sum moves little from one visit to the next.

#include "runtime/sigmoid.h"

#include <limits>

namespace float32 {

// Calls that missed their cursor's cubic; the bench reads it.
inline std::atomic<uint64_t> sigmoidCursorMoves{0};

// c0 + c1 r + c2 r^2 + c3 r^3: the sigmoid's Taylor cubic around a node.
struct SigmoidPiece {
    double c0, c1, c2, c3;
};

class SigmoidCursor {
public:
    explicit SigmoidCursor(float threshold) : threshold(threshold) {}

    // The sigmoid of threshold - sum; raises what the rule raises.
    template <bool fused = false>
    float at(float sum)
    {
        float result;
        if (tryAt<fused>(sum, result)) [[likely]]
            return result;
        return moveTo(sum);
    }

    // The fast path alone: false, leaving `result` alone, when this cursor's
    // cubic does not serve the sum or lands too near a float midpoint.
    // `fused` evaluates with fused multiply-adds: shorter, and fast only in
    // code built for a processor that has them.
    template <bool fused = false>
    [[gnu::always_inline]] bool tryAt(float sum, float &result) const
    {
        const double r = offset - static_cast<double>(sum);
        if (!(r >= low && r <= high))
            return false;
        const double value = evaluate<fused>(*piece, r);
        if (nearFloatMidpoint<midpointMarginBits>(value))
            return false;
        result = static_cast<float>(value);
        return true;
    }

    // Finds the piece for this sum and gives its sigmoid: through the new
    // piece, or the rule's way where no piece is proven. Cold, so that a
    // caller keeps its own values in registers rather than around this call.
    [[gnu::cold]] float moveTo(float sum);

    // Why the cubic rounds to the same float as the rule (see sigmoid_cursor.cpp).
    static constexpr int midpointMarginBits = 17;

private:
    // Two halves that do not wait for each other: two steps, not three.
    template <bool fused>
    [[gnu::always_inline]] static double evaluate(const SigmoidPiece &p, double r)
    {
        if constexpr (fused)
            return __builtin_fma(__builtin_fma(p.c3, r, p.c2), r * r, __builtin_fma(p.c1, r, p.c0));
        else
            return (p.c0 + p.c1 * r) + (p.c2 + p.c3 * r) * (r * r);
    }

    static constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    static const SigmoidPiece noPiece;

    const SigmoidPiece *piece = &noPiece;
    double offset = nan;          // threshold - node: r = offset - sum is the distance to the node
    double low = 0.0, high = 0.0; // where r may lie for this piece
    float threshold;
};

} // namespace float32
